// The per-type caches (hits, misses, retries, fallbacks, release) and the resource manager's
// start-up, mesh-loading order, fallbacks and unloaders.
#include "MD2Fixture.h"
#include "ResourceFixture.h"

#include "resources/CDXEffect.h"
#include "resources/CDXFont.h"
#include "resources/CDXMaterial.h"
#include "resources/CDXRenderTarget.h"
#include "resources/CDXTexture.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "resources/CXMesh.h"
#include "resources/md2/CMD2Mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using Vesk::CMD2Mesh;
using Vesk::CResManager;
using Vesk::CResourceManager;
using Vesk::CXMesh;
using Vesk::IMesh;

namespace {

std::vector<std::string> g_Log;
bool g_DefaultMissing = false;

// Loads unless its argument starts with "bad" (or is "default" while that is missing); logs
// loads, device notices and deletion.
class CountedResource : public Vesk::IResource {
public:
    ~CountedResource() override { g_Log.push_back("delete " + m_Arg); }
    bool Load(const std::string& arg) override
    {
        g_Log.push_back("load " + arg);
        m_Arg = arg;
        return arg.compare(0, 3, "bad") != 0 && !(arg == "default" && g_DefaultMissing);
    }
    void OnLostDevice() override { g_Log.push_back("lost " + m_Arg); }
    void OnResetDevice() override { g_Log.push_back("reset " + m_Arg); }

private:
    std::string m_Arg;
};

std::vector<std::string> TakeLog()
{
    std::vector<std::string> log;
    log.swap(g_Log);
    return log;
}

class RecordingMesh : public IMesh {
public:
    bool Load(const std::string&) override { return true; }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Render() override {}
};

RecordingMesh g_LoaderMesh;

// Answers for the name "fromloader" only.
IMesh* LoaderA(const std::string& name, const std::string& path)
{
    g_Log.push_back("A " + name + " " + path);
    return name == "fromloader" ? &g_LoaderMesh : nullptr;
}

IMesh* LoaderB(const std::string& name, const std::string& path)
{
    g_Log.push_back("B " + name + " " + path);
    return nullptr;
}

void UnloaderA(const std::string& name) { g_Log.push_back("unload A " + name); }
void UnloaderB(const std::string& name) { g_Log.push_back("unload B " + name); }

const char* const kMeshes = "<meshes>"
                            "<default path=\"assets/meshes/default.x\"/>"
                            "<fromloader path=\"models/a.vskc\"/>"
                            "<good path=\"assets/meshes/good.x\"/>"
                            "<broken path=\"assets/meshes/broken.x\"/>"
                            "<other path=\"models/b.md2\"/>"
                            "<walker path=\"assets/meshes/walker.MD2\"/>"
                            "<nopath/>"
                            "<cube path=\"assets/meshes/good.x\"/>"
                            "</meshes>";

// A resource of type Base that logs the device notices under its kind.
template <typename Base>
class NoticeLogger : public Base {
public:
    explicit NoticeLogger(const char* kind) : m_Kind(kind) {}
    void OnLostDevice() override { g_Log.push_back(std::string("lost ") + m_Kind); }
    void OnResetDevice() override { g_Log.push_back(std::string("reset ") + m_Kind); }

private:
    const char* m_Kind;
};

template <typename T>
void AdoptLogger(const char* kind)
{
    CResManager<T>::GetInstance().Adopt(kind, std::make_unique<NoticeLogger<T>>(kind));
}

class ResourceManagerTest : public restest::ResourceTest {
protected:
    void SetUp() override { g_Log.clear(); }
};

} // namespace

