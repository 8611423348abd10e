#include "support/TestSupport.h"

#include "game/gui/CHighscoreRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace {

using Game::CHighscoreRecord;
using Game::HighscoreEntry;

struct Row {
    std::string name;
    uint32_t score;
    bool operator==(const Row& other) const { return name == other.name && score == other.score; }
};

std::ostream& operator<<(std::ostream& out, const Row& row) { return out << row.name << ":" << row.score; }

class CHighscoreRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, mkdir(m_Dir.File("assets").c_str(), 0755));
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        Table().Shutdown();
    }
    void TearDown() override { Table().Shutdown(); }

    static CHighscoreRecord& Table() { return CHighscoreRecord::GetInstance(); }
    static std::string FilePath() { return "assets/highscore.dat"; }

    static std::vector<Row> Rows(const std::string& level)
    {
        std::vector<Row> rows;
        for (const HighscoreEntry& entry : Table().GetRecords(level))
            rows.push_back({Game::HighscoreName(entry.playerName), entry.score});
        return rows;
    }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
};

TEST_F(CHighscoreRecordTest, ANewLevelStartsWithFourDefaultsAndKeepsTheFiveBestComparedUnsigned)
{
    EXPECT_EQ(0u, Table().GetLowestScore("arena2")) << "a level without records lets any score in";

    Table().AddRecord("arena2", "ZED", 500);
    EXPECT_EQ((std::vector<Row>{{"AAA", 999}, {"AAA", 999}, {"AAA", 999}, {"AAA", 999}, {"ZED", 500}}), Rows("arena2"));
    EXPECT_EQ(500u, Table().GetLowestScore("arena2"));

    Table().AddRecord("arena2", "TOP", 1000);
    EXPECT_EQ((std::vector<Row>{{"TOP", 1000}, {"AAA", 999}, {"AAA", 999}, {"AAA", 999}, {"AAA", 999}}),
              Rows("arena2"));

    // The top bit set is a large unsigned number, not a negative one.
    Table().AddRecord("arena2", "BIG", 0x80000000u);
    EXPECT_EQ((Row{"BIG", 0x80000000u}), Rows("arena2").front());
    EXPECT_EQ(999u, Table().GetLowestScore("arena2"));

    // A tie with the lowest kept score keeps five records.
    Table().AddRecord("arena2", "TIE", 999);
    EXPECT_EQ(5u, Rows("arena2").size());
    EXPECT_EQ(999u, Table().GetLowestScore("arena2"));

    EXPECT_TRUE(Table().GetRecords("purpleroom").empty());
}

TEST_F(CHighscoreRecordTest, SaveWritesTheRecordFormatByteForByteInLevelOrder)
{
    Table().AddRecord("purpleroom", "PIP", 7);
    Table().AddRecord("arena2", "ZED", 0x01020304u);
    ASSERT_TRUE(Table().Save());

    const std::string bytes = testsupport::ReadFile(FilePath());
    ASSERT_EQ(10u * 516u, bytes.size());
    std::string expected = testsupport::HighscoreRecordBytes("arena2", "ZED", 0x01020304u);
    for (int i = 0; i < 4; ++i)
        expected += testsupport::HighscoreRecordBytes("arena2", "AAA", 999);
    for (int i = 0; i < 4; ++i)
        expected += testsupport::HighscoreRecordBytes("purpleroom", "AAA", 999);
    expected += testsupport::HighscoreRecordBytes("purpleroom", "PIP", 7);
    EXPECT_EQ(expected, bytes) << "arena2 before purpleroom; score little-endian at 512; padding zero";
    EXPECT_EQ('\x04', bytes[512]);
    EXPECT_EQ('\x01', bytes[515]);

    Table().Shutdown();
    EXPECT_EQ((std::vector<Row>{{"AAA", 999}, {"AAA", 999}, {"AAA", 999}, {"AAA", 999}, {"PIP", 7}}),
              Rows("purpleroom"))
        << "the table loads itself on first use";
}

TEST_F(CHighscoreRecordTest, LoadKeepsFileOrderAndTheWholeRecordsOfATruncatedFile)
{
    testsupport::WriteFile(FilePath(), testsupport::HighscoreRecordBytes("emeraldroom", "LOW", 3) +
                                           testsupport::HighscoreRecordBytes("emeraldroom", "HIGH", 9) +
                                           testsupport::HighscoreRecordBytes("arena2", "ONE", 1) +
                                           std::string(300, 'x'));
    ASSERT_TRUE(Table().Init());
    EXPECT_EQ((std::vector<Row>{{"LOW", 3}, {"HIGH", 9}}), Rows("emeraldroom")) << "no sorting on load";
    EXPECT_EQ((std::vector<Row>{{"ONE", 1}}), Rows("arena2"));

    // A missing file gives empty lists; Init still succeeds.
    std::remove(FilePath().c_str());
    EXPECT_TRUE(Table().Init());
    EXPECT_TRUE(Table().GetRecords("emeraldroom").empty());
    EXPECT_EQ(0u, Table().GetLowestScore("emeraldroom"));
}

TEST_F(CHighscoreRecordTest, NamesOf255BytesAndMoreAreCutTo254AndReadBackBounded)
{
    const std::string longLevel(300, 'L');
    const std::string longName(255, 'N');
    Table().AddRecord(longLevel, longName, 42);
    ASSERT_TRUE(Table().Save());
    const std::string bytes = testsupport::ReadFile(FilePath());
    ASSERT_EQ(5u * 516u, bytes.size());
    EXPECT_EQ('\0', bytes[254]) << "the level field always ends in a zero";
    EXPECT_EQ('\0', bytes[255 + 254]) << "the player field always ends in a zero";

    // A file written elsewhere with both fields full to the last byte stops at 255 bytes.
    const std::string full = testsupport::HighscoreRecordBytes(std::string(255, 'F'), std::string(255, 'G'), 5);
    testsupport::WriteFile(FilePath(), full);
    ASSERT_TRUE(Table().Init());
    const std::vector<HighscoreEntry> records = Table().GetRecords(std::string(255, 'F'));
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(std::string(255, 'G'), Game::HighscoreName(records[0].playerName));
}

TEST_F(CHighscoreRecordTest, AFailedSaveLeavesTheOldFileWhole)
{
    const std::string old = testsupport::HighscoreRecordBytes("arena2", "OLD", 77);
    testsupport::WriteFile(FilePath(), old);
    // The temporary file cannot be made where a folder of its name stands.
    ASSERT_EQ(0, mkdir((FilePath() + ".tmp").c_str(), 0755));
    Table().AddRecord("arena2", "NEW", 5000);
    EXPECT_FALSE(Table().Save());
    EXPECT_EQ(old, testsupport::ReadFile(FilePath()));
}

TEST_F(CHighscoreRecordTest, ASaveFromAPlayStartedDirectlyKeepsEveryOtherLevel)
{
    // No menu ever ran Init: the play state asks for the lowest score, the name entry saves.
    testsupport::WriteFile(FilePath(), testsupport::HighscoreRecordBytes("emeraldroom", "KEEP", 4321));
    EXPECT_EQ(4321u, Table().GetLowestScore("emeraldroom"));
    Table().AddRecord("arena2", "NEW", 100);
    ASSERT_TRUE(Table().Save());
    Table().Shutdown();
    EXPECT_EQ((std::vector<Row>{{"KEEP", 4321}}), Rows("emeraldroom"));
    EXPECT_EQ(5u, Rows("arena2").size());
}

} // namespace
