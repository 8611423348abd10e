// The lineup file: tokens up to "#", each a level file under "assets/levels/"; no file, no list;
// what is no regular file (a device, a pipe, a folder) is refused at once with a log line.
#include "support/TestSupport.h"

#include "game/world/CLevelLineup.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(CLevelLineupTest, ReadsTokensUpToTheEndMark)
{
    const struct {
        const char* contents;
        std::vector<std::string> paths;
    } cases[] = {
        {"a.xml b.xml # c.xml", {"assets/levels/a.xml", "assets/levels/b.xml"}},
        {"arena2.xml\n\temeraldroom.xml\r\n  purpleroom.xml", // no end mark: to the end of the file
         {"assets/levels/arena2.xml", "assets/levels/emeraldroom.xml", "assets/levels/purpleroom.xml"}},
        {"# a.xml", {}},
        {"", {}},
        {"a.xml#b.xml #", {"assets/levels/a.xml#b.xml"}}, // "#" ends the list only as a token of its own
    };
    testsupport::ScratchDir dir;
    Game::CLevelLineup& lineup = Game::CLevelLineup::GetInstance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents);
        testsupport::WriteFile(dir.File("lineup.dat"), c.contents);
        lineup.SetCurrentIndex(2);
        EXPECT_TRUE(lineup.ReadLineup(dir.File("lineup.dat")));
        EXPECT_EQ(lineup.GetLevelPaths(), c.paths);
        EXPECT_EQ(lineup.GetCurrentIndex(), 0);
        EXPECT_EQ(lineup.GetCurrentLevelPath(), c.paths.empty() ? std::string() : c.paths[0]);
    }
}

TEST(CLevelLineupTest, MissingFileAndIndexOutsideGiveNoPath)
{
    testsupport::ScratchDir dir;
    Game::CLevelLineup& lineup = Game::CLevelLineup::GetInstance();
    testsupport::WriteFile(dir.File("lineup.dat"), "a.xml b.xml #");
    ASSERT_TRUE(lineup.ReadLineup(dir.File("lineup.dat")));
    lineup.SetCurrentIndex(1);
    EXPECT_EQ(lineup.GetCurrentLevelPath(), "assets/levels/b.xml");
    for (int index : {-1, 2}) {
        lineup.SetCurrentIndex(index);
        EXPECT_EQ(lineup.GetCurrentLevelPath(), "") << index;
    }
    EXPECT_FALSE(lineup.ReadLineup(dir.File("missing.dat")));
    EXPECT_TRUE(lineup.GetLevelPaths().empty());
}

TEST(CLevelLineupTest, DevicesPipesAndFoldersAreRefusedWithALogLine)
{
    testsupport::ScratchDir dir;
    const std::string fifo = dir.File("lineup.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Game::CLevelLineup& lineup = Game::CLevelLineup::GetInstance();
    // Each would grow without end, block with no writer, or read as an empty list.
    for (const std::string& path : {std::string("/dev/zero"), fifo, dir.Path()}) {
        SCOPED_TRACE(path);
        testsupport::WriteFile(dir.File("lineup.dat"), "a.xml #");
        ASSERT_TRUE(lineup.ReadLineup(dir.File("lineup.dat")));
        testing::internal::CaptureStderr();
        EXPECT_FALSE(lineup.ReadLineup(path));
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(lineup.GetLevelPaths().empty());
        EXPECT_NE(log.find("CLevelLineup: cannot read the lineup \"" + path + "\": not a regular file"),
                  std::string::npos)
            << log;
    }
}

TEST(CLevelLineupTest, ShippedLineupPlaysTheThreeLevelsInOrder)
{
    Game::CLevelLineup& lineup = Game::CLevelLineup::GetInstance();
    ASSERT_TRUE(lineup.ReadLineup(testsupport::SourceDir() + "/bin/assets/levellineup.dat"));
    EXPECT_EQ(lineup.GetLevelPaths(),
              (std::vector<std::string>{"assets/levels/arena2.xml", "assets/levels/emeraldroom.xml",
                                        "assets/levels/purpleroom.xml"}));
}

} // namespace
