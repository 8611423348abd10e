// CHighscoreRecord: the best scores of every level, five per level, kept in "./assets/highscore.dat"
// as headerless 516-byte records. The table loads itself before its first use, so a save made
// by any route keeps every other level's records; saving replaces the file atomically.
#pragma once

#include "core/CSingleton.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Game {

// One record, the same in memory and in the file: names zero-padded to 255 bytes (at most 254
// characters kept, so a zero always ends them), two bytes of padding, the score little-endian.
struct HighscoreEntry {
    char levelName[255];
    char playerName[255];
    char padding[2];
    uint32_t score;
};
static_assert(sizeof(HighscoreEntry) == 516, "a highscore record is 516 bytes in the file");

// A record of the level and player names (each cut to 254 bytes) and score.
HighscoreEntry MakeHighscoreEntry(const std::string& level, const std::string& name, uint32_t score);
// The name stored in a 255-byte field: up to its first zero byte, at most 255 bytes.
std::string HighscoreName(const char (&field)[255]);

class CHighscoreRecord : public Vesk::CSingleton<CHighscoreRecord> {
public:
    static constexpr const char* kPath = "./assets/highscore.dat";
    static constexpr size_t kListLength = 5;
    static constexpr uint32_t kDefaultScore = 999;

    // Empties the lists, then loads the file; a missing file leaves them empty. Always true.
    bool Init() override;
    // Forgets the lists; the next use loads the file again.
    void Shutdown() override;

    // The file the table loads from and saves to (kPath unless set); a new path forgets the lists,
    // so the next use loads that file.
    void SetPath(const std::string& path);
    const std::string& GetPath() const { return m_Path; }

    // Empties every level's list; the level names stay.
    void Clear();
    // The score of the level's last record; 0 when the level has no records.
    uint32_t GetLowestScore(const std::string& level);
    // Adds the record and keeps the level's five best, highest first (compared unsigned). A
    // level seen for the first time starts with four records "AAA" of 999 points.
    void AddRecord(const std::string& level, const std::string& name, uint32_t score);
    // Rewrites the file from the lists, levels in ascending name order; false (and the old file
    // kept whole) when it cannot be written.
    bool Save();
    // A copy of the level's records; empty when the level is unknown.
    std::vector<HighscoreEntry> GetRecords(const std::string& level);

private:
    void EnsureLoaded();
    void Load();

    std::map<std::string, std::vector<HighscoreEntry>> m_Levels;
    bool m_Loaded = false;
    std::string m_Path = kPath;
};

} // namespace Game
