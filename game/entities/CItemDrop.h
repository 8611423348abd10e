// CItemDrop: what a broken or defeated entity leaves behind: its coins, and a healing potion with
// a chance that grows as the player's health falls (none from 80 % up). The pickups are made
// from the pickup prefabs "smallcoin" and "healthrecovery" and tossed up from the entity; they
// are transient, so a level saved during play never holds them.
#pragma once

#include "core/CSingleton.h"
#include "math/Vector3D.h"

namespace Game {

class CEntity;

class CItemDrop : public Vesk::CSingleton<CItemDrop> {
public:
    // The entity's coin count of coins, then maybe a potion, at the entity's position.
    static void Drop(const CEntity& entity);
    static void Drop(const CEntity* entity);
    // One potion at the entity's position.
    static void DropPotion(const CEntity& entity);
    static void DropPotion(const CEntity* entity);
    // The potion chance for a player at health / maximum health (0 maximum counts as 1).
    static float PotionChance(int health, int maxHealth);
    // A transient pickup of the name from the PICKUPITEM prefab, placed and tossed with the
    // velocity; null (with a log line) when none could be made.
    static CEntity* TossPickup(const char* name, const char* prefab, const CVector3D& position,
                               const CVector3D& velocity);
};

} // namespace Game
