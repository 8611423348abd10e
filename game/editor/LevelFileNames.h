// Where the editor's Save As puts a chosen file: always into the levels folder, under the file's
// name cut before its first ".xml". A file chosen outside the folder is saved into it by that
// name all the same (the note says so); a name that is empty is refused.
#pragma once

#include <string>

namespace Game {

struct LevelSaveName {
    std::string name;     // the level name to save under; empty: refused
    bool outside = false; // the chosen file lay outside the levels folder
};

LevelSaveName LevelNameForSavePath(const std::string& chosenPath, const std::string& levelsDirectory);

} // namespace Game
