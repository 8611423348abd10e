// A running game for the level editor's tests: the game types and the two editor cameras
// registered, scripted file dialogs, a play state to open the editor over, and the mouse aimed at
// world points through the current camera.
#pragma once

#include "../gui/GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/cameras/GameCameras.h"
#include "game/editor/CLevelEditor.h"
#include "game/editor/CLevelEditorMessageSystem.h"
#include "game/editor/CLevelEditorState.h"
#include "game/editor/EditorMessage.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/states/GameStates.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CLevelManager.h"
#include "game/world/GameStartup.h"
#include "game/world/TypeRegistration.h"

#include "debug/CDebugOutputManager.h"
#include "platform/dialogs/ScriptedFileDialogs.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "render/ScreenProjection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace editortest {

class EditorStateFixture : public guitest::GuiScreenFixture {
protected:
    void SetUp() override
    {
        GuiScreenFixture::SetUp();
        Game::RegisterGameTypes();
        Levels().SetLevelFileName("");
        auto scripted = std::make_unique<dialogs::ScriptedFileDialogs>();
        m_Dialogs = scripted.get();
        dialogs::SetFileDialogs(std::move(scripted));
        Vesk::CCameraManager::GetInstance().CreateCamera<Game::CLevelEditorCamera>("editorcamera", false);
        Vesk::CCameraManager::GetInstance().CreateCamera<Game::CLevelEditorCamera>("terraineditorcamera", false);
    }

    void TearDown() override
    {
        while (GameManager().GetStateCount() > 0) {
            GameManager().PopState();
            Frame();
        }
        dialogs::SetFileDialogs(nullptr);
        Levels().SetLevelFileName("");
        Game::ReleaseCubeRenderer();
        GuiScreenFixture::TearDown();
    }

    static Vesk::CGameManager& GameManager() { return Vesk::CGameManager::GetInstance(); }
    static Game::CLevelManager& Levels() { return Game::CLevelManager::GetInstance(); }
    static Game::CLevelEditor& Editor() { return Game::CLevelEditor::GetInstance(); }
    static Game::CEntityFactory& Factory() { return Game::CEntityFactory::GetInstance(); }
    static Game::CLevelEditorMessageSystem& History() { return Game::CLevelEditorMessageSystem::GetInstance(); }
    static std::string Line27() { return Vesk::CDebugOutputManager::GetInstance().GetLine(Game::kEditorMessageLine); }

    Game::CPlayState* Play(int level)
    {
        auto* play = new Game::CPlayState("CPlayState", level);
        GameManager().PushState(play);
        Frame();
        m_Play = play;
        return play;
    }

    void OpenEditor()
    {
        Game::CLevelEditorState::s_OpeningCameraName =
            Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetName();
        ASSERT_TRUE(Game::CLevelEditorState::CanOpen());
        GameManager().PushState(new Game::CLevelEditorState());
        Frame();
        ASSERT_EQ(GameManager().GetCurrentState()->GetName(), "LevelEditorState");
    }

    // The answer of the showing dialog, then the frame whose end runs the requests it made.
    void Answer()
    {
        dialogs::GetFileDialogs().Update();
        Frame();
    }

    static CVector3D PositionOf(const std::string& name)
    {
        Game::CEntity* entity = Factory().GetEntityByName(name);
        return entity ? entity->GetPosition() : CVector3D(-1.0f, -1.0f, -1.0f);
    }

    // The current camera looks from the eye at the point.
    static void Look(const CVector3D& eye, const CVector3D& at)
    {
        Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
        ASSERT_NE(camera, nullptr);
        camera->SetEye(eye);
        camera->SetLookAt(at);
        camera->UpdateAnglesFromLookAt();
        camera->Update(0.0f);
    }

    // Where the world point shows, as fractions of the viewport.
    static void ScreenPoint(const CVector3D& world, float& fx, float& fy)
    {
        const float point[3] = {world.x, world.y, world.z};
        float screen[2] = {-1.0f, -1.0f};
        Vesk::WorldToScreen(screen, point);
        const Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
        fx = screen[0] / float(renderer.GetScreenWidth());
        fy = screen[1] / float(renderer.GetScreenHeight());
    }

    // The current camera looks at the point from the offset, moved sideways (along world x) so
    // that the point shows at the fraction fx of the viewport's width, right of the editor's
    // panels.
    static void LookAtFrom(const CVector3D& point, const CVector3D& eyeOffset, float fx = 0.85f)
    {
        Look(point + eyeOffset, point);
        float x0 = 0, x1 = 0, y = 0;
        ScreenPoint(point, x0, y);
        ScreenPoint(point + CVector3D(1, 0, 0), x1, y);
        const CVector3D shift((x0 - fx) / (x1 - x0), 0, 0);
        Look(point + shift + eyeOffset, point + shift);
    }

    // The mouse moved onto the screen point that shows the world point; the point must lie
    // clear of the panels on the left, which would take the mouse.
    void AimAt(const CVector3D& world)
    {
        float fx = 0, fy = 0;
        ScreenPoint(world, fx, fy);
        ASSERT_TRUE(fx >= 0.55f && fx <= 0.98f && fy >= 0.02f && fy <= 0.98f) << "aimed at " << fx << ", " << fy;
        MoveMouse(fx, fy);
    }

    // A button of the mouse where it is, pressed or let go, in one frame.
    void Button(bool down, int button = 0)
    {
        static const uint32_t codes[3][2] = {{win::WM_LBUTTONUP, win::WM_LBUTTONDOWN},
                                             {win::WM_RBUTTONUP, win::WM_RBUTTONDOWN},
                                             {win::WM_MBUTTONUP, win::WM_MBUTTONDOWN}};
        win::Message m;
        m.x = m_MouseX;
        m.y = m_MouseY;
        m.code = codes[button][down ? 1 : 0];
        Frame({m});
    }

    // The picture of the last frame, kept for a person under the build tree's tests/artifacts/.
    static void KeepPicture(const std::string& name)
    {
        std::filesystem::create_directories(THRUMMOCK_ARTIFACT_DIR);
        EXPECT_TRUE(
            Vesk::CRenderer::GetInstance().SaveScreenshot(std::string(THRUMMOCK_ARTIFACT_DIR) + "/" + name + ".bmp"));
    }

    dialogs::ScriptedFileDialogs* m_Dialogs = nullptr;
    Game::CPlayState* m_Play = nullptr;
};

} // namespace editortest
