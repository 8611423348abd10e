#include "VoxelTestSupport.h"

#include "game/voxel/CubePose.h"

#include <gtest/gtest.h>

#include <vector>

using Game::CubeDrawTarget;
using Game::CubeInstance;
using Game::CubeInstanceBuffer;
using Game::CubeSubmesh;
using Game::CVeskCubeMesh;

namespace {

// Instance buffers over zeroed storage, as the renderer hands them out each frame.
struct Buffers {
    std::vector<CubeInstance> modelStorage, terrainStorage;
    CubeInstanceBuffer model, terrain;

    Buffers(int modelCapacity, int terrainCapacity)
        : modelStorage(static_cast<std::size_t>(modelCapacity)),
          terrainStorage(static_cast<std::size_t>(terrainCapacity))
    {
        model = {modelStorage.data(), 0, modelCapacity};
        terrain = {terrainStorage.data(), 0, terrainCapacity};
    }

    CubeDrawTarget Target(const CMatrix4& world = CMatrix4(), const CFrustum* frustum = nullptr)
    {
        CubeDrawTarget target;
        target.modelBuffer = &model;
        target.terrainBuffer = &terrain;
        target.world = world;
        target.frustum = frustum;
        return target;
    }
};

// Where a record's cube centre lands: its position as a row vector times its world matrix.
CVector3D Placed(const CubeInstance& r)
{
    float out[3];
    for (int c = 0; c < 3; ++c)
        out[c] = r.position[0] * r.world[c] + r.position[1] * r.world[4 + c] + r.position[2] * r.world[8 + c] +
                 r.world[12 + c];
    return CVector3D(out[0], out[1], out[2]);
}

void ExpectNear(const CVector3D& a, const CVector3D& b, const char* what)
{
    EXPECT_NEAR(a.x, b.x, 1e-4f) << what;
    EXPECT_NEAR(a.y, b.y, 1e-4f) << what;
    EXPECT_NEAR(a.z, b.z, 1e-4f) << what;
}

CMatrix4 RowTranslation(const CVector3D& t)
{
    CMatrix4 m;
    m.m[12] = t.x;
    m.m[13] = t.y;
    m.m[14] = t.z;
    return m;
}

// A box-shaped view volume: the planes' normals point out of it.
CFrustum BoxFrustum(float extent)
{
    CFrustum f;
    f[0] = CPlane(1, 0, 0, -extent);
    f[1] = CPlane(-1, 0, 0, -extent);
    f[2] = CPlane(0, 1, 0, -extent);
    f[3] = CPlane(0, -1, 0, -extent);
    f[4] = CPlane(0, 0, 1, -extent);
    f[5] = CPlane(0, 0, -1, -extent);
    return f;
}

// body (two cubes, at (1, 0, 0)) with the child head (one cube, 2 up, turned 90 degrees about z).
struct Figure {
    CVeskCubeMesh mesh;
    CubeSubmesh* body;
    CubeSubmesh* head;

