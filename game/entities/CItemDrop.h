// CItemDrop: what a broken or defeated entity leaves behind: its coins, flung up and out. The
// potion chance, which depends on the player's health, comes with the characters' health.
#pragma once

namespace Game {

class CEntity;

class CItemDrop {
public:
    // The entity's coin count of "smallcoin" pickups at its position, each with a random
    // sideways velocity; they are transient, so the level never saves them.
    static void Drop(const CEntity& at);
};

} // namespace Game
