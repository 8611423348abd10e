#include "VoxelTestSupport.h"

#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CubeHeightMap.h"

#include "math/Random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

using Game::CubeDebrisState;
using Game::CubeSubmesh;
using Game::CVeskCubeAnimationController;
using Game::CVeskCubeMesh;
using testsupport::ScratchDir;

namespace {

std::string Floats(std::initializer_list<float> values)
{
    std::string bytes;
    for (float v : values) {
        char raw[4];
        std::memcpy(raw, &v, 4); // the test machines are little-endian, as the file is
        bytes.append(raw, 4);
    }
    return bytes;
}

void LoadMap(const ScratchDir& dir, const std::string& bytes)
{
    testsupport::WriteFile(dir.File("hm.dat"), bytes);
    ASSERT_TRUE(Game::LoadHeightMapFile(dir.File("hm.dat")));
}

CMatrix4 Translation(const CVector3D& t)
{
    CMatrix4 m;
    m.m[3] = t.x;
    m.m[7] = t.y;
    m.m[11] = t.z;
    return m;
}

// One cube at the submesh origin: it bursts with no velocity of its own, so it just falls.
struct Dropped {
    CVeskCubeMesh mesh;
    std::unique_ptr<CVeskCubeAnimationController> controller;

    explicit Dropped(const CVector3D& at)
    {
        voxeltest::AddBlock(mesh, "s", 1, 1, 1);
        controller.reset(mesh.CreateAnimationController());
        controller->Shatter(Translation(at));
    }
    const CubeDebrisState& State() const { return *controller->FindDebrisState("s"); }
};

TEST(CubeDebrisTest, CubesBounceOnTheHeightMapAndFade)
{
    ScratchDir dir;
    // 2 x 2 cells of 4 units: heights 5 and 21 in the first row, nothing usable beyond.
    LoadMap(dir, Floats({2, 2, 5, 21, 5, 5}));
    const struct {
        const char* name;
        CVector3D start;
        bool bounces;
        bool dark; // fade 0 at the first bounce
    } cases[] = {
        {"low ground", CVector3D(1, 8, 1), true, false},
        {"high ground", CVector3D(5, 24, 1), true, true},
        {"off the map", CVector3D(100, 8, 1), false, false},
        {"left of the map", CVector3D(-5, 8, 1), false, false},
        {"in front of the rows", CVector3D(1, 8, -3), false, false},
    };
    for (const auto& c : cases) {
        Dropped d(c.start);
        float previousFade = 1.0f;
        int bounceStep = -1;
        for (int step = 0; step < 60 && bounceStep < 0; ++step) {
            const float vy = d.State().velocities[0].y;
            d.controller->Update(0.05f);
            if (d.State().velocities[0].y > 0.0f) {
                bounceStep = step;
                EXPECT_NEAR(d.State().velocities[0].y, -(vy - 25.0f * 0.033334f) * 0.7f, 1e-4f) << c.name;
                if (c.dark) {
                    EXPECT_EQ(d.State().fades[0], 0.0f) << c.name;
                } else {
                    EXPECT_NEAR(d.State().fades[0] / previousFade, 0.7f, 0.01f) << c.name;
                }
            }
            previousFade = d.State().fades[0];
        }
        EXPECT_EQ(bounceStep >= 0, c.bounces) << c.name;
        if (!c.bounces) {
            EXPECT_LT(d.State().positions[0].y, c.start.y - 20.0f) << c.name << " falls on";
        }
        // The drawing state follows the flying cube.
        const CubeSubmesh* s = d.mesh.FindSubmesh("s");
        EXPECT_TRUE(s->debris);
        EXPECT_FLOAT_EQ(s->currentPositions[0].y, d.State().positions[0].y);
        EXPECT_FLOAT_EQ(s->flashValues[0], d.State().fades[0]);
    }
}

TEST(CubeDebrisTest, LongStepsMoveAsTheLongestAllowedStep)
{
    Dropped slow(CVector3D(100, 0, 0)), capped(CVector3D(100, 0, 0));
    for (int i = 0; i < 5; ++i) {
        slow.controller->UpdateDebris(0.1f);
        capped.controller->UpdateDebris(0.033334f);
    }
    EXPECT_FLOAT_EQ(slow.State().positions[0].y, capped.State().positions[0].y);
    EXPECT_FLOAT_EQ(slow.State().fades[0], capped.State().fades[0]);

    Game::SetCubeDebrisGravity(0, 0, 0);
    Dropped floating(CVector3D(100, 3, 0));
    floating.controller->UpdateDebris(0.02f);
    Game::SetCubeDebrisGravity(0, -25, 0);
    EXPECT_FLOAT_EQ(floating.State().positions[0].y, 3.0f);
}

TEST(CubeDebrisTest, BurstFollowsTheWorldAndTheHierarchy)
{
    SeedRandom(11);
    CVeskCubeMesh mesh;
    CubeSubmesh* body = voxeltest::AddBlock(mesh, "body", 1, 1, 1);
    CubeSubmesh* arm = voxeltest::AddBlock(mesh, "arm", 2, 1, 1);
    body->localPosition = CVector3D(0, 3, 0);
    arm->localPosition = CVector3D(1, 0, 0);
    mesh.SetSubmeshParent(arm, body);
    std::unique_ptr<CVeskCubeAnimationController> c(mesh.CreateAnimationController());

    // World: a quarter turn about y (x goes to -z), then 10 along x.
    CMatrix4 world;
    world.RotationY(90.0f);
    world.Transpose();
    world.m[3] = 10.0f;
    c->ShatterSubmesh("arm", world);
    EXPECT_EQ(c->GetUnshatteredCount(), 1);
    const CubeDebrisState& s = *c->FindDebrisState("arm");
    ASSERT_TRUE(s.active);
    // Arm cube 1 sits at (1, 0, 0) + (1, 0, 0) under the body at (0, 3, 0): (2, 3, 0) turned is
    // (0, 3, -2), moved is (10, 3, -2).
    EXPECT_NEAR(s.positions[1].x, 10.0f, 1e-4f);
    EXPECT_NEAR(s.positions[1].y, 3.0f, 1e-4f);
    EXPECT_NEAR(s.positions[1].z, -2.0f, 1e-4f);
    for (const CVector3D& v : s.velocities) {
        const float speed = v.Length();
        EXPECT_GE(speed, 2.0f - 1e-4f);
        EXPECT_LE(speed, 20.0f + 1e-4f);
    }
    EXPECT_FLOAT_EQ(s.matrix.m[12], 0.0f) << "no translation in the cubes' own matrix";
    EXPECT_NEAR(s.matrix.m[2], world.m[8], 1e-6f) << "the world's rotation, transposed";
    EXPECT_EQ(std::memcmp(arm->debrisMatrix.m, s.matrix.m, sizeof s.matrix.m), 0) << "what the cubes draw with";
    EXPECT_TRUE(arm->debris);
    EXPECT_FLOAT_EQ(arm->currentPositions[1].z, s.positions[1].z);

    // A second burst before a reset changes nothing.
    const CVector3D first = s.positions[0];
    c->ShatterSubmesh("arm", CMatrix4());
    EXPECT_FLOAT_EQ(c->FindDebrisState("arm")->positions[0].x, first.x);
    EXPECT_EQ(c->GetUnshatteredCount(), 1);
}

TEST(CubeDebrisTest, TimerRunsWhileAllIsShatteredAndResetRebuilds)
{
    CVeskCubeMesh mesh;
    voxeltest::AddBlock(mesh, "a", 1, 1, 1);
    voxeltest::AddBlock(mesh, "b", 1, 1, 1);
    std::unique_ptr<CVeskCubeAnimationController> c(mesh.CreateAnimationController());
    c->ShatterSubmesh("a", CMatrix4());
    c->Update(1.0f);
    EXPECT_FLOAT_EQ(c->GetDebrisTimer(), 10.0f) << "one submesh is still whole";
    c->Shatter(Translation(CVector3D(0, 50, 0)));
    EXPECT_EQ(c->GetUnshatteredCount(), 0);
    c->Update(1.0f);
    c->Update(0.5f);
    EXPECT_FLOAT_EQ(c->GetDebrisTimer(), 8.5f);
    ASSERT_LT(mesh.FindSubmesh("b")->flashValues[0], 1.0f) << "the flying cubes have faded";

    c->ResetShatter();
    EXPECT_FLOAT_EQ(c->GetDebrisTimer(), 10.0f);
    EXPECT_EQ(c->GetUnshatteredCount(), 2);
    for (const char* name : {"a", "b"}) {
        const CubeDebrisState& s = *c->FindDebrisState(name);
        EXPECT_FALSE(mesh.FindSubmesh(name)->debris) << name;
        EXPECT_FLOAT_EQ(s.positions[0].y, 0.0f) << name;
        EXPECT_FLOAT_EQ(s.fades[0], 1.0f) << name;
        EXPECT_FLOAT_EQ(mesh.FindSubmesh(name)->flashValues[0], 1.0f) << name << ": drawn bright at once";
    }
    // Shattering after a reset counts again, so the timer runs again.
    c->Shatter(CMatrix4());
    EXPECT_EQ(c->GetUnshatteredCount(), 0);
    c->Update(1.0f);
    EXPECT_FLOAT_EQ(c->GetDebrisTimer(), 9.0f);
    // The pose update leaves shattered submeshes to the debris.
    EXPECT_TRUE(mesh.FindSubmesh("a")->debris);
}

TEST(CubeDebrisTest, HeightMapFiles)
{
    ScratchDir dir;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    LoadMap(dir, Floats({1, 1, 7}));
    const struct {
        const char* name;
        std::string bytes;
        bool loads;
        int width, depth;
        std::size_t heights;
    } cases[] = {
        {"header only", Floats({2, 3}), true, 2, 3, 0},
        {"sizes are rounded", Floats({2.6f, -0.7f, 1, 2}), true, 3, 0, 2},
        {"stray bytes after the table", Floats({1, 1, 4}) + "ab", true, 1, 1, 1},
        {"empty", "", false, 1, 1, 1},
        {"shorter than the header", Floats({4}), false, 1, 1, 1},
        {"sizes that are not numbers", Floats({nan, 2, 1}), false, 1, 1, 1},
        {"sizes out of range", Floats({3e9f, 2, 1}), false, 1, 1, 1},
    };
    for (const auto& c : cases) {
        LoadMap(dir, Floats({1, 1, 7}));
        testsupport::WriteFile(dir.File("case.dat"), c.bytes);
        EXPECT_EQ(Game::LoadHeightMapFile(dir.File("case.dat")), c.loads) << c.name;
        const Game::CubeHeightMap& map = Game::GetCubeHeightMap();
        EXPECT_EQ(map.width, c.width) << c.name;
        EXPECT_EQ(map.depth, c.depth) << c.name;
        EXPECT_EQ(map.heights.size(), c.heights) << c.name;
    }
    for (const std::string& path : {dir.File("missing.dat"), dir.Path(), std::string("/dev/zero")}) {
        EXPECT_FALSE(Game::LoadHeightMapFile(path)) << path;
        EXPECT_EQ(Game::GetCubeHeightMap().width, 1) << path << ": the previous map stays";
    }

    // A table shorter than its sizes: cells past its end are absent, never read.
    LoadMap(dir, Floats({3, 3, 1, 2, 3, 4}));
    float h = 0.0f;
    EXPECT_TRUE(Game::GetCubeHeightMap().GetHeight(0, 1, h));
    EXPECT_FLOAT_EQ(h, 4.0f);
    EXPECT_FALSE(Game::GetCubeHeightMap().GetHeight(1, 1, h));
    EXPECT_FALSE(Game::GetCubeHeightMap().GetHeight(-1, 0, h));
    EXPECT_FALSE(Game::GetCubeHeightMap().GetHeight(0, 3, h));
    // Debris over the missing cells falls through.
    Dropped d(CVector3D(5, 0, 6));
    d.controller->UpdateDebris(0.03f);
    EXPECT_LT(d.State().velocities[0].y, 0.0f);
}

} // namespace
