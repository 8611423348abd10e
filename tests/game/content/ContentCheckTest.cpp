// The content check run on a copy of the shipped run directory: every file loads and every name
// resolves. And run on a copy with names broken the way an edit breaks them: each missing name
// is reported with the file that needs it, and nothing else is.
#include "ContentCheck.h"

#include "../../engine/resources/ResourceFixture.h"

#include "game/base/CSlotHash.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/world/TypeRegistration.h"
#include "resources/CResourceManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <utility>

namespace {

using contentcheck::Problem;
using Names = std::set<std::pair<std::string, std::string>>; // (file, name)

// Gaps in the shipped content that stay reported until they are mended, each with its reason.
// The coin and potion pickups have models (tools/gen_effect_models) that meshes.xml does not list
// yet: listing them changes the seeded runs of the level bot (LevelBotTest), which fail with them
// and must be looked at first.
const Names kOpenGaps = {{"assets/prefabsettings.xml", "smallcoin"}, {"assets/prefabsettings.xml", "healthrecovery"}};

class ContentCheckTest : public restest::DeviceResourceTest {
protected:
    void SetUp() override
    {
        DeviceResourceTest::SetUp();
        if (IsSkipped())
            return;
        Game::RegisterEntityTypes();
        Game::RegisterControllerTypes();
        Game::CSlotHash::GetInstance().RegisterCollisionGroups();
        testsupport::CopyTree(testsupport::SourceDir() + "/bin/assets", File("assets"));
    }

    // Replaces the text in the copied file, which must hold it.
    void Edit(const std::string& file, const std::string& from, const std::string& to)
    {
        std::string text = testsupport::ReadFile(File(file));
        const size_t at = text.find(from);
        ASSERT_NE(std::string::npos, at) << file << " holds no " << from;
        testsupport::WriteFile(File(file), text.replace(at, from.size(), to));
    }

    std::vector<Problem> Check()
    {
        Enter();
        EXPECT_TRUE(Vesk::CResourceManager::GetInstance().Init());
        Game::RegisterCubeMeshResource();
        return contentcheck::CheckContent();
    }
};

TEST_F(ContentCheckTest, EveryShippedFileLoadsAndEveryNameResolves)
{
    Names gaps;
    for (const Problem& problem : Check()) {
        if (kOpenGaps.count({problem.file, problem.name}))
            gaps.emplace(problem.file, problem.name);
        else
            ADD_FAILURE() << problem;
    }
    EXPECT_EQ(kOpenGaps, gaps) << "a gap is mended: take it off the list";
}

TEST_F(ContentCheckTest, AMissingNameIsReportedWithTheFileThatNeedsIt)
{
    Edit("assets/prefabsettings.xml", "meshname=\"boar\"", "meshname=\"warthog\"");
    Edit("assets/prefabsettings.xml", "<hurt val=\"player_hurt\"/>", "<hurt val=\"player_ouch\"/>");
    Edit("assets/scripts/wave/arena2.xml", "<boar ", "<wolf ");
    Edit("assets/levels/arena2.xml", "entitysettingprefabname=\"crate\"", "entitysettingprefabname=\"barrel\"");
    Edit("assets/levels/arena2.xml", "triggeringentnames=\"\"", "triggeringentnames=\"player, nobody\"");
    Edit("assets/scripts/gui/menu.xml", "name=\"PressTitle\"", "name=\"PressTitel\"");
    Edit("assets/attacks.xml", "<mesh name=\"fireball\"/>", "<mesh name=\"firebal\"/>");
    Edit("assets/scripts/pickups/pickups.xml", "effect_name=\"coinsparkle\"", "effect_name=\"coinglitter\"");
    Edit("assets/sprites.xml",
         "btn_quit.png\"/>\n    <animation name=\"idle\" fps=\"1\" start=\"1\" end=\"1\"/>\n    <animation "
         "name=\"mouseover\"",
         "btn_quit.png\"/>\n    <animation name=\"idle\" fps=\"1\" start=\"1\" end=\"1\"/>\n    <animation "
         "name=\"hover\"");
    Edit("assets/sprites.xml",
         "<dimension width=\"256\" height=\"192\" xgrid=\"1\" ygrid=\"3\"/>\n    <texture "
         "path=\"assets/textures/btn_quit.png\"/>",
         "<dimension width=\"256\" height=\"192\" xgrid=\"1\" ygrid=\"2\"/>\n    <texture "
         "path=\"assets/textures/btn_quit.png\"/>");
    Edit("assets/levellineup.dat", "purpleroom.xml", "greenroom.xml");
    Edit("assets/meshes/windmill.vskc", "IDLE", "IDLY");
    testsupport::WriteFile(File("assets/meshes/broken.vskc"), "a note, not a model");
    testsupport::WriteFile(File("assets/notes.txt"), "to do");
    std::filesystem::remove(File("assets/scripts/gui/credits.xml"));

    Names reported;
    for (const Problem& problem : Check()) {
        EXPECT_FALSE(problem.what.empty()) << problem;
        if (!kOpenGaps.count({problem.file, problem.name}))
            reported.emplace(problem.file, problem.name);
    }
    const Names expected = {
        {"assets/prefabsettings.xml", "warthog"},
        {"assets/prefabsettings.xml", "player_ouch"},
        {"assets/scripts/wave/arena2.xml", "wolf"},
        {"assets/levels/arena2.xml", "barrel"},
        {"assets/levels/arena2.xml", "nobody"},
        {"assets/scripts/gui/menu.xml", "PressTitel"},
        {"assets/scripts/gui/menu.xml", "PressTitle"},
        {"assets/attacks.xml", "firebal"},
        {"assets/scripts/pickups/pickups.xml", "coinglitter"},
        {"assets/scripts/gui/menu.xml", "BtnQuit mouseover"},
        {"assets/scripts/gui/pause.xml", "BtnQuit mouseover"},
        {"assets/sprites.xml", "BtnQuit mouseclick"},
        {"assets/levellineup.dat", "assets/levels/greenroom.xml"},
        {"assets/meshes.xml", "windmill IDLE"},
        {"assets/meshes/broken.vskc", "broken.vskc"},
        {"assets/notes.txt", "notes.txt"},
        {"assets/scripts/gui/credits.xml", "credits.xml"},
    };
    EXPECT_EQ(expected, reported);
}

} // namespace