    explicit Figure(float scale)
    {
        body = voxeltest::AddBlock(mesh, "body", 2, 1, 1);
        head = voxeltest::AddBlock(mesh, "head", 1, 1, 1, CVector3D(1, 0, 0));
        body->localPosition = CVector3D(1, 0, 0);
        head->localPosition = CVector3D(0, 2, 0);
        head->rotation = Game::EulerToMatrix(0, 0, 90);
        mesh.SetSubmeshParent(head, body);
        CMatrix4 s;
        s.m[0] = s.m[5] = s.m[10] = scale;
        mesh.SetScaleMatrix(s);
        mesh.ComputeBounds();
        for (auto& entry : mesh.GetSubmeshMap())
            entry.second->currentPositions = entry.second->restPositions;
    }
};

TEST(CubeEmissionTest, ModelRecordsFollowTheHierarchyScaleAndWorld)
{
    Figure f(2.0f);
    f.body->shadeValue = -0.75f;
    f.body->flashValues[1] = 0.25f;
    Buffers b(16, 16);
    f.mesh.EmitInstances(b.Target(RowTranslation(CVector3D(10, 0, 0))));

    ASSERT_EQ(b.model.count, 3);
    EXPECT_EQ(b.terrain.count, 0);
    const CubeInstance* r = b.modelStorage.data();
    // Root: scale, then its translation, then the world; the head: rotated about z by 90 degrees
    // (x goes to y), moved 2 up, then the body's transform.
    ExpectNear(Placed(r[0]), CVector3D(11, 0, 0), "body cube 0");
    ExpectNear(Placed(r[1]), CVector3D(13, 0, 0), "body cube 1");
    ExpectNear(Placed(r[2]), CVector3D(11, 6, 0), "head cube");
    EXPECT_FLOAT_EQ(r[0].index, 1.5f);
    EXPECT_FLOAT_EQ(r[1].index, 10.5f);
    EXPECT_FLOAT_EQ(r[1].colour[0], 1.0f);
    EXPECT_FLOAT_EQ(r[1].flash, 0.25f);
    EXPECT_FLOAT_EQ(r[1].submeshParam, -0.75f);
    EXPECT_FLOAT_EQ(r[1].ownMatrix, 0.0f);
    EXPECT_FLOAT_EQ(f.body->flashValues[1], 1.0f) << "the flash is used once";

    // The hierarchy matrices the animation and debris use: ancestors without the scale.
    const CMatrix4 head = f.mesh.GetSubmeshMatrix(f.head);
    EXPECT_FLOAT_EQ(head.m[3], 1.0f);
    EXPECT_FLOAT_EQ(head.m[7], 2.0f);
    const CMatrix4 ancestors = f.mesh.GetAncestorMatrix(f.head);
    EXPECT_FLOAT_EQ(ancestors.m[3], 1.0f);
    EXPECT_FLOAT_EQ(ancestors.m[7], 0.0f);
}

TEST(CubeEmissionTest, CullingDebrisAndVisibility)
{
    const CFrustum view = BoxFrustum(5.0f);
    const struct {
        const char* name;
        CVector3D bodyAt;
        bool culling;
        bool debris;
        bool visible;
        int records;
    } cases[] = {
        {"inside", CVector3D(1, 0, 0), true, false, true, 3},
        {"outside, its child too", CVector3D(100, 0, 0), true, false, true, 0},
        {"outside but shattered", CVector3D(100, 0, 0), true, true, true, 2},
        {"outside, culling off", CVector3D(100, 0, 0), false, false, true, 3},
        {"hidden", CVector3D(1, 0, 0), true, false, false, 1},
    };
    for (const auto& c : cases) {
        Figure f(1.0f);
        f.body->localPosition = c.bodyAt;
        f.head->localPosition = CVector3D(-c.bodyAt.x + 1, 2, 0);
        f.mesh.ComputeBounds();
        f.mesh.SetCulling(c.culling);
        f.body->debris = c.debris;
        f.body->visible = c.visible;
        f.body->flashValues[0] = 0.5f;
        if (c.debris)
            f.body->debrisMatrix.m[12] = 7.0f;
        Buffers b(16, 16);
        f.mesh.EmitInstances(b.Target(CMatrix4(), &view));
        EXPECT_EQ(b.model.count, c.records) << c.name;
        EXPECT_FALSE(f.body->debris) << c.name;
        if (c.debris) {
            EXPECT_FLOAT_EQ(b.modelStorage[1].ownMatrix, 1.0f);
            EXPECT_FLOAT_EQ(b.modelStorage[1].world[12], 7.0f) << "the cube's own matrix";
        }
        if (!c.visible) {
            EXPECT_FLOAT_EQ(f.body->flashValues[0], 1.0f) << "a hidden submesh still uses up its flash";
        }
    }
}

TEST(CubeEmissionTest, BuffersStopAtTheirCapacity)
{
    // 40000 cubes in a one-cube-thick slab: all of them visible.
    CVeskCubeMesh big;
    voxeltest::AddBlock(big, "slab", 200, 200, 1);
    ASSERT_EQ(big.FindSubmesh("slab")->visibleCount, 40000);
    CVeskCubeMesh small;
    voxeltest::AddBlock(small, "one", 1, 1, 1);

    Buffers b(30000, 15000);
    big.EmitInstances(b.Target());
    EXPECT_EQ(b.model.count, 30000);
    EXPECT_NE(b.modelStorage[29999].index, 0.0f) << "the 30000th record is written";
    small.EmitInstances(b.Target());
    EXPECT_EQ(b.model.count, 30000) << "the 30001st is dropped";

    // A buffer that is not locked takes nothing, for model and terrain meshes alike.
    Buffers unlocked(8, 8);
    unlocked.model.data = nullptr;
    small.EmitInstances(unlocked.Target());
    small.SetTerrainFlag(1);
    small.EmitInstances(unlocked.Target());
    EXPECT_EQ(unlocked.model.count + unlocked.terrain.count, 0);
}

TEST(CubeEmissionTest, TerrainRecordsScaleEveryLevelAndStayNeutral)
{
    Figure f(4.0f);
    f.mesh.SetTerrainFlag(1);
    f.body->flashValues[0] = 0.25f;
    f.body->shadeValue = 3.0f;
    Buffers b(16, 16);
    f.mesh.EmitInstances(b.Target());
    EXPECT_EQ(b.model.count, 0);
    ASSERT_EQ(b.terrain.count, 3);
    const CubeInstance* r = b.terrainStorage.data();
    ExpectNear(Placed(r[0]), CVector3D(1, 0, 0), "body cube 0");
    ExpectNear(Placed(r[1]), CVector3D(5, 0, 0), "body cube 1");
    // The head's own scale, then its offset, which the body's scale scales again.
    ExpectNear(Placed(r[2]), CVector3D(1, 24, 0), "head cube");
    EXPECT_FLOAT_EQ(r[0].flash, 1.0f);
    EXPECT_FLOAT_EQ(r[0].submeshParam, 0.0f);
    EXPECT_FLOAT_EQ(f.body->flashValues[0], 0.25f) << "terrain does not use up flashes";
}

} // namespace
