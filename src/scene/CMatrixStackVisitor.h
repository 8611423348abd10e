// The part of a scene walk shared by the cull and render visitors: transform nodes push their
// world matrix (parent's world times the local matrix) for the walk of their children.
#pragma once

#include "math/Matrix4.h"
#include "scene/ISceneNodeVisitor.h"

#include <vector>

namespace Vesk {

class CMatrixStackVisitor : public ISceneNodeVisitor {
public:
    void VisitTransform(CTransformNode& node) override;

protected:
    // The world matrix of the nodes being visited; identity outside every transform node.
    const CMatrix4& Top() const;

private:
    std::vector<CMatrix4> m_Stack;
};

} // namespace Vesk
