// Levels: the file the next play state loads, the current level's name and its unload. Loading
// comes with the game-world work; for now the manager keeps the names.
#pragma once

#include "core/CSingleton.h"

#include <string>

namespace Game {

class CLevelManager : public Vesk::CSingleton<CLevelManager> {
public:
    void SetLevelFileName(const std::string& name) { m_LevelFileName = name; }
    const std::string& GetLevelFileName() const { return m_LevelFileName; }
    // The "levelname" of the loaded level; empty while none is loaded.
    void SetLevelName(const std::string& name) { m_LevelName = name; }
    const std::string& GetLevelName() const { return m_LevelName; }
    // Unloads the current level; safe to call when none is loaded.
    void UnloadLevel() {}

private:
    std::string m_LevelFileName;
    std::string m_LevelName;
};

} // namespace Game
