// The first state chosen from the configuration, and the cameras registered at start-up.
#include "app/Startup.h"
#include "game/cameras/GameCameras.h"
#include "game/states/GameStates.h"
#include "game/world/CLevelManager.h"
#include "render/CCameraManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

namespace {

struct InitialStateCase {
    const char* initialState;
    const char* levelFile;
    const std::type_info& type;
    const char* name;
    const char* levelAfter; // the level manager's file name afterwards
};

} // namespace

TEST(StartupTest, InitialStateFollowsTheExactConfiguredName)
{
    const InitialStateCase cases[] = {
        {"", "", typeid(Game::CCtrlState), "CtrlState", "previous.xml"},
        {"playstate", "x.xml", typeid(Game::CCtrlState), "CtrlState", "previous.xml"},
        {"PlayState", "", typeid(Game::CPlayState), "CPlayState", "previous.xml"},
        {"PlayState", "assets/levels/arena2.xml", typeid(Game::CPlayState), "CPlayState", "assets/levels/arena2.xml"},
        {"MenuState", "", typeid(Game::CMenuState), "MenuState", "previous.xml"},
        {"PhysicsTest", "", typeid(Game::CPhyState), "CPhyState", "previous.xml"},
        {"CubeTest", "", typeid(Game::CCubeTestState), "", "previous.xml"},
        {"pmarlSandbox", "", typeid(Game::CpmarlSandboxState), "pmarlSandboxState", "previous.xml"},
        {"pmarlSandbox", "assets/levels/purpleroom.xml", typeid(Game::CpmarlSandboxState), "pmarlSandboxState",
         "assets/levels/purpleroom.xml"},
        {"UloSandbox", "", typeid(Game::CUloSandboxState), "uloSandboxArena", "previous.xml"},
        {"PlimmSandbox", "", typeid(Game::CPlimmSandboxState), "", "previous.xml"},
        {"RessaSandbox", "", typeid(Game::CRessaSandboxState), "", "previous.xml"},
    };
    for (const InitialStateCase& c : cases) {
        Game::CLevelManager::GetInstance().SetLevelFileName("previous.xml");
        std::unique_ptr<Vesk::IGameState> state(Game::CreateInitialState(c.initialState, c.levelFile));
        ASSERT_NE(nullptr, state);
        EXPECT_EQ(c.type, typeid(*state)) << c.initialState;
        EXPECT_EQ(c.name, state->GetName()) << c.initialState;
        EXPECT_EQ(c.levelAfter, Game::CLevelManager::GetInstance().GetLevelFileName()) << c.initialState;
    }
}

TEST(StartupTest, CamerasAreRegisteredOnceByNameWithoutChangingTheCurrentOne)
{
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    ASSERT_TRUE(cameras.Init());
    Vesk::CCamera* current = cameras.GetCurrentCamera();
    Game::RegisterCameras();
    Vesk::CCamera* editor = cameras.GetCamera("editorcamera");
    Game::RegisterCameras();
    EXPECT_EQ(current, cameras.GetCurrentCamera());
    EXPECT_EQ(editor, cameras.GetCamera("editorcamera"));
    EXPECT_NE(editor, cameras.GetCamera("terraineditorcamera"));
    EXPECT_NE(nullptr, dynamic_cast<Game::CSideScrollCamera*>(cameras.GetCamera("sidescrolling")));
    EXPECT_NE(nullptr, dynamic_cast<Game::CMenuCamera*>(cameras.GetCamera("menucamera")));
    EXPECT_NE(nullptr, dynamic_cast<Game::CViewerCamera*>(cameras.GetCamera("viewercam")));
    EXPECT_NE(nullptr, dynamic_cast<Game::CObjectCamera*>(cameras.GetCamera("objectcam")));
    cameras.Shutdown();
}
