#include "game/world/CLevelLineup.h"

#include "core/Log.h"
#include "platform/win/RegularFile.h"

#include <sstream>

namespace Game {

bool CLevelLineup::Init()
{
    ReadLineup(kLineupPath);
    return true;
}

bool CLevelLineup::ReadLineup(const std::string& path)
{
    m_CurrentIndex = 0;
    m_LevelPaths.clear();
    std::string text, error;
    if (!win::ReadRegularFile(path, text, error)) {
        Vesk::LogLine("CLevelLineup: cannot read the lineup \"" + path + "\": " + error);
        return false;
    }
    std::istringstream tokens(text);
    std::string token;
    while (tokens >> token && token != "#")
        m_LevelPaths.push_back(kLevelsDirectory + token);
    return true;
}

std::string CLevelLineup::GetCurrentLevelPath() const
{
    if (m_CurrentIndex < 0 || static_cast<size_t>(m_CurrentIndex) >= m_LevelPaths.size())
        return std::string();
    return m_LevelPaths[static_cast<size_t>(m_CurrentIndex)];
}

} // namespace Game
