#include "scene/CCullVisitor.h"

#include "scene/CSceneNodes.h"

namespace Vesk {

void CCullVisitor::VisitGeom(CGeomNode& node)
{
    // A node without a mesh has no box to test and nothing to draw.
    if (node.HasFlags(CGeomNode::FlagEnabled) && node.GetMesh()) {
        if (node.HasFlags(CGeomNode::FlagNeverCull)) {
            node.AddFlags(CGeomNode::FlagVisible);
            return;
        }
        node.UpdateBounds(Top());
        if (m_Frustum.Intersects(node.GetAABB())) {
            node.AddFlags(CGeomNode::FlagVisible);
            return;
        }
    }
    node.ClearFlags(CGeomNode::FlagVisible);
}

void CCullVisitor::VisitMaterial(CMaterialNode& node)
{
    for (ISceneNode* child : node.GetChildren())
        child->Accept(*this);
}

} // namespace Vesk
