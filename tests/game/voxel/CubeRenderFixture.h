// A real device on the headless driver for tests that draw voxel models: a scratch copy of the
// project's assets as the working directory, a window, the renderer, the resource manager with
// the cube-mesh loader, the scene graph and the cube renderer; frames drawn in the game
// manager's order.
#pragma once

#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/voxel/CubeRenderer.h"
#include "support/TestSupport.h"

#include "platform/win/Video.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "scene/CRenderVisitor.h"
#include "scene/CSceneGraph.h"
#include "window/CWindowSystem.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <string>

namespace voxeltest {

class CubeRenderFixture : public ::testing::Test {
protected:
    // Call first in SetUp, and return when the test was skipped or failed.
    void SetUpDevice(int width, int height)
    {
        if (win::HasRealDisplay())
            GTEST_SKIP() << "needs the headless driver";
        testsupport::CopyTree(testsupport::SourceDir() + "/bin/assets", m_Dir.File("assets"));
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_Previous = cwd;
        ASSERT_EQ(chdir(m_Dir.Path().c_str()), 0);

        ASSERT_TRUE(Vesk::CCameraManager::GetInstance().Init());
        ASSERT_TRUE(Vesk::CWindowSystem::GetInstance().CreateMainWindow(10, 10, width, height, "cube test", false));
        ASSERT_TRUE(m_Renderer.Init()) << m_Renderer.GetErrorMessage();
        ASSERT_TRUE(Vesk::CResourceManager::GetInstance().Init());
        ASSERT_TRUE(m_Scene.Init());
        Game::RegisterCubeMeshResource();
        ASSERT_TRUE(Game::InitCubeRenderer(30000, 15000));
    }
    bool DeviceReady() const { return !IsSkipped() && !HasFatalFailure(); }

    void TearDown() override
    {
        if (m_Previous.empty())
            return;
        Game::ReleaseCubeRenderer();
        m_Scene.Shutdown();
        ReleaseMeshes();
        Vesk::CResourceManager::GetInstance().Shutdown();
        Vesk::CResManager<Game::CVeskCubeMesh>::GetInstance().ReleaseAll();
        m_Renderer.Shutdown();
        Vesk::CWindowSystem::GetInstance().DestroyMainWindow();
        Vesk::CCameraManager::GetInstance().Shutdown();
        EXPECT_EQ(chdir(m_Previous.c_str()), 0);
    }
    // Meshes the test owns go after the scene, before the resource manager.
    virtual void ReleaseMeshes() {}

    // The 3D part of a frame, in the game manager's order.
    void DrawFrame()
    {
        m_Scene.CullAndRender();
        if (Vesk::CRenderer::PreSceneCallback preScene = m_Renderer.GetPreSceneCallback())
            preScene();
        m_Renderer.SetDefaultRenderStates();
        m_Renderer.ClearViewport();
        m_Renderer.BeginScene();
        if (Vesk::CRenderVisitor* visitor = m_Scene.GetRenderVisitor())
            visitor->RenderLateBuckets();
        m_Scene.m_PostDrawHook();
        m_Scene.DeleteRenderVisitor();
    }

    testsupport::ScratchDir m_Dir;
    std::string m_Previous;
    Vesk::CRenderer& m_Renderer = Vesk::CRenderer::GetInstance();
    Vesk::CSceneGraph& m_Scene = Vesk::CSceneGraph::GetInstance();
};

} // namespace voxeltest
