// A rigid body's debug drawing: its world box, its velocity and its oriented creation box.
#include "physics/CRigidBody.h"

#include "math/Colour.h"
#include "render/CRenderer.h"

#include <cstdint>

namespace Vesk {

void CRigidBody::DrawAABB(float r, float g, float b) const { CRenderer::GetInstance().DrawAABB(GetAABB(), r, g, b); }

void CRigidBody::DrawVelocity(float r, float g, float b) const
{
    const CVector3D from = GetPosition();
    const CVector3D to = from + GetLinearVelocity();
    CRenderer::GetInstance().DrawLine(from, to, ColourByte(r), ColourByte(g), ColourByte(b));
}

void CRigidBody::DrawOrientedBox(float r, float g, float b) const
{
    const CVector3D half = (m_CreationBox.max - m_CreationBox.min) * 0.5f;
    const CMatrix4 world = GetWorldMatrix();
    CVector3D corners[8];
    for (int i = 0; i < 8; ++i) {
        // Same corner order as CRenderer::DrawBox: x and z go round each face, bit 2 picks the top.
        const int round = i & 3;
        const float local[4] = {(round == 1 || round == 2) ? half.x : -half.x, (i & 4) ? half.y : -half.y,
                                round >= 2 ? half.z : -half.z, 1.0f};
        float placed[4];
        world.TransformVector4(placed, local);
        corners[i] = CVector3D(placed[0], placed[1], placed[2]);
    }
    CRenderer::GetInstance().DrawBox(corners, r, g, b);
}

} // namespace Vesk
