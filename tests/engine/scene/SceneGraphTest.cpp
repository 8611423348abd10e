// The scene tree: ownership (a deleted node leaves its parent and returns its whole subtree to
// the pools), child links, the root's life through Init, Reset and Shutdown, and geometry node
// state.
#include "engine/scene/SceneRecorders.h"
#include "scene/CSceneGraph.h"

#include <gtest/gtest.h>

using namespace Vesk;

namespace {

struct PoolCounts {
    uint32_t transforms, geoms, materials;
    bool operator==(const PoolCounts& o) const
    {
        return transforms == o.transforms && geoms == o.geoms && materials == o.materials;
    }
};

PoolCounts CountNodes()
{
    CSceneGraph& scene = CSceneGraph::GetInstance();
    return {scene.GetTransformPool().GetStatistics().objectsInUse, scene.GetGeomPool().GetStatistics().objectsInUse,
            scene.GetMaterialPool().GetStatistics().objectsInUse};
}

std::ostream& operator<<(std::ostream& out, const PoolCounts& c)
{
    return out << "{" << c.transforms << " transforms, " << c.geoms << " geoms, " << c.materials << " materials}";
}

} // namespace

TEST(SceneGraphTest, DeletingASubtreeReturnsEveryNodeToItsPool)
{
    CSceneGraph& scene = CSceneGraph::GetInstance();
    ASSERT_TRUE(scene.Init());
    const PoolCounts empty = CountNodes();
    ASSERT_EQ((PoolCounts{1, 0, 0}), empty);

    auto* keep = new CGeomNode("keep");
    auto* branch = new CTransformNode("branch");
    auto* material = new CMaterialNode("material");
    auto* inner = new CTransformNode("inner");
    scene.AddNode(keep);
    scene.AddNode(branch);
    branch->AddChild(new CGeomNode("a"));
    branch->AddChild(material);
    material->AddChild(inner);
    inner->AddChild(new CGeomNode("b"));
    inner->AddChild(new CGeomNode("c"));
    EXPECT_EQ((PoolCounts{3, 4, 1}), CountNodes());

    // A node deleted in the middle of the tree leaves its parent's children.
    delete material;
    EXPECT_EQ(std::vector<ISceneNode*>{branch->GetChildren()[0]}, branch->GetChildren());
    EXPECT_EQ((PoolCounts{2, 2, 0}), CountNodes());

    delete branch;
    EXPECT_EQ(std::vector<ISceneNode*>{keep}, scene.GetRoot()->GetChildren());
    EXPECT_EQ((PoolCounts{1, 1, 0}), CountNodes());

    scene.Shutdown();
    EXPECT_EQ(nullptr, scene.GetRoot());
    EXPECT_EQ((PoolCounts{0, 0, 0}), CountNodes());
}

TEST(SceneGraphTest, InitKeepsTheRootAndResetLeavesAnEmptyRoot)
{
    CSceneGraph& scene = CSceneGraph::GetInstance();
    CGeomNode early("before init");
    EXPECT_EQ(nullptr, scene.AddNode(&early)) << "no root to own it";
    ASSERT_TRUE(scene.Init());
    CTransformNode* root = scene.GetRoot();
    ASSERT_TRUE(scene.Init());
    EXPECT_EQ(root, scene.GetRoot());
    EXPECT_EQ("root", root->GetName());

    auto* branch = new CTransformNode("branch");
    scene.AddNode(branch);
    branch->AddChild(new CGeomNode("g"));
    scene.m_UserNodes.push_back(branch);
    EXPECT_EQ(nullptr, scene.AddNode(nullptr));

    scene.Reset();
    ASSERT_NE(nullptr, scene.GetRoot());
    EXPECT_EQ("root", scene.GetRoot()->GetName());
    EXPECT_TRUE(scene.GetRoot()->GetChildren().empty());
    EXPECT_TRUE(scene.m_UserNodes.empty());
    EXPECT_EQ((PoolCounts{1, 0, 0}), CountNodes());
}

TEST(SceneGraphTest, ChildLinks)
{
    CTransformNode parent("parent");
    CTransformNode other("other");
    auto* child = new CGeomNode("child");

    EXPECT_EQ(child, parent.AddChild(child));
    EXPECT_EQ(nullptr, parent.AddChild(child)) << "already a child";
    EXPECT_EQ(1u, parent.GetChildren().size());
    EXPECT_EQ(&parent, child->GetParent());

    CGeomNode stranger("stranger");
    parent.RemoveChild(&stranger);
    EXPECT_EQ(std::vector<ISceneNode*>{child}, parent.GetChildren());

    // A child given to another parent moves: one owner, one deletion.
    EXPECT_EQ(child, other.AddChild(child));
    EXPECT_TRUE(parent.GetChildren().empty());
    EXPECT_EQ(&other, child->GetParent());

    // No node may end up under itself.
    EXPECT_EQ(nullptr, child->AddChild(&other));
    EXPECT_EQ(nullptr, other.AddChild(&other));
    EXPECT_EQ(nullptr, other.AddChild(nullptr));

    other.RemoveChild(child);
    EXPECT_EQ(nullptr, child->GetParent());
    EXPECT_TRUE(other.GetChildren().empty());
    delete child;
}

TEST(SceneGraphTest, GeometryNodeState)
{
    CGeomNode node("node");
    EXPECT_EQ(5u, node.GetFlags());
    EXPECT_EQ(std::vector<int>{0}, node.GetBucketKeys());
    EXPECT_EQ(nullptr, node.GetMesh());

    node.SetEnabled(false);
    EXPECT_EQ(4u, node.GetFlags());
    node.AddFlags(CGeomNode::FlagNeverCull | CGeomNode::FlagEnabled);
    node.ClearFlags(CGeomNode::FlagVisible);
    EXPECT_EQ(13u, node.GetFlags());

    scenetest::RecordingMesh mesh("mesh", CAABB(CVector3D(-1, -2, -3), CVector3D(1, 2, 3)));
    node.SetMesh(&mesh);
    EXPECT_EQ(&mesh, node.GetMesh());
    EXPECT_FLOAT_EQ(-2.0f, node.GetAABB().min.y);
    EXPECT_FLOAT_EQ(3.0f, node.GetAABB().max.z);

    CMatrix4 moved;
    moved(0, 3) = 10.0f;
    node.UpdateBounds(moved);
    EXPECT_FLOAT_EQ(9.0f, node.GetAABB().min.x);
    EXPECT_FLOAT_EQ(11.0f, node.GetAABB().max.x);

    // A name the resource manager cannot resolve leaves no mesh and an empty box.
    node.SetMesh("no such mesh");
    EXPECT_EQ(nullptr, node.GetMesh());
    EXPECT_FLOAT_EQ(0.0f, node.GetAABB().max.x);
    node.UpdateBounds(moved);
    EXPECT_FLOAT_EQ(0.0f, node.GetAABB().max.x);
}

TEST(SceneGraphDeathTest, ANodeClassWithoutItsOwnAllocationIsRefused)
{
    struct BiggerNode : CGeomNode {
        int extra[8] = {};
    };
    EXPECT_DEATH(delete new BiggerNode, "CGeomNode: size is not the same!");
}
