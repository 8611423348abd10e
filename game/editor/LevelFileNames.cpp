#include "game/editor/LevelFileNames.h"

#include <filesystem>

namespace Game {

LevelSaveName LevelNameForSavePath(const std::string& chosenPath, const std::string& levelsDirectory)
{
    namespace fs = std::filesystem;
    LevelSaveName result;
    std::error_code error;
    const fs::path chosen = fs::absolute(chosenPath, error).lexically_normal();
    fs::path levels = fs::absolute(levelsDirectory, error).lexically_normal();
    if (!levels.has_filename())
        levels = levels.parent_path();
    const fs::path relative = chosen.lexically_relative(levels);
    result.outside = relative.empty() || *relative.begin() == ".." || relative.has_parent_path();
    std::string name = chosen.filename().string();
    const size_t xml = name.find(".xml");
    if (xml != std::string::npos)
        name.erase(xml);
    result.name = name;
    return result;
}

} // namespace Game
