// The frame's scene walks: culling against the frustum (and the never-cull flag), filing into
// buckets and their drawing order, material runs with per-item matrices, and the animation tick
// that advances every controller once per frame whether its node is drawn or not.
#include "engine/scene/SceneRecorders.h"
#include "scene/CCullVisitor.h"
#include "scene/CRenderVisitor.h"
#include "scene/CSceneGraph.h"

#include <gtest/gtest.h>

using namespace Vesk;
using scenetest::CallLog;

namespace {

// The box [-10, 10] on every axis, normals pointing out.
CFrustum BoxFrustum()
{
    CFrustum frustum;
    const float normals[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (unsigned i = 0; i < 6; ++i)
        frustum[i] = CPlane(normals[i][0], normals[i][1], normals[i][2], -10.0f);
    return frustum;
}

// A transform node moved along x under parent, holding a geometry node with the mesh.
CGeomNode* AddGeom(ISceneNode& parent, const std::string& name, IMesh* mesh, float x, std::vector<int> keys = {0})
{
    auto* transform = new CTransformNode(name + "_Trans");
    CMatrix4 local;
    local(0, 3) = x;
    transform->SetLocalMatrix(local);
    parent.AddChild(transform);
    auto* geom = new CGeomNode(name);
    geom->SetMesh(mesh);
    geom->GetBucketKeys() = keys;
    transform->AddChild(geom);
    return geom;
}

CMaterialNode* AddMaterial(ISceneNode& parent, IMaterial* material)
{
    auto* node = new CMaterialNode();
    node->SetMaterial(material);
    parent.AddChild(node);
    return node;
}

void RenderFrame(CTransformNode& root, CRenderVisitor& visitor)
{
    CCullVisitor cull(BoxFrustum());
    root.Accept(cull);
    root.Accept(visitor);
    visitor.RenderEarlyBuckets();
    CallLog().push_back("renderer pass");
    visitor.RenderLateBuckets();
}

class SceneWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CallLog().clear();
        scenetest::BoundMaterial().clear();
    }

    CTransformNode m_Root{"root"};
};

} // namespace

TEST_F(SceneWalkTest, CullingMarksWhatMeetsTheFrustum)
{
    struct Case {
        const char* name;
        bool enabled;
        bool neverCull;
        bool withMesh;
        float x;
        bool visible;
    };
    const Case cases[] = {
        {"inside", true, false, true, 0.0f, true},
        {"straddling", true, false, true, 10.5f, true},
        {"outside", true, false, true, 50.0f, false},
        {"outside never culled", true, true, true, 50.0f, true},
        {"disabled never culled", false, true, true, 0.0f, false},
        {"disabled", false, false, true, 0.0f, false},
        {"without mesh", true, false, false, 0.0f, false},
        {"without mesh never culled", true, true, false, 0.0f, false},
    };
    scenetest::RecordingMesh mesh("m");
    scenetest::RecordingMaterial material("mat");
    CMaterialNode* parent = AddMaterial(m_Root, &material);
    std::vector<CGeomNode*> nodes;
    for (const Case& c : cases) {
        CGeomNode* node = AddGeom(*parent, c.name, c.withMesh ? &mesh : nullptr, c.x);
        node->SetEnabled(c.enabled);
        node->AddFlags(CGeomNode::FlagVisible | (c.neverCull ? CGeomNode::FlagNeverCull : 0u));
        nodes.push_back(node);
    }

    CRenderVisitor visitor(CSceneGraph::DebugCollect);
    RenderFrame(m_Root, visitor);

    std::vector<std::string> expectedDraws = {"renderer pass"};
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(cases[i].visible, nodes[i]->HasFlags(CGeomNode::FlagVisible)) << cases[i].name;
        if (cases[i].visible)
            expectedDraws.push_back("draw m x=" + scenetest::Number(cases[i].x) + " with mat");
    }
    EXPECT_EQ(expectedDraws, CallLog());
    EXPECT_FLOAT_EQ(49.0f, nodes[2]->GetAABB().min.x) << "the world box follows the parent transforms";
}

TEST_F(SceneWalkTest, BucketsDrawNegativeKeysEarlyAscendingAndTheRestLateDescending)
{
    CSceneGraph& scene = CSceneGraph::GetInstance();
    ASSERT_TRUE(scene.Init());
    scenetest::RecordingMaterial material("mat");
    scenetest::RecordingMesh a("a"), b("b"), c("c"), d("d"), e("e");
    CMaterialNode* parent = AddMaterial(*scene.GetRoot(), &material);
    AddGeom(*parent, "a", &a, 0.0f, {-3});
    AddGeom(*parent, "d", &d, 0.0f, {5});
    AddGeom(*parent, "b", &b, 0.0f, {-1});
    AddGeom(*parent, "c", &c, 0.0f, {0});
    AddGeom(*parent, "e", &e, 0.0f, {-1, 2});
    scene.m_PreDrawHook = [] { CallLog().push_back("pre-draw"); };

    scene.CullAndRender();
    CallLog().push_back("renderer pass");
    ASSERT_NE(nullptr, scene.GetRenderVisitor());
    scene.GetRenderVisitor()->RenderLateBuckets();
    scene.DeleteRenderVisitor();
    EXPECT_EQ(nullptr, scene.GetRenderVisitor());

    const std::vector<std::string> expected = {
        "pre-draw",      "draw a x=0 with mat", "draw b x=0 with mat", "draw e x=0 with mat",
        "renderer pass", "draw d x=0 with mat", "draw e x=0 with mat", "draw c x=0 with mat"};
    EXPECT_EQ(expected, CallLog());
}

