// The content check over a run directory: every file under "assets" goes through the game's own
// loader for its kind, and every name that the code (CodeNames.h) or a data file refers to must
// resolve: meshes with their clips and parts, materials, effect files, sprites with their
// animations and characters, sounds, prefabs, attacks, particle effects, pickups, GUI elements,
// level entities and trigger links, wave entries and the level lineup. Each failure is a Problem
// naming the file that needs the name and the name.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace contentcheck {

struct Problem {
    std::string file; // the file that needs the name, relative to the run directory
    std::string name;
    std::string what;
};

inline std::ostream& operator<<(std::ostream& out, const Problem& p)
{
    return out << p.file << ": \"" << p.name << "\" " << p.what;
}

// Checks the working directory, a run directory, with the resource manager initialised on it, the
// cube-model loader registered and the graphics device up (effect files and images load on it).
std::vector<Problem> CheckContent();

} // namespace contentcheck
