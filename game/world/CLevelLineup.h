// CLevelLineup: the ordered list of level files the game plays through, read from the lineup
// file (white-space separated file names relative to "assets/levels/", ended by "#"), and the
// index of the level to play.
#pragma once

#include "core/CSingleton.h"

#include <string>
#include <vector>

namespace Game {

class CLevelLineup : public Vesk::CSingleton<CLevelLineup> {
public:
    static constexpr const char* kLineupPath = "assets/levellineup.dat";
    static constexpr const char* kLevelsDirectory = "assets/levels/";

    // Reads kLineupPath; the current index goes back to 0. A file that cannot be read (missing,
    // not a regular file, too large) gives an empty list and a log line.
    bool Init() override;
    // Reads the lineup from any file, as Init does; false when the file cannot be read.
    bool ReadLineup(const std::string& path);

    const std::vector<std::string>& GetLevelPaths() const { return m_LevelPaths; }
    int GetCurrentIndex() const { return m_CurrentIndex; }
    void SetCurrentIndex(int index) { m_CurrentIndex = index; }
    // The path at the current index; empty when the index lies outside the list.
    std::string GetCurrentLevelPath() const;

private:
    std::vector<std::string> m_LevelPaths;
    int m_CurrentIndex = 0;
};

} // namespace Game
