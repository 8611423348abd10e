#include "scene/ISceneNode.h"

#include <algorithm>

namespace Vesk {

ISceneNode::~ISceneNode()
{
    // Children are detached first so that they do not try to leave this node's vector.
    for (ISceneNode* child : m_Children) {
        child->m_Parent = nullptr;
        delete child;
    }
    m_Children.clear();
    if (m_Parent) {
        std::vector<ISceneNode*>& siblings = m_Parent->m_Children;
        auto self = std::find(siblings.begin(), siblings.end(), this);
        if (self != siblings.end())
            siblings.erase(self);
        m_Parent = nullptr;
    }
}

ISceneNode* ISceneNode::AddChild(ISceneNode* child)
{
    if (!child || child->m_Parent == this)
        return nullptr;
    // A node under itself would make the tree a cycle.
    for (const ISceneNode* ancestor = this; ancestor; ancestor = ancestor->m_Parent)
        if (ancestor == child)
            return nullptr;
    // A node with two parents would be deleted twice.
    if (child->m_Parent)
        child->m_Parent->RemoveChild(child);
    m_Children.push_back(child);
    child->m_Parent = this;
    return child;
}

void ISceneNode::RemoveChild(ISceneNode* child)
{
    auto found = std::find(m_Children.begin(), m_Children.end(), child);
    if (found == m_Children.end())
        return;
    child->m_Parent = nullptr;
    m_Children.erase(found);
}

} // namespace Vesk
