#include "ResourceFixture.h"

#include "resources/CResourceManager.h"

#include <unistd.h>

#include <climits>

namespace restest {

std::string DefaultMeshText() { return testsupport::ReadFile(testsupport::SourceDir() + "/bin/assets/meshes/default.x"); }

void ResourceTest::WriteDefinitions(const Definitions& d)
{
    testsupport::WriteFile(File("assets/meshes.xml"), d.meshes);
    testsupport::WriteFile(File("assets/materials.xml"), d.materials);
    testsupport::WriteFile(File("assets/sprites.xml"), d.sprites);
    testsupport::WriteFile(File("assets/fonts.xml"), d.fonts);
    testsupport::WriteFile(File("assets/rendertargets.xml"), d.rendertargets);
    testsupport::WriteFile(File("assets/meshes/default.x"), DefaultMeshText());
}

void ResourceTest::Enter()
{
    char cwd[PATH_MAX];
    if (m_PreviousDir.empty() && getcwd(cwd, sizeof(cwd)))
        m_PreviousDir = cwd;
    EXPECT_EQ(0, chdir(m_Dir.Path().c_str()));
}

bool ResourceTest::Start(const Definitions& definitions)
{
    WriteDefinitions(definitions);
    Enter();
    return Vesk::CResourceManager::GetInstance().Init();
}

void ResourceTest::TearDown()
{
    Vesk::CResourceManager::GetInstance().Shutdown();
    if (!m_PreviousDir.empty()) {
        EXPECT_EQ(0, chdir(m_PreviousDir.c_str()));
    }
}

} // namespace restest
