// A fixture for the move tests: the sound fixture plus the moves' sounds, and a run directory
// whose mesh list holds a one-cube model with every animation the moves play, so that a
// character made here has a cube animation controller that names its current animation.
#pragma once

#include "../entities/SoundTestSupport.h"

#include "game/entities/CCharacter.h"
#include "game/moves/CMove.h"
#include "game/moves/CMoveQueue.h"
#include "game/moves/ExtraFunction.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeMeshCache.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"

#include <string>

namespace movetest {

class CountingExtra : public Game::ExtraFunction {
public:
    void Run() override { ++m_Runs; }
    int m_Runs = 0;
};

class MoveFixture : public worldtest::SoundFixture {
protected:
    void SetUp() override
    {
        SoundFixture::SetUp();
        AddSounds({"dodge_roll", "minion_die"});

        std::string model = "#VSKCUB\n# SUBMESHNAME s\n# NUMCUBES 1\n# POSITIONDATA\n0 0 0\n";
        for (const char* clip : {"DRILLATK", "MINIDRILLATK", "SWINGONE", "SWINGTWO", "SWINGTHREE", "ATTACKUPPERCUT",
                                 "ROLL", "DEATH", "STUNALT", "IDLE", "RUNTWO"})
            model += std::string("# ANIMNAME ") + clip +
                     "\n # ANIMFPS 8\n # KEYFRAME 1\n  # SUBMESH s\n   # KEYPOSITION 0 0 0\n"
                     "   # KEYORIENTATION 0 0 0\n";
        testsupport::WriteFile(m_Dir.File("assets/meshes/mover.vskc"), model);
        testsupport::WriteMeshList(m_Dir.Path(), "<mover path=\"assets/meshes/mover.vskc\"/>");
        testsupport::WriteDefaultDefinitions(m_Dir.Path());
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        ASSERT_TRUE(Vesk::CResourceManager::GetInstance().Init());
        Game::RegisterCubeMeshResource();
    }

    void TearDown() override
    {
        SoundFixture::TearDown();
        Vesk::CResourceManager::GetInstance().Shutdown();
        Vesk::CResManager<Game::CVeskCubeMesh>::GetInstance().ReleaseAll();
    }

    // A character with the test model, facing +x, running at 10 units a second.
    Game::CCharacter* Mover(const std::string& name = "mover")
    {
        Game::EntitySetting setting;
        setting.m_MeshName = "mover";
        setting.m_HealthPoints = 10;
        setting.m_WanderSpeed = 10.0f;
        setting.m_DeathSound = "death";
        setting.m_Direction = CVector3D(1.0f, 0.0f, 0.0f);
        auto* character = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, name, setting));
        EXPECT_NE(nullptr, character);
        EXPECT_NE(nullptr, Animation(*character));
        return character;
    }

    static const Game::CVeskCubeAnimationController* Animation(const Game::CCharacter& character)
    {
        return dynamic_cast<const Game::CVeskCubeAnimationController*>(character.GetAnimationController());
    }
    static std::string Clip(const Game::CCharacter& character)
    {
        const Game::CVeskCubeAnimationController* animation = Animation(character);
        return animation ? animation->GetCurrentAnimationName() : std::string();
    }
    static CVector3D Velocity(const Game::CCharacter& character)
    {
        CVector3D velocity;
        character.GetLinearVelocity(velocity);
        return velocity;
    }

    testsupport::WorkingDirectory m_WorkingDir;
};

} // namespace movetest
