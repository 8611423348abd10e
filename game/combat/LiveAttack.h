// LiveAttack: the own step of one live attack (following its user, the delay, the use sound, the
// persist time and its end) and its placement in the user's frame: a local (a, b, c) is
// a * facing + b * up + c * (up x facing).
#pragma once

#include "game/combat/AttackRecord.h"

namespace Game {

class CEntity;

namespace LiveAttack {

// The body at the user's position plus the offset taken in the user's frame.
void PlaceBesideUser(AttackRecord& attack, const CEntity& user);
// Places the sprite at the body, facing along the user's facing (stays, follows) or the flight
// (flies), shown once the delay is over; other movement types keep it hidden.
void PlaceSprite(AttackRecord& attack, const CEntity& user);
// One frame of the attack; called by the attack pool only. An attack whose user is gone ends
// at once, silently.
void Update(AttackRecord& attack, float dt);
// Ends the attack: inactive and queued for removal.
void End(AttackRecord& attack);

} // namespace LiveAttack

} // namespace Game