TEST(ResourceCacheTest, LoadsOncePerNameRetriesFailuresAndFallsBackToDefault)
{
    CResManager<CountedResource>& cache = CResManager<CountedResource>::GetInstance();
    g_Log.clear();

    CountedResource* first = cache.GetResource("a", "a-file");
    EXPECT_EQ(first, cache.GetResource("a", "ignored"));
    EXPECT_EQ((std::vector<std::string>{"load a-file"}), TakeLog());

    // A failed load is deleted, not cached, and tried again on the next request.
    EXPECT_EQ(nullptr, cache.GetResource("b", "bad-file"));
    EXPECT_EQ(nullptr, cache.GetResource("b", "bad-file"));
    EXPECT_EQ((std::vector<std::string>{"load bad-file", "delete bad-file", "load bad-file", "delete bad-file"}),
              TakeLog());
    EXPECT_EQ(1u, cache.GetCount());

    // Without a "default" entry the fallback fails too; with one, it is loaded once and shared.
    g_DefaultMissing = true;
    EXPECT_EQ(nullptr, CResManager<CountedResource>::GetOrDefault("bad-name"));
    EXPECT_EQ((std::vector<std::string>{"load bad-name", "delete bad-name", "load default", "delete default"}),
              TakeLog());
    g_DefaultMissing = false;
    CountedResource* fallback = CResManager<CountedResource>::GetOrDefault("bad-name");
    ASSERT_NE(nullptr, fallback);
    EXPECT_EQ(fallback, CResManager<CountedResource>::GetOrDefault("bad-name"));
    EXPECT_EQ(first, CResManager<CountedResource>::GetOrDefault("a"));
    EXPECT_EQ((std::vector<std::string>{"load bad-name", "delete bad-name", "load default", "load bad-name",
                                        "delete bad-name"}),
              TakeLog());

    cache.OnLostDevice();
    cache.OnResetDevice();
    std::vector<std::string> log = TakeLog();
    std::sort(log.begin(), log.end());
    EXPECT_EQ((std::vector<std::string>{"lost a-file", "lost default", "reset a-file", "reset default"}), log);

    cache.ReleaseAll();
    log = TakeLog();
    std::sort(log.begin(), log.end());
    EXPECT_EQ((std::vector<std::string>{"delete a-file", "delete default"}), log);
    EXPECT_EQ(0u, cache.GetCount());
    EXPECT_EQ(nullptr, cache.Find("a"));
}

TEST_F(ResourceManagerTest, StartupNeedsEveryDefinitionFileAndTheDefaultMesh)
{
    const char* const files[] = {"meshes", "materials", "sprites", "fonts", "rendertargets"};
    CResourceManager& manager = CResourceManager::GetInstance();
    Enter();
    for (int missing = 0; missing < 5; ++missing) {
        WriteDefinitions(restest::Definitions());
        std::remove(File(std::string("assets/") + files[missing] + ".xml").c_str());
        // A later file that does not parse is not reached.
        if (missing < 4)
            testsupport::WriteFile(File("assets/rendertargets.xml"), "<rendertargets>");
        EXPECT_FALSE(manager.Init());
        EXPECT_EQ(std::string("CResourceManager:: Path assets/") + files[missing] + ".xml not found",
                  manager.GetErrorMessage());
    }

    restest::Definitions unparsable;
    unparsable.fonts = "<fonts><default>";
    EXPECT_FALSE(Start(unparsable));
    EXPECT_EQ("CResourceManager:: Path assets/fonts.xml not found", CResourceManager::GetInstance().GetErrorMessage());

    for (const char* meshes : {"<meshes/>", "<meshes><default/></meshes>", "<meshes><other path=\"a.x\"/></meshes>"}) {
        restest::Definitions noDefault;
        noDefault.meshes = meshes;
        EXPECT_FALSE(Start(noDefault)) << meshes;
        EXPECT_EQ("CResourceManager:: assets/meshes.xml names no \"default\" mesh path",
                  CResourceManager::GetInstance().GetErrorMessage());
    }

    EXPECT_TRUE(Start());
}

