// Generates the shipped levels from described heightfields, palettes and placements, through the
// engine's own writers: per level, under "meshes/", "<level>terrain.vskc" (slices of ten widths,
// as the terrain itself saves them), the wall "<level>terrainWALL.vskc" (one submesh per wall
// slab: back, left, right and a low front rail) and the height map "<level>terrainHM.dat"; under
// "levels/", the level file "<level>.xml" (player, wave locations, crates, barriers, triggers);
// "meshes/emptymesh.vskc", the empty model a slab terrain starts from; and "levellineup.dat" of
// the three shipped levels. A small test level, "testarena", is written the same way but left out
// of the lineup: runs reach it through the start-up option "levelfile".
// Blocks are 4 units; block (w, d, h) is the cube at (w, h, d).
// Usage: gen_levels [assets directory, default bin/assets]. Output is deterministic.
#include "game/terrain/TerrainSlices.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeHeightMap.h"

#include "ContentColour.h"
#include "LevelXml.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using Game::CubeSubmesh;
using Game::CVeskCubeMesh;

namespace {

// An axis-aligned patch of columns, w0..w1 and d0..d1 inclusive, raised to a top height above the
// floor.
struct Patch {
    int w0, d0, w1, d1;
    int top;
    bool Holds(int w, int d) const { return w >= w0 && w <= w1 && d >= d0 && d <= d1; }
};

struct Palette {
    CVector3D topA, topB;                   // checkered top faces
    CVector3D side;                         // the body of the ground below the top
    CVector3D raisedA, raisedB, raisedSide; // patches above the floor
    CVector3D wall, wallCap;
};

// A column of the ground, (w, d).
struct Column {
    int w, d;
};

// A box trigger over a column: its prefab, its size and how high its centre sits above the ground.
struct TriggerPlacement {
    const char* name;
    const char* type;
    const char* prefab;
    Column at;
    CVector3D size;
};

struct Placements {
    Column player;
    std::vector<Column> waves;
    std::vector<Column> crates;
    std::vector<TriggerPlacement> triggers;
};

struct LevelDesign {
    const char* name;
    int width, depth;
    int floorTop;
    // Later patches win where they overlap.
    std::vector<Patch> patches;
    int wallTop; // highest block of the back and side walls
    int railTop; // highest block of the front rail
    Palette palette;
    Placements placements;

