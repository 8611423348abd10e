// SkyDome: the sky sphere of the play state and the menu, as scene nodes under the scene graph's
// root ("skyplanetrans" with material "sky" and mesh "skysphere"). It stays centred on the camera
// and turns about the vertical by the angle it is given. The scene graph owns the nodes: the
// dome only points at them until the graph is shut down (Forget).
#pragma once

#include "math/Vector3D.h"

namespace Vesk {
class CTransformNode;
}

namespace Game {

class SkyDome {
public:
    // The nodes under the scene graph's root; false, with a log line naming the owner, when the
    // graph takes none.
    bool Create(const char* owner);
    // Centred on the eye, turned by the angle in degrees about y.
    void Follow(const CVector3D& eye, float degrees);
    // The scene graph deleted the nodes (its Shutdown).
    void Forget() { m_pTransform = nullptr; }

    Vesk::CTransformNode* GetTransform() const { return m_pTransform; }

private:
    Vesk::CTransformNode* m_pTransform = nullptr;
};

} // namespace Game
