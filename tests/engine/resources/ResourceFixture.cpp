#include "ResourceFixture.h"

#include "platform/gfx/Device.h"
#include "platform/win/Video.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CResourceManager.h"
#include "window/CWindowSystem.h"

namespace restest {

std::string DefaultMeshText()
{
    return testsupport::ReadFile(testsupport::SourceDir() + "/bin/assets/meshes/default.x");
}

void ResourceTest::WriteDefinitions(const Definitions& d)
{
    testsupport::WriteFile(File("assets/meshes.xml"), d.meshes);
    testsupport::WriteFile(File("assets/materials.xml"), d.materials);
    testsupport::WriteFile(File("assets/sprites.xml"), d.sprites);
    testsupport::WriteFile(File("assets/fonts.xml"), d.fonts);
    testsupport::WriteFile(File("assets/rendertargets.xml"), d.rendertargets);
    testsupport::WriteFile(File("assets/meshes/default.x"), DefaultMeshText());
}

void ResourceTest::Enter() { EXPECT_TRUE(m_WorkingDir.Enter(m_Dir.Path())); }

bool ResourceTest::Start(const Definitions& definitions)
{
    WriteDefinitions(definitions);
    Enter();
    return Vesk::CResourceManager::GetInstance().Init();
}

bool ResourceTest::StartWithRepositoryAssets()
{
    testsupport::CopyTree(testsupport::SourceDir() + "/bin/assets", File("assets"));
    Enter();
    return Vesk::CResourceManager::GetInstance().Init();
}

// Every manager goes, the resource manager's caches with the renderer's lights and queues.
void ResourceTest::TearDown() { testsupport::ResetManagers(); }

void DeviceResourceTest::SetUp()
{
    if (win::HasRealDisplay())
        GTEST_SKIP() << "needs the headless driver";
    ASSERT_TRUE(Vesk::CCameraManager::GetInstance().Init());
    ASSERT_TRUE(Vesk::CWindowSystem::GetInstance().CreateMainWindow(10, 10, 500, 280, "resource test", false));
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    ASSERT_TRUE(renderer.Init()) << renderer.GetErrorMessage();
}

void DeviceResourceTest::TearDown()
{
    ResourceTest::TearDown();
    Vesk::CRenderer::GetInstance().Shutdown();
    Vesk::CWindowSystem::GetInstance().DestroyMainWindow();
    Vesk::CCameraManager::GetInstance().Shutdown();
}

uint32_t DeviceResourceTest::Pixel(int x, int y) const
{
    return Vesk::CRenderer::GetInstance().GetDevice()->ReadPixels(x, y, 1, 1).at(0);
}

} // namespace restest
