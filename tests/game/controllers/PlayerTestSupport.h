// A fixture for the player controller: the move fixture plus the real player model, prefab and
// attacks, the 3D-sprite manager, the attack pool and the skill list, and a "player" made from
// its prefab with its controller. Frames run the play order that concerns the player (attacks,
// controllers, entities, removals) at a fixed step; keys reach the player's listener directly.
#pragma once

#include "../moves/MoveTestSupport.h"

#include "game/combat/CAttackPool.h"
#include "game/controllers/CPlayerController.h"
#include "game/controllers/CPlayerListener.h"
#include "game/entities/CPickupCatalogue.h"
#include "game/fx/CSprite3DManager.h"
#include "game/skills/CGlobalSkillList.h"
#include "physics/CCompoundBody.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace playertest {

using Listener = Game::CPlayerController::CPlayerListener;

// Virtual-key codes of the player's keys.
enum Key : uint32_t {
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40,
    KEY_ATTACK = 'J',
    KEY_DODGE = 'K',
    KEY_SPECIAL = 'L',
};

class PlayerFixture : public movetest::MoveFixture {
protected:
    static constexpr float kDt = 1.0f / 60.0f;

    void SetUp() override
    {
        MoveFixture::SetUp();
        const std::string source = testsupport::SourceDir() + "/bin/assets/";
        std::string meshes = "<meshes><default path=\"assets/meshes/default.x\"/>"
                             "<mover path=\"assets/meshes/mover.vskc\"/>";
        std::vector<std::string> models = {"player", "tombstone"};
        models.insert(models.end(), m_ExtraModels.begin(), m_ExtraModels.end());
        for (const std::string& mesh : models) {
            const std::string file = "assets/meshes/" + mesh + ".vskc";
            testsupport::WriteFile(m_Dir.File(file), testsupport::ReadFile(source + "meshes/" + mesh + ".vskc"));
            meshes += "<" + mesh + " path=\"" + file + "\"/>";
        }
        testsupport::WriteFile(m_Dir.File("assets/meshes.xml"), meshes + "</meshes>");
        // The mesh list is read when resources start.
        Vesk::CResourceManager::GetInstance().Shutdown();
        ASSERT_TRUE(Vesk::CResourceManager::GetInstance().Init());
        Game::RegisterCubeMeshResource();
        ASSERT_TRUE(Game::CPickupCatalogue::GetInstance().Load(source + "scripts/pickups/pickups.xml"));
        AddSounds({"charging_1", "charging_2", "charging_3", "charging_full", "charge_achieve1", "charge_achieve2",
                   "charge_achieve3", "player_death", "player_hurt"});
        ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(source + "prefabsettings.xml"));
        ASSERT_TRUE(Game::CSprite3DManager::GetInstance().Init());
        Game::CAttackPool& attacks = Game::CAttackPool::GetInstance();
        ASSERT_TRUE(attacks.LoadDefinitions(source + "attacks.xml"));
        ASSERT_TRUE(attacks.Init());
        ASSERT_TRUE(Game::CGlobalSkillList::GetInstance().Init());
        Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
        physics.SetGravity(CVector3D(0.0f, -200.0f, 0.0f));
        m_Ground = std::make_unique<Vesk::CCompoundBody>();
        ASSERT_TRUE(physics.AddRigidBody(m_Ground.get(), -1, -1));
        m_Ground->SetBodyType(Vesk::BODY_STATIC);
        m_Ground->AddBoxShape(CVector3D(0.0f, -5.0f, 0.0f), CVector3D(800.0f, 10.0f, 800.0f));

        Game::EntitySetting setting =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, "player");
        setting.m_Direction = CVector3D(1.0f, 0.0f, 0.0f);
        setting.m_StartPosition = CVector3D(0.0f, 4.0f, 0.0f);
        m_Player = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, "player", setting));
        ASSERT_NE(nullptr, m_Player);
        m_Controller = dynamic_cast<Game::CPlayerController*>(m_Player->GetController());
        ASSERT_NE(nullptr, m_Controller);
    }

    void TearDown() override
    {
        Game::CGlobalSkillList::GetInstance().Shutdown();
        Game::CAttackPool::GetInstance().Shutdown();
        Game::CPickupCatalogue::GetInstance().Shutdown();
        Factory().Shutdown();
        if (m_Ground)
            Vesk::CPhysicsSystem::GetInstance().RemoveRigidBody(m_Ground.get());
        m_Ground.reset();
        MoveFixture::TearDown();
        Game::CSprite3DManager::GetInstance().Shutdown();
    }

    // Frames until the player's grace time after spawning has run out, so that it can act and be
    // hit.
    void SettleIn()
    {
        Run(Game::CPlayerController::kReviveGrace + 0.1f);
        ASSERT_LE(m_Controller->GetReviveTimer(), 0.0f);
        ASSERT_FALSE(m_Player->m_Spawning) << "hittable once the grace time is over";
    }

    // One frame; returns the names of the attacks that appeared in it.
    std::vector<std::string> Frame()
    {
        std::set<const Game::AttackRecord*> before(Attacks().begin(), Attacks().end());
        Vesk::CPhysicsSystem::GetInstance().ProcessCollisions();
        Game::CAttackPool::GetInstance().Update(kDt);
        Game::CControllerManager::GetInstance().Update(kDt);
        Factory().UpdateAll(kDt);
        Factory().ProcessPendingDestroys();
        Vesk::CPhysicsSystem::GetInstance().StepSimulation(kDt, 1, kDt);
        Vesk::CSceneGraph::GetInstance().AdvanceAnimations(kDt);
        std::vector<std::string> spawned;
        for (const Game::AttackRecord* attack : Attacks())
            if (!before.count(attack))
                spawned.push_back(attack->m_Name);
        return spawned;
    }

    // Frames for the given time; the names of every attack that appeared.
    std::vector<std::string> Run(float seconds)
    {
        std::vector<std::string> spawned;
        for (int frames = int(seconds / kDt + 0.5f); frames > 0; --frames)
            for (const std::string& name : Frame())
                spawned.push_back(name);
        return spawned;
    }

    // Frames until the player may act again (no move, no action lock), at most two seconds.
    void RunUntilFree()
    {
        for (int i = 0; i < 120 && (!m_Player->GetMoveQueue().IsEmpty() || m_Player->m_ActionLockTimer > 0.0f); ++i)
            Frame();
    }

    Listener& Input() { return *m_Controller->GetListener(); }
    void Down(uint32_t key) { Input().OnKeyDown(Vesk::KeyEvent{key, 0}); }
    void Up(uint32_t key) { Input().OnKeyUp(Vesk::KeyEvent{key, 0}); }
    // Pressed in one frame and let go before the next; the attacks of both frames.
    std::vector<std::string> Tap(uint32_t key)
    {
        Down(key);
        std::vector<std::string> spawned = Frame();
        Up(key);
        for (const std::string& name : Frame())
            spawned.push_back(name);
        return spawned;
    }

    static const std::list<Game::AttackRecord*>& Attacks()
    {
        return Game::CAttackPool::GetInstance().GetActiveAttacks();
    }
    static size_t CountEntities(const std::string& name) { return Factory().FindByName(name).size(); }

    // More models of bin/assets/meshes (by mesh name) for the run directory; set before SetUp.
    std::vector<std::string> m_ExtraModels;
    std::unique_ptr<Vesk::CCompoundBody> m_Ground;
    Game::CCharacter* m_Player = nullptr;
    Game::CPlayerController* m_Controller = nullptr;
};

} // namespace playertest