TEST_F(SceneWalkTest, ItemsAreGroupedByMaterialEachDrawnWithItsOwnMaterialAndMatrix)
{
    // Members of one object, so that their address order (the bucket order) is known.
    scenetest::RecordingEffect effect;
    struct {
        scenetest::RecordingMaterial shaded;
        scenetest::RecordingMaterial plain;
    } materials{scenetest::RecordingMaterial("A", &effect), scenetest::RecordingMaterial("B")};
    scenetest::RecordingMaterial* shaded = &materials.shaded;
    scenetest::RecordingMaterial* plain = &materials.plain;
    scenetest::RecordingMesh mesh("m");

    // A material node's material stays current for the siblings walked after it.
    AddMaterial(m_Root, plain);
    AddGeom(m_Root, "p1", &mesh, 1.0f);
    CMaterialNode* shadedNode = AddMaterial(m_Root, shaded);
    AddGeom(*shadedNode, "s1", &mesh, 2.0f);
    AddGeom(m_Root, "s2", &mesh, 3.0f);
    AddMaterial(m_Root, plain);
    AddGeom(m_Root, "p2", &mesh, 4.0f);

    CRenderVisitor visitor(CSceneGraph::DebugCollect);
    RenderFrame(m_Root, visitor);

    // Every item gets its own matrices; the shared upload happens once per run of a material.
    const std::vector<std::string> expected = {"renderer pass",        "apply A x=2 upload=1", "draw m x=2 with A",
                                               "apply A x=3 upload=0", "draw m x=3 with A",    "draw m x=1 with B",
                                               "draw m x=4 with B"};
    EXPECT_EQ(expected, CallLog());
}

TEST_F(SceneWalkTest, EveryAnimationAdvancesOnceAFrameWhetherDrawnOrNotAndDrawingOnlyPoses)
{
    CSceneGraph& scene = CSceneGraph::GetInstance();
    scene.Reset();
    scenetest::RecordingMaterial material("mat");
    scenetest::RecordingMesh mesh("m");
    scenetest::RecordingController shown("shown", 2.0f), offscreen("offscreen", 2.0f), hidden("hidden", 1.0f);
    CMaterialNode* parent = AddMaterial(*scene.GetRoot(), &material);
    AddGeom(*parent, "shown", &mesh, 0.0f, {-1, 2})->SetAnimationController(&shown);
    AddGeom(*parent, "offscreen", &mesh, 50.0f)->SetAnimationController(&offscreen);
    CGeomNode* disabled = AddGeom(*parent, "hidden", &mesh, 0.0f);
    disabled->SetAnimationController(&hidden);
    disabled->SetEnabled(false);

    struct Frame {
        float step;
        bool advancedEarly; // "shown" advanced by its owner before the tick
        std::vector<std::string> expected;
    };
    const Frame frames[] = {
        {0.02f, false, {"update shown 0.04", "update offscreen 0.04", "update hidden 0.02"}},
        // Frozen frames step every controller by 0.
        {0.0f, false, {"update shown 0", "update offscreen 0", "update hidden 0"}},
        // A controller its owner advanced earlier in the frame is not advanced again.
        {0.02f, true, {"update shown 0.04", "update offscreen 0.04", "update hidden 0.02"}},
    };
    for (const Frame& frame : frames) {
        CallLog().clear();
        if (frame.advancedEarly) {
            EXPECT_TRUE(scene.AdvanceAnimation(shown, frame.step));
        }
        scene.AdvanceAnimations(frame.step);
        EXPECT_EQ(frame.expected, CallLog()) << "step " << frame.step;
    }
    EXPECT_FALSE(scene.AdvanceAnimation(shown, 0.02f) && scene.AdvanceAnimation(shown, 0.02f)) << "twice in one tick";

    // Drawing poses each drawn item's mesh without advancing the clip; culled nodes are left alone.
    CallLog().clear();
    CRenderVisitor visitor(CSceneGraph::DebugCollect);
    RenderFrame(*scene.GetRoot(), visitor);
    const std::vector<std::string> drawn = {"update shown 0", "draw m x=0 with mat", "renderer pass", "update shown 0",
                                            "draw m x=0 with mat"};
    EXPECT_EQ(drawn, CallLog());
    scene.Shutdown();
}