TEST_F(ResourceManagerTest, MeshesComeFromLoadersThenTheXCacheThenLoadersAgainThenDefault)
{
    restest::Definitions definitions;
    definitions.meshes = kMeshes;
    ASSERT_TRUE(Start(definitions));
    testsupport::WriteFile(File("assets/meshes/good.x"), restest::DefaultMeshText());
    testsupport::WriteFile(File("assets/meshes/broken.x"), "xof 0303txt 0032\nMesh m { 1; 0;0;0;; 1; 3;0,1,2;; }");
    md2fixture::Model walker;
    walker.frames.resize(1);
    walker.frames[0].name = "walk1";
    walker.frames[0].vertices = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}};
    const std::vector<uint8_t> walkerBytes = md2fixture::Build(walker);
    testsupport::WriteFile(File("assets/meshes/walker.MD2"), std::string(walkerBytes.begin(), walkerBytes.end()));

    CResourceManager& manager = CResourceManager::GetInstance();
    manager.RegisterMeshLoader(&LoaderA);
    manager.RegisterMeshLoader(&LoaderB);
    manager.RegisterMeshLoader(&LoaderA);

    IMesh* good = manager.LoadMesh("good");
    CXMesh* goodX = CResManager<CXMesh>::GetInstance().Find("good");
    ASSERT_NE(nullptr, good);
    EXPECT_EQ(goodX, good);
    IMesh* fallback = manager.LoadMesh("unlisted");
    ASSERT_NE(nullptr, fallback);
    EXPECT_EQ(CResManager<CXMesh>::GetInstance().Find("default"), fallback);
    EXPECT_NE(good, fallback);
    TakeLog();

    struct Case {
        const char* name;
        IMesh* result;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"fromloader", &g_LoaderMesh, {"A fromloader models/a.vskc"}},
        // A cached .x name still passes the loaders first.
        {"good", good, {"A good assets/meshes/good.x", "B good assets/meshes/good.x"}},
        {"broken",
         fallback,
         {"A broken assets/meshes/broken.x", "B broken assets/meshes/broken.x", "A broken assets/meshes/broken.x",
          "B broken assets/meshes/broken.x"}},
        // .md2 files go to the MD2 cache; files of another kind are not read as .x.
        {"walker", nullptr, {"A walker assets/meshes/walker.MD2", "B walker assets/meshes/walker.MD2"}},
        {"other",
         fallback,
         {"A other models/b.md2", "B other models/b.md2", "A other models/b.md2", "B other models/b.md2"}},
        {"nopath", fallback, {}},
        {"unlisted", fallback, {}},
        {"default", fallback, {"A default assets/meshes/default.x", "B default assets/meshes/default.x"}},
        // Listed, "cube" is the file's mesh, cached under its own name.
        {"cube", nullptr, {"A cube assets/meshes/good.x", "B cube assets/meshes/good.x"}},
    };
    for (const Case& c : cases) {
        IMesh* mesh = manager.LoadMesh(c.name);
        if (c.result) {
            EXPECT_EQ(c.result, mesh) << c.name;
        }
        EXPECT_EQ(c.calls, TakeLog()) << c.name;
    }
    ASSERT_NE(nullptr, CResManager<CMD2Mesh>::GetInstance().Find("walker"));
    EXPECT_EQ(CResManager<CMD2Mesh>::GetInstance().Find("walker"), manager.LoadMesh("walker"));
    EXPECT_EQ(CResManager<CXMesh>::GetInstance().Find("cube"), manager.LoadMesh("cube"));
    EXPECT_NE(good, manager.LoadMesh("cube"));
    EXPECT_EQ(nullptr, CResManager<CXMesh>::GetInstance().Find("broken"));
    EXPECT_EQ(nullptr, CResManager<CXMesh>::GetInstance().Find("walker"));
}

TEST_F(ResourceManagerTest, ABrokenDefaultMeshLeavesFailedRequestsWithoutAMesh)
{
    restest::Definitions definitions;
    definitions.meshes = "<meshes><default path=\"assets/meshes/missing.x\"/></meshes>";
    ASSERT_TRUE(Start(definitions));
    EXPECT_EQ(nullptr, CResourceManager::GetInstance().LoadMesh("unlisted"));
    EXPECT_EQ(nullptr, CResourceManager::GetInstance().LoadMesh("default"));
}

TEST_F(ResourceManagerTest, UnloadersHearOnlyListedNamesAndCachedMeshesStay)
{
    restest::Definitions definitions;
    definitions.meshes = kMeshes;
    ASSERT_TRUE(Start(definitions));
    testsupport::WriteFile(File("assets/meshes/good.x"), restest::DefaultMeshText());
    CResourceManager& manager = CResourceManager::GetInstance();
    IMesh* good = manager.LoadMesh("good");
    manager.RegisterMeshUnloader(&UnloaderA);
    manager.RegisterMeshUnloader(&UnloaderB);
    manager.RegisterMeshUnloader(&UnloaderA);

    manager.UnloadMesh("good");
    manager.UnloadMesh("unlisted");
    EXPECT_EQ((std::vector<std::string>{"unload A good", "unload B good"}), TakeLog());
    EXPECT_EQ(good, manager.LoadMesh("good"));

    // Shutdown empties the caches before the graphics device goes.
    manager.Shutdown();
    EXPECT_EQ(nullptr, CResManager<CXMesh>::GetInstance().Find("good"));
}

TEST_F(ResourceManagerTest, DeviceNoticesReachTheCachesInTheirFixedOrders)
{
    ASSERT_TRUE(Start());
    AdoptLogger<CXMesh>("xmesh");
    AdoptLogger<Vesk::CDXRenderTarget>("rendertarget");
    AdoptLogger<Vesk::CDXMaterial>("material");
    AdoptLogger<CMD2Mesh>("md2");
    AdoptLogger<Vesk::CDXTexture>("texture");
    AdoptLogger<Vesk::CDXEffect>("effect");
    AdoptLogger<Vesk::CDXFont>("font");

    CResourceManager::GetInstance().OnLostDevice();
    EXPECT_EQ((std::vector<std::string>{"lost effect", "lost texture", "lost material", "lost xmesh", "lost md2",
                                        "lost font", "lost rendertarget"}),
              TakeLog());
    CResourceManager::GetInstance().OnResetDevice();
    EXPECT_EQ((std::vector<std::string>{"reset texture", "reset material", "reset xmesh", "reset md2", "reset font",
                                        "reset rendertarget", "reset effect"}),
              TakeLog());
}
