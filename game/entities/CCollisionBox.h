// CCollisionBox: an invisible static box in the wall's collision group, closing gaps in a level's
// wall. It saves its position and size, no direction and no prefab.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CCollisionBox : public CEntity {
public:
    int GetType() const override { return COLLISIONBOX; }
    // Attributes: name, type, posX..Z, dimX..Z.
    void Save(Vesk::CXmlElement element) override;
    void Load(Vesk::CXmlElement element) override;
    // A static box of the record's size, mass 0, group COLGRP_WALL, colliding with everything.
    void Init(const std::string& name, const EntitySetting& setting) override;
};

} // namespace Game
