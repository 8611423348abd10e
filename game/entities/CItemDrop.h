// CItemDrop: what a broken or defeated entity leaves behind. The drop table (coins, potions,
// skills) comes with the pickups' work; until then nothing is dropped.
#pragma once

namespace Game {

class CEntity;

class CItemDrop {
public:
    // Drops the entity's pickups at its position.
    static void Drop(const CEntity& at) { (void)at; }
};

} // namespace Game
