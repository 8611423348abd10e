// A real device on the headless driver for tests that draw voxel models: a scratch copy of the
// project's assets as the working directory, a window, the renderer, the resource manager with
// the cube-mesh loader, the scene graph and the cube renderer; cameras and a directional light;
// frames drawn in the game manager's order, with a hook for what the test draws over the scene.
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
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));

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
        if (!m_WorkingDir.Entered())
            return;
        Game::ReleaseCubeRenderer();
        m_Scene.Shutdown();
        ReleaseMeshes();
        Vesk::CResourceManager::GetInstance().Shutdown();
        Vesk::CResManager<Game::CVeskCubeMesh>::GetInstance().ReleaseAll();
        m_Renderer.Shutdown();
        Vesk::CWindowSystem::GetInstance().DestroyMainWindow();
        Vesk::CCameraManager::GetInstance().Shutdown();
    }
    // Meshes the test owns go after the scene, before the resource manager.
    virtual void ReleaseMeshes() {}

    // A new current camera looking from `eye` at `at`.
    static Vesk::CCamera* AddCamera(const std::string& name, const CVector3D& eye, const CVector3D& at)
    {
        Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().CreateCamera<Vesk::CCamera>(name, true);
        Aim(*camera, eye, at);
        return camera;
    }
    static void Aim(Vesk::CCamera& camera, const CVector3D& eye, const CVector3D& at)
    {
        camera.SetEye(eye);
        camera.SetLookAt(at);
        camera.Reset();
        camera.Update(0.0f);
    }
    // Scene light 0, shining along `direction`.
    void AddDirectionalLight(const CVector3D& direction)
    {
        m_Renderer.AddLight();
        Vesk::CLight* light = m_Renderer.GetLight(0);
        const CVector3D along = direction.GetNormalized();
        light->m_Type = 1;
        light->m_Direction[0] = along.x;
        light->m_Direction[1] = along.y;
        light->m_Direction[2] = along.z;
    }

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
        DrawAfterScene();
        m_Scene.DeleteRenderVisitor();
    }
    // What the test draws over the scene in each frame, before the frame's visitor goes.
    virtual void DrawAfterScene() {}

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
    Vesk::CRenderer& m_Renderer = Vesk::CRenderer::GetInstance();
    Vesk::CSceneGraph& m_Scene = Vesk::CSceneGraph::GetInstance();
};

} // namespace voxeltest