    int Top(int w, int d) const
    {
        if (w < 0 || d < 0 || w >= width || d >= depth)
            return -1;
        int top = floorTop;
        for (const Patch& p : patches)
            if (p.Holds(w, d))
                top = p.top;
        return top;
    }
};

CVector3D GroundColour(const LevelDesign& level, int w, int h, int d)
{
    const Palette& c = level.palette;
    const int top = level.Top(w, d);
    const bool checker = ((w / 2) + (d / 2)) % 2 == 0;
    if (top > level.floorTop && h > level.floorTop)
        return Speckled(h == top ? (checker ? c.raisedA : c.raisedB) : c.raisedSide, w, h, d);
    return Speckled(h == top ? (checker ? c.topA : c.topB) : c.side, w, h, d);
}

// The ground's cubes in the order the terrain walks its grid (height, then depth, then width).
bool MakeTerrain(const LevelDesign& level, const std::string& path)
{
    int highest = 0;
    for (int w = 0; w < level.width; ++w)
        for (int d = 0; d < level.depth; ++d)
            highest = std::max(highest, level.Top(w, d));
    std::vector<CVector3D> positions, colours;
    for (int h = 0; h <= highest; ++h)
        for (int d = 0; d < level.depth; ++d)
            for (int w = 0; w < level.width; ++w)
                if (h <= level.Top(w, d)) {
                    positions.push_back(CVector3D(float(w), float(h), float(d)));
                    colours.push_back(GroundColour(level, w, h, d));
                }
    CVeskCubeMesh mesh;
    Game::BuildTerrainSlices(mesh, positions, colours);
    return mesh.Save(path);
}

// One wall slab: the cubes of w0..w1, d0..d1, heights 0..top, its top row capped.
void AddWallSlab(CVeskCubeMesh& mesh, const char* name, const LevelDesign& level, int w0, int d0, int w1, int d1,
                 int top)
{
    CubeSubmesh* s = mesh.CreateSubmesh(name);
    for (int h = 0; h <= top; ++h)
        for (int d = d0; d <= d1; ++d)
            for (int w = w0; w <= w1; ++w) {
                s->restPositions.push_back(CVector3D(float(w), float(h), float(d)));
                s->colours.push_back(Speckled(h == top ? level.palette.wallCap : level.palette.wall, w, h, d));
            }
    s->cubeCount = static_cast<int>(s->restPositions.size());
}

// The arena's boundary one block outside the ground: back and side walls, and a front rail low
// enough for the side view to look over it.
bool MakeWall(const LevelDesign& level, const std::string& path)
{
    CVeskCubeMesh mesh;
    const int W = level.width, D = level.depth;
    AddWallSlab(mesh, "back", level, -1, D, W, D, level.wallTop);
    AddWallSlab(mesh, "front", level, -1, -1, W, -1, level.railTop);
    AddWallSlab(mesh, "left", level, -1, 0, -1, D - 1, level.wallTop);
    AddWallSlab(mesh, "right", level, W, 0, W, D - 1, level.wallTop);
    mesh.RemoveHiddenCubesAll();
    return mesh.Save(path);
}

bool MakeHeightMap(const LevelDesign& level, const std::string& path)
{
    return Game::SaveHeightMapFile(
        path, Game::MakeBlockHeightMap(level.width, level.depth, [&level](int w, int d) { return level.Top(w, d); }));
}

// A point over the centre of a column, the given height above its top face.
CVector3D Above(const LevelDesign& level, Column c, float height)
{
    return CVector3D(4.0f * float(c.w), 4.0f * float(level.Top(c.w, c.d)) + 2.0f + height, 4.0f * float(c.d));
}

// The level's objects. The front rail is low enough to step over and the walls to jump over, so
// invisible barriers stand on the rail and on the side walls.
bool MakeLevelFile(const LevelDesign& level, const std::string& path)
{
    const Placements& p = level.placements;
    levelxml::LevelFile file;
    file.AddEntity("player", "GENERIC_CHARACTER", "player", Above(level, p.player, 4.0f), CVector3D(1, 0, 0));
    for (size_t i = 0; i < p.waves.size(); ++i)
        file.AddEntity("wavelocation" + std::to_string(i), "WAVELOCATION", "wavelocation",
                       Above(level, p.waves[i], 2.0f), CVector3D(0, 0, -1));
    for (size_t i = 0; i < p.crates.size(); ++i)
        file.AddEntity("crate" + std::to_string(i), "DESTRUCTIBLE_OBJECT", "crate", Above(level, p.crates[i], 3.0f),
                       CVector3D(0, 0, -1));

    const float W = float(level.width), D = float(level.depth);
    const float top = 4.0f * float(level.wallTop) + 2.0f + 40.0f;
    const float railTop = 4.0f * float(level.railTop) + 2.0f;
    const float wallTop = 4.0f * float(level.wallTop) + 2.0f;
    file.AddCollisionBox("frontbarrier", CVector3D(2.0f * (W - 1.0f), (railTop + top) / 2.0f, -4.0f),
                         CVector3D(4.0f * (W + 2.0f), top - railTop, 4.0f));
    for (const float w : {-1.0f, W})
        file.AddCollisionBox(w < 0.0f ? "leftbarrier" : "rightbarrier",
                             CVector3D(4.0f * w, (wallTop + top) / 2.0f, 2.0f * (D - 1.0f)),
                             CVector3D(4.0f, top - wallTop, 4.0f * D));
    for (const TriggerPlacement& t : p.triggers)
        file.AddTrigger(t.name, t.type, t.prefab, Above(level, t.at, t.size.y / 2.0f), t.size);
    return file.Save(level.name, path);
}

// No character climbs: a walking body is a box held against any rise (the level content test
// tries it in the physics world), so each level is one floor. Everything above it stands at least
// two blocks high, so that it reads as a wall and not as a step, against the back wall or clear of
// the places the fight uses; nothing lies below it. A wave location keeps the columns its spawns
// can land on (CLocationBasedSpawnerTrigger::kSpread and the widest enemy, 7 columns each way) on
// the floor and inside the walls. No level locks the camera: a lock holds until the play state
// resets the camera, and the player, kept in view, could no longer follow the waves across the
// level.
std::vector<LevelDesign> Levels()
{
    return {
        // Level 1: an open sandstone arena with three stands along the back wall, the far one
        // under a tall block.
        {"arena2",
         100,
         50,
         1,
         {{14, 42, 25, 49, 3}, {40, 40, 55, 49, 3}, {76, 40, 85, 49, 3}, {79, 45, 82, 49, 6}},
         7,
         2,
         {CVector3D(190, 164, 120), CVector3D(178, 152, 110), CVector3D(128, 102, 74), CVector3D(152, 152, 164),
          CVector3D(140, 140, 154), CVector3D(108, 108, 122), CVector3D(98, 90, 104), CVector3D(126, 118, 132)},
         {{20, 12},
          {{12, 24}, {38, 14}, {64, 32}, {90, 28}},
          {{30, 10}, {60, 20}},
          {{"startcheer", "SOUND_TRIGGER", "soundtrigger", {20, 12}, CVector3D(20, 20, 20)}}}},
        // Level 2: an emerald hall with a tiered dais along the back wall and a plinth in each of
        // two corners.
        {"emeraldroom",
         90,
         44,
         1,
         {{29, 35, 60, 43, 3}, {33, 38, 56, 43, 4}, {37, 41, 52, 43, 5}, {2, 37, 9, 43, 3}, {80, 1, 87, 7, 3}},
         7,
         2,
         {CVector3D(56, 134, 80), CVector3D(48, 120, 70), CVector3D(42, 84, 56), CVector3D(46, 192, 124),
          CVector3D(36, 172, 108), CVector3D(52, 110, 74), CVector3D(30, 76, 52), CVector3D(60, 150, 96)},
         {{10, 15}, {{20, 20}, {45, 22}, {70, 27}, {81, 22}}, {{15, 8}, {75, 35}}, {}}},
        // Level 3: a violet crypt with two raised tombs and four tall pillars.
        {"purpleroom",
         80,
         40,
         2,
         {{22, 18, 29, 25, 4},
          {52, 18, 59, 27, 4},
          {10, 30, 12, 32, 8},
          {36, 8, 38, 10, 8},
          {44, 30, 46, 32, 8},
          {74, 10, 76, 12, 8}},
         8,
         3,
         {CVector3D(122, 76, 154), CVector3D(110, 66, 142), CVector3D(72, 42, 94), CVector3D(204, 164, 232),
          CVector3D(192, 150, 222), CVector3D(150, 104, 186), CVector3D(74, 46, 98), CVector3D(120, 84, 150)},
         {{8, 15}, {{16, 8}, {40, 20}, {62, 8}, {72, 30}}, {{30, 30}, {50, 10}, {64, 34}}, {}}},
    };
}

// A short level for end-to-end runs: a packed-earth training yard whose single weak wave lands a few columns in
// front of the player, so that a player who keeps swinging clears it in seconds.
LevelDesign TestLevel()
{
    return {"testarena",
            40,
            24,
            1,
            {},
            6,
            2,
            {CVector3D(178, 146, 96), CVector3D(164, 132, 86), CVector3D(120, 92, 60), CVector3D(178, 146, 96),
             CVector3D(164, 132, 86), CVector3D(120, 92, 60), CVector3D(112, 84, 58), CVector3D(140, 108, 72)},
            {{10, 12}, {{20, 12}}, {}, {}}};
}

} // namespace

