// A fixture for the enemy controllers: the player fixture plus the enemy models, the shared group
// controllers and a seeded random generator. Enemies are made from their prefabs; their
// controller can be attached again with a chosen setting.
#pragma once

#include "PlayerTestSupport.h"

#include "game/controllers/CControllerManager.h"
#include "game/controllers/CEnemyController.h"
#include "game/fx/CParticleEmitter.h"
#include "math/Random.h"

#include <functional>
#include <string>

namespace enemytest {

class EnemyFixture : public playertest::PlayerFixture {
protected:
    EnemyFixture()
    {
        for (const char* model : {"koboldminion", "slime", "skeleton", "ghost", "boar", "golem", "spawningmesh"})
            m_Models.push_back(model);
    }

    void SetUp() override
    {
        PlayerFixture::SetUp();
        AddSounds({"enemy_spawn", "minion_hurt", "minion_die", "slime_hurt", "slime_death", "skeleton_hurt",
                   "skeleton_death", "ghost_hurt", "ghost_death", "boar_grunt", "boar_death", "boar_headbutt",
                   "golem_hurt", "golem_death", "golem_slam"});
        Game::CControllerManager::GetInstance().CreateSharedControllers();
        // The effects the golem's dust and the ghost's burst are made from, read from the run
        // directory when their controllers attach.
        testsupport::WriteFile(
            m_Dir.File(Game::CParticleEmitter::kEffectsFile),
            testsupport::ReadFile(testsupport::SourceDir() + "/bin/" + Game::CParticleEmitter::kEffectsFile));
        SeedRandom(11);
        // The player stands still out of everyone's way unless a test moves it.
        PlacePlayer(CVector3D(0.0f, 4.0f, 0.0f));
    }

    void TearDown() override
    {
        Game::CControllerManager::GetInstance().ReleaseSharedControllers();
        PlayerFixture::TearDown();
    }

    // An enemy made from the prefab, standing at the position and facing the direction.
    Game::CCharacter* Enemy(const std::string& prefab, const CVector3D& position,
                            const CVector3D& direction = CVector3D(-1.0f, 0.0f, 0.0f))
    {
        Game::EntitySetting setting =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, prefab);
        setting.m_StartPosition = position;
        setting.m_Direction = direction;
        auto* enemy = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, "enemy", setting));
        EXPECT_NE(nullptr, enemy);
        return enemy;
    }

    template <typename C>
    static C* ControllerOf(const Game::CCharacter* enemy)
    {
        return enemy ? dynamic_cast<C*>(enemy->GetController()) : nullptr;
    }

    // The controller attached again to its owner with the setting.
    static void Reattach(Game::CCharacter* enemy, Game::ControllerSetting setting)
    {
        Game::IController* controller = enemy->GetController();
        controller->Detach();
        setting.m_Owner = Game::EntityHandle(enemy);
        controller->Attach(setting);
    }

    // The setting the enemy controllers fall back on.
    static Game::ControllerSetting DefaultSetting() { return Game::ControllerSetting(); }

    void PlacePlayer(const CVector3D& position)
    {
        m_Player->SetPosition(position);
        m_Player->SetLinearVelocity(CVector3D());
    }

    // Frames until the condition holds, at most the given time; whether it held.
    bool RunUntil(const std::function<bool()>& condition, float seconds)
    {
        for (int frames = int(seconds / kDt + 0.5f); frames > 0; --frames) {
            if (condition())
                return true;
            Frame();
        }
        return condition();
    }

    static std::string StateOf(const Game::CEnemyController* controller, unsigned level)
    {
        return controller ? controller->GetStateName(level) : std::string();
    }
};

} // namespace enemytest
