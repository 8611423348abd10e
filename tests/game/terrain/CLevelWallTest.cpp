// The level wall: one static box per submesh, each the submesh's cubes widened by half a cube and
// scaled by 4; a missing model leaves no nodes and no body, and the wall goes safely either way.
#include "TerrainTestSupport.h"

#include "game/terrain/CLevelWall.h"

#include "physics/CCompoundBody.h"

#include <memory>

namespace {

using CLevelWallTest = terraintest::TerrainFixture;

TEST_F(CLevelWallTest, EverySubmeshBecomesOneStaticBox)
{
    // A listed model, not yet loaded, replaced by a wall of three slabs.
    testsupport::WriteFile("assets/meshes/crate.vskc",
                           "#VSKCUB\n"
                           "# SUBMESHNAME back\n# NUMCUBES 2\n# POSITIONDATA\n0 0 5\n1 0 5\n"
                           "# SUBMESHNAME left\n# NUMCUBES 2\n# POSITIONDATA\n-1 0 0\n-1 1 0\n"
                           "# SUBMESHNAME right\n# LOCALPOSITION 10 0 0\n# NUMCUBES 1\n"
                           "# POSITIONDATA\n0 0 0\n");
    Game::CLevelWall wall;
    ASSERT_TRUE(wall.Load("crate"));
    ASSERT_NE(wall.GetMesh(), nullptr);
    EXPECT_EQ(wall.GetMesh()->GetTerrainFlag(), 1);
    EXPECT_EQ(wall.GetMesh()->GetScaleMatrix().m[5], 4.0f);
    EXPECT_EQ(wall.GetTransformNode()->GetName(), "crateTransform");
    EXPECT_EQ(wall.GetTransformNode()->GetParent(), Vesk::CSceneGraph::GetInstance().GetRoot());
    EXPECT_EQ(wall.GetGeomNode()->GetName(), "crateGeom");
    EXPECT_EQ(wall.GetGeomNode()->GetMesh(), wall.GetMesh());
    EXPECT_EQ(wall.GetGeomNode()->GetBucketKeys(), std::vector<int>{-1});

    Vesk::CCompoundBody* body = wall.GetBody();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetBodyType(), Vesk::BODY_STATIC);
    ASSERT_EQ(body->GetChildCount(), 3u);
    const struct {
        CVector3D centre, half;
    } boxes[] = {
        {CVector3D(2.0f, 0.0f, 20.0f), CVector3D(4.0f, 2.0f, 2.0f)}, // back: two cubes along x
        {CVector3D(-4.0f, 2.0f, 0.0f), CVector3D(2.0f, 4.0f, 2.0f)}, // left: two cubes up
        {CVector3D(40.0f, 0.0f, 0.0f), CVector3D(2.0f, 2.0f, 2.0f)}, // right: one cube, moved by its local position
    };
    for (unsigned i = 0; i < 3; ++i) {
        const CAABB box = body->GetChildBox(i);
        const CVector3D centre = box.GetCenter(), half = (box.max - box.min) * 0.5f;
        for (unsigned axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(centre[axis], boxes[i].centre[axis], 1e-4f) << i << ' ' << axis;
            EXPECT_NEAR(half[axis], boxes[i].half[axis], 1e-4f) << i << ' ' << axis;
        }
    }
}

TEST_F(CLevelWallTest, AMissingModelLeavesNoWall)
{
    Vesk::CSceneGraph& scene = Vesk::CSceneGraph::GetInstance();
    const std::size_t bodies = Vesk::CPhysicsSystem::GetInstance().GetBodies().size();
    for (const char* name : {"nosuchwallWALL", "default"}) {
        auto wall = std::make_unique<Game::CLevelWall>();
        EXPECT_FALSE(wall->Load(name));
        EXPECT_EQ(wall->GetBody(), nullptr);
        EXPECT_EQ(wall->GetTransformNode(), nullptr);
        EXPECT_TRUE(scene.GetRoot()->GetChildren().empty());
        EXPECT_EQ(Vesk::CPhysicsSystem::GetInstance().GetBodies().size(), bodies);
        wall.reset();
    }
    Game::CLevelWall never; // destroyed without ever loading
}

TEST_F(CLevelWallTest, GoesAfterASceneResetAndAPhysicsShutdown)
{
    auto wall = std::make_unique<Game::CLevelWall>();
    ASSERT_TRUE(wall->Load("arena2terrainWALL"));
    EXPECT_EQ(wall->GetBody()->GetChildCount(), 4u);
    Vesk::CSceneGraph::GetInstance().Reset();
    Vesk::CPhysicsSystem::GetInstance().Shutdown();
    wall.reset();
    ASSERT_TRUE(Vesk::CPhysicsSystem::GetInstance().Init());
}

} // namespace
