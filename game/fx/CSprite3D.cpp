#include "game/fx/CSprite3D.h"

#include "math/Matrix4.h"
#include "scene/CSceneNodes.h"

namespace Game {

void CSprite3D::SetVisible(bool visible) { m_pGeomNode->SetEnabled(visible); }

void CSprite3D::SetPosition(float x, float y, float z)
{
    CMatrix4 matrix;
    matrix.m[3] = x;
    matrix.m[7] = y;
    matrix.m[11] = z;
    m_pTransformNode->SetLocalMatrix(matrix);
}

void CSprite3D::SetTransform(const CVector3D& position, const CVector3D& direction, const CVector3D& up)
{
    CMatrix4 matrix;
    matrix.ObjectLookAlong(position, direction, up, true);
    m_pTransformNode->SetLocalMatrix(matrix);
}

void CSprite3D::SetMatrix(const float matrix[16])
{
    CMatrix4 local;
    for (int i = 0; i < 16; ++i)
        local.m[i] = matrix[i];
    m_pTransformNode->SetLocalMatrix(local);
}

} // namespace Game
