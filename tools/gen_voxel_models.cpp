// Generates the project's voxel-cube models and height map through the engine's own ".vskc"
// writer: the character "koboldminion" (a hierarchy of body parts with the clips "IDLE" and
// "WALK"), the prop "crate", and the cube-test ground "cubetestground" with its height map.
// Usage: gen_voxel_models [output directory, default bin/assets/meshes]. Output is deterministic.
#include "game/voxel/CubeHeightMap.h"

#include "VoxelModelKit.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace ModelKit;

namespace {

// A kobold of about 450 cubes facing -z: body at the hips, head, two arms, two legs and a club in
// the right hand.
bool MakeKobold(const std::string& path)
{
    const CVector3D skin(96, 156, 64), tunic(118, 74, 42), belt(72, 46, 26), boot(54, 42, 32);
    const CVector3D eye(244, 222, 52), tooth(236, 232, 210), wood(132, 88, 48), stone(128, 128, 136);

    CVeskCubeMesh mesh;
    Shape body;
    body.Box(-3, 0, -2, 2, 5, 1, Speckle(tunic));
    body.Box(-3, 0, -2, 2, 0, 1, belt);
    body.Box(-1, 1, -2, 0, 4, -2, Speckle(CVector3D(150, 100, 58)));
    Shape head;
    head.Box(-3, 0, -3, 2, 4, 1, Speckle(skin));
    head.Box(-1, 0, -4, 0, 1, -4, Speckle(skin));
    head.Box(-2, 3, -3, -2, 3, -3, eye);
    head.Box(1, 3, -3, 1, 3, -3, eye);
    head.Box(-2, 0, -3, -2, 0, -3, tooth);
    head.Box(1, 0, -3, 1, 0, -3, tooth);
    head.Box(-4, 3, 0, -4, 5, 0, Speckle(skin));
    head.Box(3, 3, 0, 3, 5, 0, Speckle(skin));
    Shape arm;
    arm.Box(-1, -5, -1, 0, 0, 0, Speckle(skin));
    arm.Box(-1, -1, -1, 0, 0, 0, Speckle(tunic));
    Shape leg;
    leg.Box(-1, -7, -1, 0, -1, 0, Speckle(skin));
    leg.Box(-1, -7, -1, 0, -6, 0, boot);
    Shape club;
    club.Box(0, 0, -5, 0, 0, -1, Speckle(wood));
    club.Box(-1, -1, -8, 1, 1, -6, Speckle(stone));

    const CVector3D bodyAt(0, 7, 0), headAt(0, 6, 0), armLAt(-4, 5, 0), armRAt(4, 5, 0), legLAt(-1, 0, 0),
        legRAt(2, 0, 0), clubAt(0, -5, 0);
    CubeSubmesh* b = body.AddTo(mesh, "body", bodyAt);
    mesh.SetSubmeshParent(head.AddTo(mesh, "head", headAt), b);
    mesh.SetSubmeshParent(arm.AddTo(mesh, "armL", armLAt), b);
    CubeSubmesh* armR = arm.AddTo(mesh, "armR", armRAt);
    mesh.SetSubmeshParent(armR, b);
    mesh.SetSubmeshParent(leg.AddTo(mesh, "legL", legLAt), b);
    mesh.SetSubmeshParent(leg.AddTo(mesh, "legR", legRAt), b);
    mesh.SetSubmeshParent(club.AddTo(mesh, "club", clubAt), armR);

    // Every keyframe poses every part: a part left out would fall back to the mesh origin.
    const auto pose = [&](float bob, float nod, float legSwing, float armSwing, float clubTilt) {
        return std::vector<Pose>{
            {"body", bodyAt + CVector3D(0, bob, 0), 0, 0, 0},
            {"head", headAt, nod, 0, 0},
            {"armL", armLAt, -armSwing, 0, 0},
            {"armR", armRAt, armSwing, 0, 0},
            {"legL", legLAt, legSwing, 0, 0},
            {"legR", legRAt, -legSwing, 0, 0},
            {"club", clubAt, clubTilt, 0, 0},
        };
    };
    AddKeyframe(mesh, "IDLE", 8, 1, pose(0.0f, 0.0f, 0.0f, 4.0f, -10.0f));
    AddKeyframe(mesh, "IDLE", 8, 9, pose(-0.25f, 6.0f, 0.0f, -4.0f, 0.0f));
    AddKeyframe(mesh, "IDLE", 8, 17, pose(0.0f, 0.0f, 0.0f, 4.0f, -10.0f));
    AddKeyframe(mesh, "WALK", 12, 1, pose(0.0f, 0.0f, 30.0f, 25.0f, -10.0f));
    AddKeyframe(mesh, "WALK", 12, 7, pose(0.5f, 3.0f, 0.0f, 0.0f, -5.0f));
    AddKeyframe(mesh, "WALK", 12, 13, pose(0.0f, 0.0f, -30.0f, -25.0f, 0.0f));
    AddKeyframe(mesh, "WALK", 12, 19, pose(0.5f, 3.0f, 0.0f, 0.0f, -5.0f));
    AddKeyframe(mesh, "WALK", 12, 25, pose(0.0f, 0.0f, 30.0f, 25.0f, -10.0f));

    mesh.RemoveHiddenCubesAll();
    return mesh.Save(path);
}

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
    const std::string dir = argc > 1 ? argv[1] : "bin/assets/meshes";
    const struct {
        const char* file;
        bool (*make)(const std::string&);
    } outputs[] = {
        {"koboldminion.vskc", MakeKobold},
        {"crate.vskc", MakeCrate},
        {"cubetestground.vskc", MakeGround},
        {"cubetestgroundHM.dat", MakeGroundHeightMap},
    };
    int failures = 0;
    for (const auto& output : outputs) {
        const std::string path = dir + "/" + output.file;
        if (!output.make(path)) {
            std::fprintf(stderr, "gen_voxel_models: could not write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
