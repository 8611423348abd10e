// Generates the project's prop and cube-test voxel models through the engine's own ".vskc" writer:
// the prop "crate" and the cube-test ground "cubetestground" with its height map. The characters
// come from gen_player_model and gen_enemy_models.
// Usage: gen_voxel_models [output directory, default bin/assets/meshes]. Output is deterministic.
#include "game/voxel/CubeHeightMap.h"

#include "VoxelModelKit.h"

#include <string>
#include <vector>

using namespace ModelKit;

namespace {

// A wooden crate of 8 x 8 x 8 cubes: dark frame and cross braces on lighter planks.
bool MakeCrate(const std::string& path)
{
    const CVector3D frame(92, 56, 26), plankA(176, 124, 62), plankB(160, 110, 54);
    Shape crate;
    crate.Box(-4, 0, -4, 3, 7, 3, [&](int x, int y, int z) {
        const int onX = x == -4 || x == 3, onY = y == 0 || y == 7, onZ = z == -4 || z == 3;
        if (onX + onY + onZ >= 2)
            return Speckled(frame, x, y, z);
        // Braces from corner to corner across each side face.
        const bool brace = (onX && (z + 4 == y || 3 - z == y)) || (onZ && (x + 4 == y || 3 - x == y));
        if (brace)
            return Speckled(frame, x, y, z);
        return Speckled(y % 2 ? plankA : plankB, x, y, z);
    });
    CVeskCubeMesh mesh;
    crate.AddTo(mesh, "crate", CVector3D());
    mesh.RemoveHiddenCubesAll();
    return mesh.Save(path);
}

constexpr int kGroundWidth = 32;
constexpr int kGroundDepth = 20;

// Top block height of each ground column: a two-block floor, a raised platform with steps.
int GroundTop(int w, int d)
{
    if (w < 0 || d < 0 || w >= kGroundWidth || d >= kGroundDepth)
        return -1;
    if (w >= 21 && w <= 26 && d >= 6 && d <= 12)
        return 3;
    if (w >= 19 && w <= 28 && d >= 4 && d <= 14)
        return 2;
    return 1;
}

bool MakeGround(const std::string& path)
{
    Shape ground;
    for (int w = 0; w < kGroundWidth; ++w)
        for (int d = 0; d < kGroundDepth; ++d) {
            const int top = GroundTop(w, d);
            const bool checker = (w + d) % 2 == 0;
            ground.Box(w, 0, d, w, top, d, [&](int x, int y, int z) {
                if (y == top)
                    return Speckled(checker ? CVector3D(84, 164, 62) : CVector3D(72, 148, 56), x, y, z);
                return Speckled(CVector3D(124, 88, 52), x, y, z);
            });
        }
    CVeskCubeMesh mesh;
    ground.AddTo(mesh, "ground", CVector3D());
    mesh.RemoveHiddenCubesAll();
    return mesh.Save(path);
}

bool MakeGroundHeightMap(const std::string& path)
{
    return Game::SaveHeightMapFile(path, Game::MakeBlockHeightMap(kGroundWidth, kGroundDepth, GroundTop));
}

} // namespace

int main(int argc, char** argv)
{
    return WriteOutputs("gen_voxel_models", argc, argv,
                        {
                            {"crate.vskc", MakeCrate},
                            {"cubetestground.vskc", MakeGround},
                            {"cubetestgroundHM.dat", MakeGroundHeightMap},
                        });
}
