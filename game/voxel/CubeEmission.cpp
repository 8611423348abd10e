// The per-frame walk of a cube mesh's submesh tree that appends one instance record per visible
// cube: model meshes to the model buffer, terrain meshes to the terrain buffer.
#include "game/voxel/CVeskCubeMesh.h"

#include "game/voxel/CubePose.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Game {

namespace {

CMatrix4 Transposed(const CMatrix4& m)
{
    CMatrix4 t;
    return m.GetTransposed(t);
}

// The cubes a submesh can draw: below its visible count and present in every per-cube vector
// its records read.
std::size_t DrawableCubes(const CubeSubmesh& s)
{
    std::size_t n = std::min({static_cast<std::size_t>(std::max(s.visibleCount, 0)), s.restPositions.size(),
                              s.colours.size(), s.neighbourCodes.size(), s.flashValues.size()});
    if (s.debris)
        n = std::min(n, s.currentPositions.size());
    return n;
}

// The submesh's matrix in row-vector form, followed by the draw's world matrix.
CMatrix4 CubeMatrix(const CMatrix4& top, const CMatrix4& world)
{
    CMatrix4 m;
    return Transposed(top).Multiply(m, world);
}

void CopyVector(float out[3], const CVector3D& v)
{
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

// Everything but the flash and shade values.
void FillRecord(CubeInstance& record, const CubeSubmesh& s, std::size_t i, const CMatrix4& cubeMatrix)
{
    CopyVector(record.position, s.debris ? s.currentPositions[i] : s.restPositions[i]);
    CopyVector(record.colour, s.colours[i]);
    std::memcpy(record.world, s.debris ? s.debrisMatrix.m : cubeMatrix.m, sizeof record.world);
    record.index = static_cast<float>(s.neighbourCodes[i]) + 0.5f;
    record.ownMatrix = s.debris ? 1.0f : 0.0f;
}

// Walks a submesh tree depth first, parents before children, children in list order; each
// submesh is handed the matrix its parent pushed (null for a root).
template <typename Visit>
void WalkTree(CubeSubmesh* root, Visit visit)
{
    std::vector<std::pair<CubeSubmesh*, CMatrix4>> pending;
    pending.emplace_back(root, CMatrix4());
    bool isRoot = true;
    while (!pending.empty()) {
        auto [submesh, parentMatrix] = pending.back();
        pending.pop_back();
        const CMatrix4 top = visit(*submesh, isRoot ? nullptr : &parentMatrix);
        isRoot = false;
        for (auto it = submesh->children.rbegin(); it != submesh->children.rend(); ++it)
            pending.emplace_back(*it, top);
    }
}

} // namespace

bool CVeskCubeMesh::IsSubmeshVisible(const CubeSubmesh& submesh, const CubeDrawTarget& target) const
{
    if (!m_Culling || !target.frustum)
        return true;
    CAABB box = submesh.box;
    box.Transform(Transposed(target.world));
    return target.frustum->Intersects(box);
}

void CVeskCubeMesh::EmitInstances(const CubeDrawTarget& target)
{
    if (!target.modelBuffer || !target.modelBuffer->IsLocked())
        return;
    for (CubeSubmesh* root : m_Roots) {
        if (m_Terrain)
            EmitTerrainSubmesh(root, target);
        else
            EmitModelSubmesh(root, target);
    }
}

void CVeskCubeMesh::EmitModelSubmesh(CubeSubmesh* root, const CubeDrawTarget& target)
{
    CubeInstanceBuffer& buffer = *target.modelBuffer;
    WalkTree(root, [&](CubeSubmesh& s, const CMatrix4* parent) {
        CMatrix4 top = TranslationRotation(s.localPosition, s.rotation);
        if (parent)
            parent->Multiply(top, top);
        else
            top.Multiply(top, m_MeshMatrix);
        if (!s.debris && !IsSubmeshVisible(s, target))
            return top;

        const CMatrix4 cubeMatrix = CubeMatrix(top, target.world);
        const std::size_t n = DrawableCubes(s);
        for (std::size_t i = 0; i < n; ++i) {
            if (CubeInstance* record = s.visible ? buffer.Append() : nullptr) {
                FillRecord(*record, s, i, cubeMatrix);
                record->flash = s.flashValues[i];
                record->submeshParam = s.shadeValue;
            }
            s.flashValues[i] = 1.0f;
        }
        s.debris = false;
        return top;
    });
}

void CVeskCubeMesh::EmitTerrainSubmesh(CubeSubmesh* root, const CubeDrawTarget& target)
{
    CubeInstanceBuffer* buffer = target.terrainBuffer;
    WalkTree(root, [&](CubeSubmesh& s, const CMatrix4* parent) {
        CMatrix4 top = TranslationRotation(s.localPosition, s.rotation);
        top.Multiply(top, m_MeshMatrix);
        if (parent)
            parent->Multiply(top, top);
        if (!s.debris && !IsSubmeshVisible(s, target))
            return top;

        const CMatrix4 cubeMatrix = CubeMatrix(top, target.world);
        const std::size_t n = s.visible && buffer ? DrawableCubes(s) : 0;
        for (std::size_t i = 0; i < n; ++i) {
            CubeInstance* record = buffer->Append();
            if (!record)
                break;
            FillRecord(*record, s, i, cubeMatrix);
            // Terrain cubes neither flash nor take a shade: the neutral values.
            record->flash = 1.0f;
            record->submeshParam = 0.0f;
        }
        s.debris = false;
        return top;
    });
}

} // namespace Game
