// The first walk of the frame: marks each geometry node visible (flag bit 1) when it is enabled,
// has a mesh and its world box meets the view frustum, or is enabled with the never-cull flag;
// clears the mark on every other geometry node.
#pragma once

#include "math/Frustum.h"
#include "scene/CMatrixStackVisitor.h"

namespace Vesk {

class CCullVisitor : public CMatrixStackVisitor {
public:
    explicit CCullVisitor(const CFrustum& frustum) : m_Frustum(frustum) {}

    void VisitGeom(CGeomNode& node) override;
    void VisitMaterial(CMaterialNode& node) override;

private:
    CFrustum m_Frustum;
};

} // namespace Vesk
