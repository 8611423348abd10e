// The developer sandbox states on the headless game with a copy of the project's assets: what
// each builds on Enter, what its keys do, what it leaves behind on Exit, and that entering again
// adds no light.
#include "../gui/GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/cameras/CSideScrollCamera.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/IController.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/fx/CParticleEmitter.h"
#include "game/fx/CParticleManager.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CHighscoreRecord.h"
#include "game/gui/CMeterBar.h"
#include "game/skills/CSkillPocket.h"
#include "game/states/GameStates.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "game/world/GameLifetime.h"
#include "math/Random.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "scene/CSceneNodes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

using Vesk::CGameManager;

win::Message Key(bool down, uint32_t vk)
{
    win::Message m;
    m.code = down ? win::WM_KEYDOWN : win::WM_KEYUP;
    m.vk = vk;
    return m;
}

class SandboxStatesTest : public guitest::GuiScreenFixture {
protected:
    void SetUp() override
    {
        GuiScreenFixture::SetUp();
        ASSERT_TRUE(Game::GameManagerTable().Start());
        SeedRandom(3);
    }

    void TearDown() override
    {
        CGameManager& game = CGameManager::GetInstance();
        while (game.GetStateCount() > 0) {
            game.PopState();
            Frame();
        }
        GuiScreenFixture::TearDown();
    }

