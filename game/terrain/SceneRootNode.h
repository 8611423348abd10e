// SceneRootNode: a transform node that its owner hangs under the scene graph's root and takes
// down again. Used by the terrain and the level wall, whose nodes can outlive a scene-graph reset
// (which deletes the whole tree) or be made before the scene graph exists.
#pragma once

#include <string>

namespace Vesk {
class CTransformNode;
}

namespace Game {

class SceneRootNode {
public:
    SceneRootNode() = default;
    ~SceneRootNode() { Release(); }
    SceneRootNode(const SceneRootNode&) = delete;
    SceneRootNode& operator=(const SceneRootNode&) = delete;

    // Takes the node (releasing any earlier one) and adds it under the root; when the scene graph
    // has no root the node stays this object's own.
    void Attach(Vesk::CTransformNode* node);
    // Takes the node out from under the root and deletes it. A node that is no longer under the
    // root (by its address and name) was deleted with the tree by a reset and is only forgotten.
    void Release();
    Vesk::CTransformNode* Get() const { return m_Node; }

private:
    Vesk::CTransformNode* m_Node = nullptr;
    std::string m_Name;
    bool m_Owned = false;
};

} // namespace Game
