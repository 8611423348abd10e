// CSprite3D: a mesh placed freely in the world outside any entity, as a transform node with one
// geometry node under the scene graph's root. The sprite owns its cube-animation controller (null
// when the mesh gives none); CSprite3DManager creates, owns and destroys sprites.
#pragma once

#include "math/Vector3D.h"

namespace Vesk {
class CTransformNode;
class CGeomNode;
} // namespace Vesk

namespace Game {

class CVeskCubeAnimationController;

class CSprite3D {
public:
    // Drawn or not (the geometry node's enabled flag).
    void SetVisible(bool visible);
    // Identity with the translation: any orientation is dropped.
    void SetPosition(float x, float y, float z);
    // The object frame at position looking along direction with the up vector.
    void SetTransform(const CVector3D& position, const CVector3D& direction, const CVector3D& up);
    // The 16 floats become the node's matrix, in their order.
    void SetMatrix(const float matrix[16]);

    Vesk::CTransformNode* m_pTransformNode = nullptr;
    Vesk::CGeomNode* m_pGeomNode = nullptr;
    CVeskCubeAnimationController* m_pAnimationController = nullptr;
    // Whether the nodes went under the scene's root, and the tree generation then: a tree deleted
    // since took them along.
    bool m_NodesInTree = false;
    unsigned m_TreeGeneration = 0;
};

} // namespace Game
