// A static rigid body whose shape is a compound of boxes (the terrain and the level wall build
// their collision from it). Plain heap object; its child boxes come from the physics system's
// box-shape pool and go back there when it is destroyed.
#pragma once

#include "physics/CRigidBody.h"

#include <cstddef>
#include <vector>

class btBoxShape;
class btCompoundShape;

namespace Vesk {

class CCompoundBody : public CRigidBody {
public:
    CCompoundBody();
    ~CCompoundBody() override;

    static void* operator new(size_t size);
    static void operator delete(void* object);

    void CreateShape() override;
    // A box of full size `size` centred at `offset` in body space. No effect before AddRigidBody.
    void AddBoxShape(const CVector3D& offset, const CVector3D& size);
    void AddBoxShapeFromAABB(const CAABB& box);
    // Takes child `index` out and gives its box back to the pool; the last child moves into its
    // place (Bullet's own order), so whoever tracks children by index moves the last one too.
    // The compound's bounds are not shrunk here (see UpdateBounds). Out of range: nothing.
    void RemoveBoxShape(size_t index);
    // Recomputes the compound's bounds from its children when a box removed since the last call
    // reached them (a walk over every child); otherwise nothing to do.
    void UpdateBounds();

    btCompoundShape* GetCompoundShape() const { return m_CompoundShape; }
    size_t GetChildCount() const { return m_Children.size(); }
    // Child `index`'s box in body space, collision margin included; an empty box at the origin
    // for an index out of range.
    CAABB GetChildBox(size_t index) const;

private:
    btCompoundShape* m_CompoundShape = nullptr;
    std::vector<btBoxShape*> m_Children;
    bool m_BoundsStale = false;
};

} // namespace Vesk
