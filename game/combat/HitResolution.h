// Hit resolution: what one effective live attack does to the entities its box overlaps in this
// frame - damage, stun, knock-back and knock-up, deflections, sounds, sparks, the hit freeze and
// the camera jolts - and its end on contact.
#pragma once

#include "game/combat/AttackRecord.h"
#include "game/entities/EntityHandle.h"

#include <vector>

namespace Game {

class ICameraJolts;

// What every attack of one frame is tested against.
struct HitFrame {
    // The live entities in ascending name order, as the frame began.
    std::vector<EntityHandle> m_Entities;
    // The camera that takes jolts, or null.
    ICameraJolts* m_pCamera = nullptr;
    // The player's facing on the ground plane (x, z); (1, 0) without a player.
    float m_PunchX = 1.0f;
    float m_PunchY = 0.0f;
};

namespace HitResolution {

constexpr const char* kDeflectSound = "deflect";
constexpr const char* kPlayerName = "player";
// The player's revive is an attack that must not count as a landed hit.
constexpr const char* kReviveAttack = "PlayerRevive";
constexpr float kPlayerPunch = 0.75f;
constexpr float kHeadbuttShake = 20.0f;
constexpr float kHeadbuttFreeze = 0.75f;
constexpr const char* kHeadbuttSound = "boar_headbutt";
constexpr float kShakePerDamage = 1.25f;
// The hit direction's strength for entities of kind 3 or below, and for the others.
constexpr float kLightHitStrength = 6.0f;
constexpr float kHeavyHitStrength = 4.0f;
constexpr int kLightKindMax = 3;

HitFrame MakeHitFrame();
// Tests the attack's box against every entity of the frame.
void ResolveHits(AttackRecord& attack, const HitFrame& frame);
// The seconds of hit freeze that a player's attack shown by that mesh gives (0: none).
float FreezeForMesh(const std::string& mesh);

} // namespace HitResolution

} // namespace Game
