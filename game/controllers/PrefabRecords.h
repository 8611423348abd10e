// The prefab records handed out by CGamePrefabSettings and copied by entity creation, triggers,
// waves and the editor: an entity's construction values, a game trigger's conditions and
// sequences, and an enemy controller's senses. Plain values; copies are independent.
#pragma once

#include "game/base/GameEnums.h"
#include "game/entities/EntityHandle.h"
#include "math/Vector3D.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Game {

struct EntitySetting {
    EntitySetting() = default;
    EntitySetting(const std::string& meshName, float dimX, float dimY, float dimZ, uint8_t collisionCallback,
                  uint16_t collisionGroup, uint16_t collisionMask, int controllerType)
        : m_MeshName(meshName), m_DimX(dimX), m_DimY(dimY), m_DimZ(dimZ), m_CollisionCallback(collisionCallback),
          m_CollisionGroup(collisionGroup), m_CollisionMask(collisionMask), m_ControllerType(controllerType)
    {
    }

    CVector3D GetDimensions() const { return CVector3D(m_DimX, m_DimY, m_DimZ); }

    std::string m_MeshName = "testmesh";
    float m_DimX = 3.0f;
    float m_DimY = 3.0f;
    float m_DimZ = 3.0f;
    uint8_t m_CollisionCallback = 0;
    uint16_t m_CollisionGroup = 0xFFFF;
    uint16_t m_CollisionMask = 0xFFFF;
    float m_Mass = 10.0f;
    CVector3D m_StartPosition{0.0f, 0.0f, 0.0f};
    CVector3D m_Direction{0.0f, 0.0f, -1.0f};
    int m_ControllerType = CONTROLLER_TYPE_COUNT; // none
    std::string m_ControllerPrefabName;
    float m_AttackRadius = 15.0f;
    int m_HealthPoints = 1;
    int m_ManaPoints = 1;
    float m_WanderSpeed = 0.0f;
    float m_PursueSpeed = 0.0f;
    float m_KnockupResist = 0.0f;
    float m_KnockbackResist = 0.0f;
    bool m_Invulnerable = false;
    std::string m_SpawnSound;
    std::string m_HurtSound;
    std::string m_DeathSound;
};

struct GameTriggerSetting {
    int m_InitialStatus = 0;         // slot 3, "awake"
    int m_ConditionPassResponse = 0; // slot 4, "immediate_fire"
    int m_PostActionResponse = 1;    // slot 5, "continue"
    bool m_BypassCondition = false;
    float m_FireDelayTime = 0.0f;
    float m_ReactivationTime = 0.0f;
    int m_CollisionStatusCondition = 1; // slot 6, "onenter"
    int m_EntityCountCondition = 3;     // slot 7, "ignore_ent"
    // Filled by a trigger's Load, never from the prefab file.
    std::vector<EntityHandle> m_TriggeringEntities;
    std::multimap<int, EntityHandle> m_SlaveEntities;
    bool m_PlayersAsTriggeringEnts = false;
    // "groupsequence" of a spawner or "slavetriggersequence" of a trigger modifier.
    std::vector<int> m_GroupSequence;
    std::vector<float> m_ReactivationTimeSequence;
    std::string m_SoundName;
    int m_MaxActivations = 1;
    int m_NewStatus = 0;           // slot 3
    int m_AdditionalCondition = 0; // slot 8, "no_additional_cond"
};

struct ControllerSetting {
    // Empty in stored records; whoever creates a controller sets it to the controlled entity.
    EntityHandle m_Owner;
    float m_DetectionRadius = 30.0f;
    float m_FovDegrees = 90.0f;
    float m_FovLength = 100.0f;
    float m_AttackCooldown = 1.0f;
};

} // namespace Game
