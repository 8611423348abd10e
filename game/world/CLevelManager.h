// Levels: the file the next play state loads and the current level's unload. Loading comes with
// the game-world work; for now the manager keeps the file name.
#pragma once

#include "core/CSingleton.h"

#include <string>

namespace Game {

class CLevelManager : public Vesk::CSingleton<CLevelManager> {
public:
    void SetLevelFileName(const std::string& name) { m_LevelFileName = name; }
    const std::string& GetLevelFileName() const { return m_LevelFileName; }
    // Unloads the current level; safe to call when none is loaded.
    void UnloadLevel() {}

private:
    std::string m_LevelFileName;
};

} // namespace Game
