#include "game/terrain/SceneRootNode.h"

#include "scene/CSceneGraph.h"

#include <algorithm>

namespace Game {

void SceneRootNode::Attach(Vesk::CTransformNode* node)
{
    Release();
    m_Node = node;
    m_Name = node ? node->GetName() : std::string();
    m_Owned = node && !Vesk::CSceneGraph::GetInstance().AddNode(node);
}

void SceneRootNode::Release()
{
    if (!m_Node)
        return;
    if (m_Owned) {
        delete m_Node;
    } else if (Vesk::CTransformNode* root = Vesk::CSceneGraph::GetInstance().GetRoot()) {
        // Only compared, never followed, until it is found among the root's children; a node of
        // another name found there took the address of ours after a reset.
        const auto& children = root->GetChildren();
        if (std::find(children.begin(), children.end(), m_Node) != children.end() && m_Node->GetName() == m_Name) {
            root->RemoveChild(m_Node);
            delete m_Node;
        }
    }
    m_Node = nullptr;
    m_Owned = false;
}

} // namespace Game
