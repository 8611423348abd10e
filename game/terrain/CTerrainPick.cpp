// Picking blocks with a ray, for the level editor's mouse.
#include "game/terrain/CTerrain.h"

#include "game/voxel/CVeskCubeMesh.h"

#include <algorithm>

namespace Game {

bool CTerrain::PickBlock(const CRay& ray, CAABB& out) const
{
    // Every cube of the mesh, hidden ones included; the nearest box the ray enters wins. Boxes
    // are in world space: the cube's mesh position times the block size, plus the origin.
    const CVector3D half(0.5f, 0.5f, 0.5f);
    float nearest = 3.4028235e38f;
    bool hit = false;
    if (m_Mesh)
        for (const auto& entry : m_Mesh->GetSubmeshMap())
            for (const CVector3D& p : entry.second->restPositions) {
                const CAABB box(m_Origin + (p - half) * m_BlockSize, m_Origin + (p + half) * m_BlockSize);
                float distance = 0.0f;
                if (RayIntersectAABB(ray, box, &distance) && distance < nearest) {
                    nearest = distance;
                    out = box;
                    hit = true;
                }
            }
    if (hit)
        return true;

    // The ground plane through the origin; the point where the ray meets it is kept inside the
    // grid.
    const CPlane ground(0.0f, 1.0f, 0.0f, -m_Origin.y);
    float distance = 0.0f;
    if (!RayIntersectPlane(ray, ground, &distance))
        return false;
    const CVector3D local = ray.origin + ray.direction * distance - m_Origin;
    const CVector3D clamped(std::clamp(local.x, 0.0f, m_BlockSize * float(MAX_WIDTH - 1)),
                            std::clamp(local.y, 0.0f, m_BlockSize * float(MAX_HEIGHT - 1)),
                            std::clamp(local.z, 0.0f, m_BlockSize * float(MAX_DEPTH - 1)));
    const BlockPosition pos(m_Origin + clamped, m_BlockSize, *this);
    CVector3D centre;
    BlockToWorld(centre, pos);
    out = CAABB(centre, m_BlockSize, m_BlockSize, m_BlockSize);
    return true;
}

} // namespace Game