int main(int argc, char** argv)
{
    const std::string assets = argc > 1 ? argv[1] : "bin/assets";
    const std::string meshes = assets + "/meshes";
    const std::string levels = assets + "/levels";
    std::error_code error;
    std::filesystem::create_directories(meshes, error);
    std::filesystem::create_directories(levels, error);
    int failures = 0;
    const auto check = [&](bool written, const std::string& path) {
        if (!written) {
            std::fprintf(stderr, "gen_levels: could not write %s\n", path.c_str());
            ++failures;
        }
    };
    const std::string empty = meshes + "/emptymesh.vskc";
    check(CVeskCubeMesh().Save(empty), empty);
    std::string lineup;
    std::vector<LevelDesign> designs = Levels();
    const size_t shipped = designs.size();
    designs.push_back(TestLevel());
    for (size_t i = 0; i < designs.size(); ++i) {
        const LevelDesign& level = designs[i];
        const std::string base = meshes + "/" + level.name + "terrain";
        check(MakeTerrain(level, base + ".vskc"), base + ".vskc");
        check(MakeWall(level, base + "WALL.vskc"), base + "WALL.vskc");
        check(MakeHeightMap(level, base + "HM.dat"), base + "HM.dat");
        const std::string file = levels + "/" + level.name + ".xml";
        check(MakeLevelFile(level, file), file);
        if (i < shipped)
            lineup += std::string(level.name) + ".xml ";
    }
    const std::string lineupPath = assets + "/levellineup.dat";
    std::ofstream out(lineupPath, std::ios::binary);
    out << lineup << "#\n";
    check(static_cast<bool>(out.flush()), lineupPath);
    return failures ? 1 : 0;
}
