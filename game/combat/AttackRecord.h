// AttackRecord: one named attack. The same record is a definition read from the attack file
// (kept by name in the attack pool) and a live attack in the world: a pooled copy of a definition
// that owns its box body and sprite and refers to its user by a checked handle.
#pragma once

#include "game/entities/EntityHandle.h"
#include "math/Vector3D.h"

#include <string>

namespace Vesk {
class CRigidBody;
}

namespace Game {

class CSprite3D;

enum AttackMovement : int {
    ATTACK_STAYS = 0,   // where it was spawned
    ATTACK_FOLLOWS = 1, // rides along with its user
    ATTACK_FLIES = 2,   // along its direction at its speed
};

struct AttackRecord {
    // Empty in a definition; a live attack holds the name it was spawned by.
    std::string m_Name;
    Vesk::CRigidBody* m_pBody = nullptr;
    bool m_Active = false;
    // An AttackMovement; other values stay put and never show their sprite.
    int m_MovementType = ATTACK_STAYS;
    bool m_DestroyOnContact = false;
    CSprite3D* m_pSprite = nullptr;
    EntityHandle m_User;
    // The sprite's mesh; empty: no sprite.
    std::string m_Mesh;
    // (forward, height, right) in the user's frame.
    CVector3D m_OffsetFromUser;
    // The full size of the attack's box.
    CVector3D m_Dimension;
    int m_Damage = 0;
    // At least 1.
    int m_Hits = 1;
    float m_Delay = 0.0f;
    float m_Persist = 0.0f;
    float m_SelfStun = 0.0f;
    float m_Stun = 0.0f;
    float m_Knockback = 0.0f;
    float m_Knockup = 0.0f;
    float m_Speed = 0.0f;
    // (forward, height, depth) in the user's frame, normalised (or zero).
    CVector3D m_Direction;
    std::string m_UseSound;
    std::string m_HitSound;
    std::string m_DieSound;
    bool m_UseSoundPlayed = false;
    bool m_FreezeApplied = false;

    // A live copy of this definition: active, without body, sprite or user, both flags clear.
    AttackRecord MakeLive() const
    {
        AttackRecord live = *this;
        live.m_Active = true;
        live.m_pBody = nullptr;
        live.m_pSprite = nullptr;
        live.m_User.Reset();
        live.m_UseSoundPlayed = false;
        live.m_FreezeApplied = false;
        return live;
    }
};

} // namespace Game