    // Pushes the state and runs the frame that enters it.
    template <typename State>
    State* Enter(State* state)
    {
        CGameManager::GetInstance().PushState(state);
        Frame();
        return state;
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    static std::string TopName()
    {
        const Vesk::IGameState* top = CGameManager::GetInstance().GetCurrentState();
        return top ? top->GetName() : "(none)";
    }

    static Game::CEntity* Entity(const std::string& name)
    {
        return Game::CEntityFactory::GetInstance().GetEntityByName(name);
    }

    static int Lights() { return Vesk::CRenderer::GetInstance().GetLightCount(); }
};

TEST_F(SandboxStatesTest, EnteringAgainAddsNoLight)
{
    const struct {
        const char* name;
        std::function<Vesk::IGameState*()> make;
    } states[] = {
        {"cube test", [] { return new Game::CCubeTestState(); }},
        {"side-scrolling", [] { return new Game::CpmarlSandboxState(); }},
        {"physics", [] { return new Game::CPhyState(); }},
        {"free play", [] { return new Game::CUloSandboxState(); }},
    };
    for (const auto& s : states) {
        SCOPED_TRACE(s.name);
        Enter(s.make());
        const int lights = Lights();
        EXPECT_GE(lights, 1);
        Frames(3);
        CGameManager::GetInstance().ChangeState(s.make());
        Frames(3);
        EXPECT_EQ(lights, Lights());
        CGameManager::GetInstance().PopState();
        Frame();
    }
}

TEST_F(SandboxStatesTest, CubeTestBuildsItsGridOnceAndItsKeysActOnEveryModel)
{
    auto* cubes = Enter(new Game::CCubeTestState());
    ASSERT_EQ(100u, cubes->GetObjects().size());
    const auto& first = cubes->GetObjects().front();
    const auto& last = cubes->GetObjects().back();
    EXPECT_EQ("0trans", first.transform->GetName());
    EXPECT_EQ("459geom", last.geom->GetName());
    EXPECT_FLOAT_EQ(-50.0f, first.transform->GetLocalMatrix().m[3]);
    EXPECT_FLOAT_EQ(-75.0f, first.transform->GetLocalMatrix().m[11]);
    EXPECT_FLOAT_EQ(175.0f, last.transform->GetLocalMatrix().m[3]);
    EXPECT_FLOAT_EQ(150.0f, last.transform->GetLocalMatrix().m[11]);
    ASSERT_NE(nullptr, first.controller);

    // Running on neither re-enters nor rebuilds: the same objects, the angle keeps growing and
    // the translation stays under the turn.
    Frames(60);
    EXPECT_EQ(&first, &cubes->GetObjects().front());
    EXPECT_EQ(CGameManager::StatusRun, CGameManager::GetInstance().m_Status);
    EXPECT_NEAR(cubes->GetAngle(), 61.0f / 6.0f, 0.05f);
    EXPECT_FLOAT_EQ(175.0f, last.transform->GetLocalMatrix().m[3]);

    TapKeys({'F'});
    int shattered = 0;
    for (const auto& object : cubes->GetObjects())
        shattered += object.controller->GetUnshatteredCount() < 1 ? 1 : 0;
    EXPECT_GT(shattered, 20);
    EXPECT_LT(shattered, 80);
    TapKeys({'R'});
    for (const auto& object : cubes->GetObjects())
        EXPECT_GT(object.controller->GetUnshatteredCount(), 0);

    TapKeys({'1'});
    for (const auto& object : cubes->GetObjects())
        EXPECT_EQ(nullptr, dynamic_cast<Game::CVeskCubeMesh*>(object.geom->GetMesh()));
    TapKeys({'F', '2'});
    for (const auto& object : cubes->GetObjects()) {
        EXPECT_NE(nullptr, dynamic_cast<Game::CVeskCubeMesh*>(object.geom->GetMesh()));
        EXPECT_GT(object.controller->GetUnshatteredCount(), 0);
    }
    Frames(5);
}

TEST_F(SandboxStatesTest, PhysicsTStartsHiddenAndEachReleaseOfTFlipsTheBoxes)
{
    auto* phy = Enter(new Game::CPhyState());
    for (const char* name : {"player", "box1", "box2", "box3", "box4"})
        ASSERT_NE(nullptr, Entity(name)) << name;
    EXPECT_TRUE(Entity("player")->IsVisible());
    EXPECT_EQ(1, Entity("player")->GetBody()->GetBodyType());
    const auto boxesVisible = [] {
        int shown = 0;
        for (const char* name : Game::CPhyState::kBoxNames)
            shown += Entity(name)->IsVisible() ? 1 : 0;
        return shown;
    };
    EXPECT_EQ(0, boxesVisible());

    // Held down for a while, T flips nothing until it is let go.
    Frame({Key(true, 'T')});
    Frames(5);
    EXPECT_EQ(0, boxesVisible());
    Frame({Key(false, 'T')});
    Frame();
    EXPECT_EQ(4, boxesVisible());
    TapKeys({'T'});
    Frame();
    EXPECT_EQ(0, boxesVisible());
    EXPECT_FALSE(phy->AreBoxesVisible());
}

TEST_F(SandboxStatesTest, PhysicsIAndLHeldTogetherPushBox4AlongZOnly)
{
    Enter(new Game::CPhyState());
    // Let the stack settle on the ground first.
    Frames(120);
    Game::CEntity* box4 = Entity("box4");
    ASSERT_NE(nullptr, box4);
    const CVector3D before = box4->GetBody()->GetPosition();
    Frame({Key(true, 'I'), Key(true, 'L')});
    Frames(10);
    const CVector3D after = box4->GetBody()->GetPosition();
    Frame({Key(false, 'I'), Key(false, 'L')});
    EXPECT_GT(after.z - before.z, 1.0f);
    EXPECT_NEAR(after.x, before.x, 0.1f * (after.z - before.z));

    // The pushing decision itself: the first held key of I, K, J, L, only under a small gathered
    // force, grown by exp of its length.
    Game::MyKeyListener keys;
    keys.m_JHeld = keys.m_KHeld = true;
    const CVector3D k = Game::CPhyState::PushForce(keys, CVector3D());
    EXPECT_FLOAT_EQ(-10000.0f, k.z);
    EXPECT_FLOAT_EQ(0.0f, k.x);
    keys.m_KHeld = false;
    EXPECT_NEAR(-10000.0f * std::exp(0.5f), Game::CPhyState::PushForce(keys, CVector3D(0.5f, 0, 0)).x, 1.0f);
    EXPECT_FLOAT_EQ(0.0f, Game::CPhyState::PushForce(keys, CVector3D(0, 1.0f, 0)).Length());
    keys.m_JHeld = false;
    EXPECT_FLOAT_EQ(0.0f, Game::CPhyState::PushForce(keys, CVector3D()).Length());
}

TEST_F(SandboxStatesTest, PhysicsButtonJumpsAwayWhenClicked)
{
    Enter(new Game::CPhyState());
    Game::CButton* button = Game::CGuiManager::GetInstance().FindButton("Btn");
    ASSERT_NE(nullptr, button);
    EXPECT_FLOAT_EQ(0.15f, button->GetPosition().x);
    Frames(2);
    MoveMouse(0.15f, 0.15f);
    Click();
    EXPECT_FLOAT_EQ(1.0f, button->GetPosition().x);
    EXPECT_FLOAT_EQ(1.0f, button->GetPosition().y);
}

TEST_F(SandboxStatesTest, PhysicsExitTakesItsPicturesButtonAndGroundAway)
{
    auto* phy = Enter(new Game::CPhyState());
    ASSERT_NE(nullptr, Game::CGuiManager::GetInstance().FindButton("Btn"));
    ASSERT_NE(nullptr, phy->GetGround());
    const size_t bodies = Vesk::CPhysicsSystem::GetInstance().GetBodies().size();
    Frames(2);
    CGameManager::GetInstance().PopState();
    Frame();
    EXPECT_EQ(nullptr, Game::CGuiManager::GetInstance().FindButton("Btn"));
    EXPECT_EQ(nullptr, Entity("box4"));
    EXPECT_LT(Vesk::CPhysicsSystem::GetInstance().GetBodies().size(), bodies);
}

TEST_F(SandboxStatesTest, FreePlayPlacesTheArenaWithTheBossAsleep)
{
    auto* ulo = Enter(new Game::CUloSandboxState());
    EXPECT_EQ("uloSandboxArena", ulo->GetName());
    Game::CEntity* player = Entity("player");
    ASSERT_NE(nullptr, player);
    const CVector3D at = player->GetPosition();

    int bosses = 0, kobolds = 0;
    for (Game::CEntity* enemy : Game::CEntityFactory::GetInstance().FindByName("enemy")) {
        const std::string mesh = enemy->GetGeomNode()->GetMesh() ? enemy->GetGeomNode()->GetMesh()->GetName() : "";
        if (mesh == "halfwoodboss") {
            ++bosses;
            ASSERT_NE(nullptr, enemy->GetController());
            EXPECT_FALSE(enemy->GetController()->m_Enabled);
            EXPECT_NEAR(850.0f, enemy->GetPosition().x, 0.5f);
            EXPECT_NEAR(30.0f, enemy->GetPosition().z, 0.5f);
        } else if (mesh == "koboldminion_v3") {
            ++kobolds;
            EXPECT_GT(enemy->GetPosition().x, at.x + 150.0f);
        }
    }
    EXPECT_EQ(1, bosses);
    EXPECT_EQ(4, kobolds);
    EXPECT_EQ(2u, Game::CEntityFactory::GetInstance().FindByName("potion").size());
    EXPECT_EQ(3u, Game::CEntityFactory::GetInstance().FindByName("crate").size());
    ASSERT_NE(nullptr, ulo->GetBossTrigger());
    EXPECT_NEAR(750.0f, ulo->GetBossTrigger()->GetPosition().x, 0.5f);

    // "start" holds 1.5 s, then the play runs; the boss does not act meanwhile.
    EXPECT_EQ("start", ulo->GetSubStateName());
    const Game::CGameMaster& master = Game::CGameMaster::GetInstance();
    EXPECT_TRUE(master.GetCurrentTrackName() == "menubgm" || master.GetNextTrackName() == "menubgm");
    Frames(100);
    EXPECT_EQ("running", ulo->GetSubStateName());
    EXPECT_EQ(Game::PHASE_RUNNING, Game::CGameMaster::GetInstance().GetPhase());
}

TEST_F(SandboxStatesTest, FreePlayPausesWithEscapeEvenDuringItsStart)
{
    auto* ulo = Enter(new Game::CUloSandboxState());
    Frame();
    ASSERT_EQ("start", ulo->GetSubStateName());
    Frame({Key(true, win::VK_ESCAPE)});
    Frame({Key(false, win::VK_ESCAPE)});
    EXPECT_EQ("CPauseState", TopName());
    EXPECT_EQ(2u, CGameManager::GetInstance().GetStateCount());
}

TEST_F(SandboxStatesTest, FreePlayEndsInTheMenuOnceTheLevelIsCompleteAndLeavesNoWaypoints)
{
    auto* ulo = Enter(new Game::CUloSandboxState());
    Frames(100);
    ASSERT_EQ("running", ulo->GetSubStateName());
    auto* side = dynamic_cast<Game::CSideScrollCamera*>(Vesk::CCameraManager::GetInstance().GetCamera("sidescrolling"));
    ASSERT_NE(nullptr, side);
    side->SetWaypoints({Entity("player")});

    Game::CGameMaster::GetInstance().SetPhase(Game::PHASE_LEVEL_COMPLETE);
    Frames(2);
    EXPECT_EQ("endgame", ulo->GetSubStateName());
    EXPECT_TRUE(ulo->GetScreenElements().back()->IsVisible());
    // 1.5 s of the last element, then the state gives way to the menu.
    for (int i = 0; i < 120 && TopName() == "uloSandboxArena"; ++i)
        Frame();
    EXPECT_EQ("MenuState", TopName());
    EXPECT_TRUE(side->GetWaypoints().empty());
    EXPECT_EQ(nullptr, Entity("player"));
}

TEST_F(SandboxStatesTest, EffectsSandboxKeysActOnItsEmittersMeterAndPocket)
{
    const size_t emitters = Game::CParticleManager::GetInstance().GetEmitters().size();
    auto* plimm = Enter(new Game::CPlimmSandboxState());
    ASSERT_EQ(emitters + 6, Game::CParticleManager::GetInstance().GetEmitters().size());
    using P = Game::CPlimmSandboxState;
    EXPECT_EQ(9000u, plimm->GetEmitter(P::Portal)->GetParticles().size());
    EXPECT_TRUE(plimm->GetEmitter(P::Burn)->IsLooping());
    EXPECT_FALSE(plimm->GetEmitter(P::BurnOnce)->IsLooping());
    ASSERT_NE(nullptr, Game::CGuiManager::GetInstance().FindElement(0, "SkillPocket"));
    Frames(3);
    // Looping emitters start on their own; the one-off fire waits for P.
    EXPECT_GT(plimm->GetEmitter(P::Portal)->GetDrawnCount(), 0u);
    EXPECT_EQ(0u, plimm->GetEmitter(P::BurnOnce)->GetDrawnCount());

    Game::CMeterBar* meter = plimm->GetMeterBar();
    ASSERT_NE(nullptr, meter);
    const uint32_t value = meter->GetValue();
    TapKeys({'Y'});
    EXPECT_EQ(value + 10, meter->GetValue());
    TapKeys({'U'});
    TapKeys({'U'});
    EXPECT_EQ(value - 10, meter->GetValue());
    TapKeys({'I'});
    EXPECT_TRUE(meter->IsBlinking());
    TapKeys({'I'});
    EXPECT_FALSE(meter->IsBlinking());

    const std::string front = plimm->GetSkillPocket()->GetFrontIcon()->GetName();
    TapKeys({'T'});
    EXPECT_NE(front, plimm->GetSkillPocket()->GetFrontIcon()->GetName());

    TapKeys({'P'});
    EXPECT_FLOAT_EQ(0.0f, plimm->GetEmitter(P::Portal)->GetPosition().x);
    EXPECT_GT(plimm->GetEmitter(P::BurnOnce)->GetDrawnCount(), 0u);
    TapKeys({win::VK_SPACE});
    EXPECT_GT(plimm->GetEmitter(P::Red)->GetDrawnCount(), 0u);

    CGameManager::GetInstance().PopState();
    Frame();
    EXPECT_EQ(emitters, Game::CParticleManager::GetInstance().GetEmitters().size());
    EXPECT_EQ(nullptr, Game::CGuiManager::GetInstance().FindElement(0, "SkillPocket"));
}

TEST_F(SandboxStatesTest, HighscoreSandboxOpensTheEntryOnAScratchTable)
{
    Game::CHighscoreRecord& table = Game::CHighscoreRecord::GetInstance();
    Enter(new Game::CRessaSandboxState());
    Frame();
    auto* entry = dynamic_cast<Game::CHighscoreInputState*>(CGameManager::GetInstance().GetCurrentState());
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(0u, entry->GetScore());
    EXPECT_EQ("", entry->GetLevelName());
    EXPECT_EQ(Game::CRessaSandboxState::kScratchPath, table.GetPath());

    // What the entry saves goes to the scratch file, never to the player's table.
    table.AddRecord("", "AAA", 0);
    ASSERT_TRUE(table.Save());
    EXPECT_TRUE(testsupport::FileExists(m_Dir.File("assets/highscore_sandbox.dat")));
    EXPECT_FALSE(testsupport::FileExists(m_Dir.File("assets/highscore.dat")));

    CGameManager::GetInstance().PopState();
    Frame();
    CGameManager::GetInstance().PopState();
    Frame();
    EXPECT_EQ(Game::CHighscoreRecord::kPath, table.GetPath());
}

} // namespace
