#include "scene/CSceneGraph.h"

#include "core/Log.h"
#include "render/CCameraManager.h"
#include "resources/IAnimationController.h"
#include "scene/CCullVisitor.h"
#include "scene/CRenderVisitor.h"
#include "scene/ISceneNodeVisitor.h"

namespace Vesk {

namespace {

constexpr uint32_t kNodesPerPage = 128;

void NoHook() {}

// Advances every geometry node's controller of a subtree.
class AnimationVisitor : public ISceneNodeVisitor {
public:
    AnimationVisitor(CSceneGraph& scene, float dt) : m_Scene(scene), m_Dt(dt) {}

    void VisitGeom(CGeomNode& node) override
    {
        if (IAnimationController* controller = node.GetAnimationController())
            m_Scene.AdvanceAnimation(*controller, m_Dt);
        VisitChildren(node);
    }
    void VisitMaterial(CMaterialNode& node) override { VisitChildren(node); }
    void VisitTransform(CTransformNode& node) override { VisitChildren(node); }

private:
    void VisitChildren(ISceneNode& node)
    {
        for (ISceneNode* child : node.GetChildren())
            child->Accept(*this);
    }

    CSceneGraph& m_Scene;
    float m_Dt;
};

} // namespace

CSceneGraph::CSceneGraph()
    : m_PreDrawHook(&NoHook), m_PostDrawHook(&NoHook), m_GeomPool(kNodesPerPage), m_TransformPool(kNodesPerPage),
      m_MaterialPool(kNodesPerPage)
{
}

CSceneGraph::~CSceneGraph() { Shutdown(); }

bool CSceneGraph::Init()
{
    if (!m_pRoot)
        m_pRoot = new CTransformNode("root");
    return true;
}

void CSceneGraph::Shutdown()
{
    // The buckets point at meshes and controllers of the tree's owners.
    DeleteRenderVisitor();
    if (m_pRoot)
        ++m_TreeGeneration;
    delete m_pRoot;
    m_pRoot = nullptr;
}

void CSceneGraph::Reset()
{
    Shutdown();
    m_pRoot = new CTransformNode("root");
    m_UserNodes.clear();
}

ISceneNode* CSceneGraph::AddNode(ISceneNode* node)
{
    if (!node)
        return nullptr;
    if (!m_pRoot) {
        LogLine("CSceneGraph: node \"" + node->GetName() + "\" added before the scene graph was initialised");
        return nullptr;
    }
    m_pRoot->AddChild(node);
    return node;
}

bool CSceneGraph::AdvanceAnimation(IAnimationController& controller, float dt)
{
    if (controller.m_AdvancedTick == m_AnimationTick)
        return false;
    controller.m_AdvancedTick = m_AnimationTick;
    controller.Update(controller.m_PlaybackSpeed * dt);
    return true;
}

void CSceneGraph::AdvanceAnimations(float dt)
{
    if (m_pRoot) {
        AnimationVisitor visitor(*this, dt);
        m_pRoot->Accept(visitor);
    }
    ++m_AnimationTick;
}

void CSceneGraph::CullAndRender()
{
    DeleteRenderVisitor();
    const CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera();
    CCullVisitor cull(camera ? camera->GetFrustum() : CFrustum());
    m_pRenderVisitor = std::make_unique<CRenderVisitor>(m_DebugFlags);
    if (m_pRoot) {
        m_pRoot->Accept(cull);
        m_pRoot->Accept(*m_pRenderVisitor);
    }
    if (m_PreDrawHook)
        m_PreDrawHook();
    m_pRenderVisitor->RenderEarlyBuckets();
}

void CSceneGraph::DeleteRenderVisitor() { m_pRenderVisitor.reset(); }

} // namespace Vesk
