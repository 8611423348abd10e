// A developer probe for automated runs: after every frame it appends one line about the player
// to a text file, so a test can follow a scripted play from outside the program. The line is
// "frame=N state=S" (S the name of the game state on top), while the level editor is open its
// "edits=SIZE@INDEX blocks=B boxes=C" (edit history, terrain blocks, collision boxes), then
// space-separated key=value fields:
// the level's name, position (x y z), health, life state, animation state, running move, combo
// history size, charge level, collected skills, death count, score, combo hits, damage dealt and
// taken, remaining enemies and the player's live attacks (comma-separated, "-" for none).
// Without a player that part is "player=none". With an entity to follow, the line ends
// " entity=x,y,z" with that entity's position, or " entity=none" while it does not exist.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace Game {

class CPlayerProbe {
public:
    // Opens the file for appending; IsOpen tells whether that worked. A non-empty entity name
    // adds that entity's position to every line.
    explicit CPlayerProbe(const std::string& path, std::string entityName = std::string());
    bool IsOpen() const { return m_File.is_open(); }

    // The line for the frame with the given index, from the current world.
    static std::string Describe(uint64_t frame, const std::string& entityName = std::string());
    // Appends Describe(frame) and flushes, so the file is complete even if the run crashes.
    void WriteFrame(uint64_t frame);

private:
    std::ofstream m_File;
    std::string m_EntityName;
};

} // namespace Game
