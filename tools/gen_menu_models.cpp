// Generates the voxel models of the title and menu scene through the engine's own ".vskc"
// writer: the floating "island" the scene stands on, the "windmill" on its own rock with sails
// that turn (its "IDLE" clip), and the game's name in gold block letters "title_test2". The
// swordsman of the scene is the player's model under a second name (see meshes.xml).
// Usage: gen_menu_models [output directory, default bin/assets/meshes]. Output is deterministic.
#include "VoxelModelKit.h"

#include <cmath>
#include <string>
#include <vector>

using namespace ModelKit;

namespace {

const CVector3D kGrass(92, 170, 64), kGrassLight(120, 196, 78), kDirt(132, 92, 54), kRock(118, 110, 112);
const CVector3D kRockDark(84, 78, 86), kBark(104, 66, 36), kLeaf(54, 138, 58), kLeafLight(84, 168, 70);
const CVector3D kStone(196, 186, 168), kRoof(176, 58, 46), kWood(150, 104, 58), kSail(238, 232, 214);
const CVector3D kGold(250, 198, 70), kGoldLight(255, 232, 140), kInk(36, 26, 18), kNavy(40, 50, 92);

// A rough, deterministic wobble for the outlines of rock and grass.
int Wobble(int a, int b, int range)
{
    const unsigned n = (unsigned(a) * 2654435761u) ^ (unsigned(b) * 40503u);
    return int((n >> 7) % unsigned(range));
}

// A floating chunk of earth: a grass disc of the radius on top of y = 0, dirt beneath, then rock
// narrowing to a point depth cubes below.
void FloatingRock(Shape& shape, int cx, int cz, int radius, int depth)
{
    for (int x = cx - radius; x <= cx + radius; ++x)
        for (int z = cz - radius; z <= cz + radius; ++z) {
            const float r = std::hypot(float(x - cx), float(z - cz));
            if (r > float(radius) - 0.5f * float(Wobble(x, z, 2)))
                continue;
            // The rock underneath ends in a rough cone.
            const float share = 1.0f - r / float(radius + 1);
            const int bottom = -int(std::lround(float(depth) * share * share)) - 1 - Wobble(z, x, 2);
            shape.Box(x, bottom, z, x, 0, z, [&](int bx, int by, int bz) {
                if (by == 0)
                    return Speckled(Wobble(bx, bz, 5) == 0 ? kGrassLight : kGrass, bx, by, bz);
                if (by >= -2)
                    return Speckled(kDirt, bx, by, bz);
                return Speckled((by + Wobble(bx, bz, 3)) % 4 == 0 ? kRockDark : kRock, bx, by, bz);
            });
        }
}

void Tree(Shape& shape, int x, int z, int height)
{
    shape.Box(x, 1, z, x, height, z, Speckle(kBark));
    shape.Ellipsoid(float(x), float(height + 2), float(z), 3.2f, 3.0f, 3.2f, [](int cx, int cy, int cz) {
        return Speckled((cx + cy + cz) % 3 == 0 ? kLeafLight : kLeaf, cx, cy, cz);
    });
}

// The island: 25 cubes across, with grass, a few trees and rocks.
bool MakeIsland(const std::string& path)
{
    Shape island;
    FloatingRock(island, 0, 0, 24, 22);
    // A low hill behind the middle and a path of stones.
    island.Ellipsoid(6.0f, 0.0f, 8.0f, 9.0f, 3.0f, 8.0f, Speckle(kGrass));
    for (int i = -18; i <= 10; i += 4)
        island.Box(i, 1, -6 + i / 4, i + 1, 1, -5 + i / 4, Speckle(kStone));
    Tree(island, 12, -10, 5);
    Tree(island, 16, 6, 6);
    Tree(island, -6, 14, 5);
    Tree(island, 2, 18, 7);
    island.Box(-14, 1, 10, -12, 2, 12, Speckle(kRock));
    island.Box(18, 1, -4, 19, 1, -3, Speckle(kRockDark));
    island.Hollow();
    CVeskCubeMesh mesh;
    island.AddTo(mesh, "island", CVector3D());
    mesh.RemoveHiddenCubesAll();
    return mesh.Save(path);
}

// The windmill: a stone tower with a red cap on its own rock; the sails face -x and turn about
// the x axis at the hub, one full turn in the "IDLE" clip.
bool MakeWindmill(const std::string& path)
{
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape base;
    FloatingRock(base, 0, 0, 7, 8);
    for (int y = 1; y <= 14; ++y) {
        const int half = 3 - y / 6;
        base.Box(-half, y, -half, half, y, half, [&](int x, int by, int z) {
            return Speckled((by % 3 == 0 && (x + z) % 2 == 0) ? CVector3D(176, 166, 150) : kStone, x, by, z);
        });
    }
    for (int y = 15; y <= 18; ++y) {
        const int half = 3 - (y - 15);
        base.Box(-half, y, -half, half, y, half, Speckle(kRoof));
    }
    base.Box(-3, 1, -1, -3, 3, 0, Speckle(kWood));
    base.Box(-3, 8, 0, -3, 9, 0, kNavy);
    base.Hollow();
    rig.Part(base, "base", CVector3D());

    Shape sails;
    sails.Box(-1, -1, -1, 0, 1, 1, Speckle(kWood));
    for (int arm = 0; arm < 4; ++arm) {
        // Each arm is a spar with a cloth sail along one side of it.
        for (int i = 2; i <= 11; ++i) {
            const int dy = arm == 0 ? i : arm == 2 ? -i : 0;
            const int dz = arm == 1 ? i : arm == 3 ? -i : 0;
            sails.Box(-1, dy, dz, -1, dy, dz, Speckle(kWood));
            if (i < 4)
                continue;
            for (int w = 1; w <= 3; ++w) {
                const int sy = dy + (arm == 1 ? w : arm == 3 ? -w : 0);
                const int sz = dz + (arm == 0 ? -w : arm == 2 ? w : 0);
                sails.Box(-1, sy, sz, -1, sy, sz, Speckle(kSail));
            }
        }
    }
    rig.Part(sails, "sails", CVector3D(-5.0f, 13.0f, 0.0f));
    for (int step = 0; step <= 8; ++step)
        rig.Key("IDLE", 4, 1 + 4 * step, {Move("sails", float(-45 * step))});
    return rig.Save(path);
}

// Five-by-seven block letters, one string per row, '#' filled.
struct Glyph {
    char letter;
    const char* rows[7];
};

const Glyph kLetters[] = {
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
};

const Glyph* Find(char letter)
{
    for (const Glyph& glyph : kLetters)
        if (glyph.letter == letter)
            return &glyph;
    return nullptr;
}

// The title: each pixel of the letters a 2 x 2 block of gold, two deep, on a dark backing one
// cube behind that rims the letters. The menu turns the model a quarter round about y, which
// brings its +z side to the title camera: the letters face +z and read along -x, and they stand
// on a base 22 cubes up and 35 cubes along the reading direction from the origin, so that they
// stand above the swordsman in the middle of the title page's view.
bool MakeTitle(const std::string& path)
{
    const std::string text = "THRUMMOCK";
    constexpr int kPixel = 2, kAdvance = 6 * kPixel, kBase = 22, kShift = 35;
    const int width = int(text.size()) * kAdvance - kPixel;
    Shape title;
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = Find(text[i]);
        if (!glyph)
            continue;
        const int left = int(i) * kAdvance - width / 2 + kShift;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col) {
                if (glyph->rows[row][col] != '#')
                    continue;
                // Along the reading direction r the model's x is -r.
                const int r = left + col * kPixel, y = kBase + (6 - row) * kPixel;
                title.Box(-(r + kPixel), y - 1, -1, -(r - 1), y + kPixel, -1, Speckle(kInk));
                title.Box(-(r + kPixel - 1), y, 0, -r, y + kPixel - 1, 1, [&](int cx, int cy, int cz) {
                    return Speckled(cy >= kBase + 8 ? kGoldLight : kGold, cx, cy, cz);
                });
            }
    }
    CVeskCubeMesh mesh;
    title.AddTo(mesh, "title", CVector3D());
    mesh.RemoveHiddenCubesAll();
    return mesh.Save(path);
}

} // namespace

int main(int argc, char** argv)
{
    return WriteOutputs("gen_menu_models", argc, argv,
                        {
                            {"island.vskc", MakeIsland},
                            {"windmill.vskc", MakeWindmill},
                            {"title_test2.vskc", MakeTitle},
                        });
}
