#include "scene/CRenderVisitor.h"

#include "render/CRenderer.h"
#include "resources/CDXMaterial.h"
#include "resources/CResManager.h"
#include "resources/IAnimationController.h"
#include "resources/IEffect.h"
#include "resources/IMesh.h"
#include "scene/CSceneGraph.h"

namespace Vesk {

CRenderVisitor::CRenderVisitor(unsigned debugFlags)
    : m_pCurrentMaterial(CResManager<CDXMaterial>::GetOrDefault("default")), m_DebugFlags(debugFlags)
{
}

void CRenderVisitor::VisitGeom(CGeomNode& node)
{
    if (node.HasFlags(CGeomNode::FlagEnabled | CGeomNode::FlagVisible) && node.GetMesh()) {
        if (m_DebugFlags & CSceneGraph::DebugDrawBounds)
            CRenderer::GetInstance().DrawAABB(node.GetAABB(), 255.0f, 255.0f, 255.0f);
        if ((m_DebugFlags & CSceneGraph::DebugCollect) && m_pCurrentMaterial) {
            for (int key : node.GetBucketKeys()) {
                m_Buckets[key].insert(
                    DrawItem{m_pCurrentMaterial, node.GetMesh(), node.GetAnimationController(), Top()});
            }
        }
    }
}

void CRenderVisitor::VisitMaterial(CMaterialNode& node)
{
    m_pCurrentMaterial = node.GetMaterial();
    if (m_pCurrentMaterial)
        m_pCurrentMaterial->Bind();
    for (ISceneNode* child : node.GetChildren())
        child->Accept(*this);
}

void CRenderVisitor::RenderEarlyBuckets()
{
    for (auto bucket = m_Buckets.begin(); bucket != m_Buckets.end() && bucket->first < 0; ++bucket)
        RenderBucket(bucket->second);
}

void CRenderVisitor::RenderLateBuckets()
{
    for (auto bucket = m_Buckets.rbegin(); bucket != m_Buckets.rend() && bucket->first >= 0; ++bucket)
        RenderBucket(bucket->second);
}

void CRenderVisitor::RenderBucket(const Bucket& bucket)
{
    CRenderer& renderer = CRenderer::GetInstance();
    IMaterial* last = nullptr;
    for (const DrawItem& item : bucket) {
        renderer.SetWorldMatrix(item.world);
        // Controllers sharing a mesh each pose it just before their own draw.
        if (item.controller)
            item.controller->Update(0.0f);
        const bool materialChanged = item.material != last;
        // Effect-less meshes draw with whatever the device has bound, so each run of a material
        // binds it.
        if (materialChanged)
            item.material->Bind();
        if (IEffect* effect = item.material->GetEffect()) {
            item.material->Apply(item.world, materialChanged);
            effect->RenderMesh(item.material, item.mesh);
        } else {
            item.mesh->Render();
        }
        last = item.material;
    }
}

} // namespace Vesk
