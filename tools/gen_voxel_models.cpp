// Generates the project's prop and test voxel models through the engine's own ".vskc" writer: the
// props "crate", "crateFull" (a crate heaped with loot) and "potion_v2" and the developer states'
// block "testmesh". The characters come from gen_player_model and gen_enemy_models.
// Usage: gen_voxel_models [output directory, default bin/assets/meshes]. Output is deterministic.
#include "VoxelModelKit.h"

#include <string>
#include <vector>

using namespace ModelKit;

namespace {

// A wooden crate of 8 x 8 x 8 cubes: dark frame and cross braces on lighter planks.
Shape CrateShape()
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
    return crate;
}

bool SaveShapes(const std::string& path, const std::vector<std::pair<const char*, const Shape*>>& parts)
{
    CVeskCubeMesh mesh;
    for (const auto& [name, shape] : parts)
        shape->AddTo(mesh, name, CVector3D());
    mesh.RemoveHiddenCubesAll();
    return mesh.Save(path);
}

bool MakeCrate(const std::string& path)
{
    const Shape crate = CrateShape();
    return SaveShapes(path, {{"crate", &crate}});
}

// The crate with its lid off and its loot heaped above the rim: gold coins, a red gem and a
// green one. The loot is a part of its own, so it flies off first when the crate breaks.
bool MakeCrateFull(const std::string& path)
{
    const CVector3D gold(236, 192, 48), darkGold(196, 148, 30), ruby(208, 36, 52), emerald(40, 186, 92);
    Shape crate = CrateShape();
    crate.Box(-3, 7, -3, 2, 7, 2, Speckle(darkGold));
    Shape loot;
    loot.Box(-3, 8, -3, 2, 8, 2, [&](int x, int y, int z) { return Speckled((x + z) % 2 ? gold : darkGold, x, y, z); });
    loot.Box(-2, 9, -2, 1, 9, 1, Speckle(gold));
    loot.Box(-1, 10, -1, 0, 10, 0, Speckle(gold));
    loot.Box(-2, 9, -2, -2, 9, -2, ruby);
    loot.Box(1, 9, 1, 1, 9, 1, emerald);
    loot.Box(0, 11, -1, 0, 11, -1, ruby);
    return SaveShapes(path, {{"crate", &crate}, {"loot", &loot}});
}

// A round-bellied bottle of red potion with a cork, about 5 x 10 x 5 cubes, standing on y = 0.
bool MakePotion(const std::string& path)
{
    const CVector3D glass(196, 226, 236), potion(214, 38, 64), shine(255, 150, 170), cork(150, 104, 62);
    Shape bottle;
    bottle.Ellipsoid(-0.5f, 3.0f, -0.5f, 3.0f, 3.2f, 3.0f, [&](int x, int y, int z) {
        if (y >= 5)
            return Speckled(glass, x, y, z);
        return Speckled(x == -2 && y == 3 ? shine : potion, x, y, z);
    });
    bottle.CutBelow(0);
    bottle.Box(-1, 6, -1, 0, 8, 0, Speckle(glass));
    bottle.Box(-1, 6, -1, 0, 6, 0, Speckle(potion));
    Shape stopper;
    stopper.Box(-1, 9, -1, 0, 10, 0, Speckle(cork));
    return SaveShapes(path, {{"bottle", &bottle}, {"cork", &stopper}});
}

// The developer states' test block: 4 x 4 x 4 cubes centred on the origin, each face its own
// colour (+x red, -x cyan, +y green, -y magenta, +z blue, -z yellow), so that a turn shows.
bool MakeTestMesh(const std::string& path)
{
    Shape block;
    block.Box(-2, -2, -2, 1, 1, 1, [](int x, int y, int z) {
        CVector3D colour(200, 200, 200);
        if (x == 1)
            colour = CVector3D(220, 60, 50);
        else if (x == -2)
            colour = CVector3D(60, 200, 210);
        else if (y == 1)
            colour = CVector3D(70, 200, 70);
        else if (y == -2)
            colour = CVector3D(200, 70, 200);
        else if (z == 1)
            colour = CVector3D(60, 90, 220);
        else if (z == -2)
            colour = CVector3D(230, 210, 60);
        return Speckled(colour, x, y, z);
    });
    return SaveShapes(path, {{"block", &block}});
}

} // namespace

int main(int argc, char** argv)
{
    return WriteOutputs("gen_voxel_models", argc, argv,
                        {
                            {"crate.vskc", MakeCrate},
                            {"crateFull.vskc", MakeCrateFull},
                            {"potion_v2.vskc", MakePotion},
                            {"testmesh.vskc", MakeTestMesh},
                        });
}
