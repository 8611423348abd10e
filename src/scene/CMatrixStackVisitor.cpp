#include "scene/CMatrixStackVisitor.h"

#include "scene/CSceneNodes.h"

namespace Vesk {

void CMatrixStackVisitor::VisitTransform(CTransformNode& node)
{
    if (m_Stack.empty()) {
        m_Stack.push_back(node.GetLocalMatrix());
    } else {
        CMatrix4 world;
        m_Stack.back().Multiply(world, node.GetLocalMatrix());
        m_Stack.push_back(world);
    }
    for (ISceneNode* child : node.GetChildren())
        child->Accept(*this);
    m_Stack.pop_back();
}

const CMatrix4& CMatrixStackVisitor::Top() const
{
    static const CMatrix4 identity;
    return m_Stack.empty() ? identity : m_Stack.back();
}

} // namespace Vesk
