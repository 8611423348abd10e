#include "game/voxel/CVeskCubeMesh.h"

#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CubePose.h"
#include "game/voxel/CubeRenderer.h"

#include "core/Log.h"

#include <algorithm>

namespace Game {

namespace {

CVector3D TransformPoint(const CMatrix4& m, const CVector3D& p)
{
    const float in[4] = {p.x, p.y, p.z, 1.0f};
    float out[4];
    m.TransformVector4(out, in);
    return CVector3D(out[0], out[1], out[2]);
}

} // namespace

CVeskCubeMesh::CVeskCubeMesh() = default;

CVeskCubeMesh::~CVeskCubeMesh()
{
    for (CVeskCubeAnimationController* controller : m_Controllers)
        controller->DetachMesh();
}

CVeskCubeAnimationController* CVeskCubeMesh::CreateAnimationController()
{
    return new CVeskCubeAnimationController(this);
}

void CVeskCubeMesh::OnLostDevice() { CubeRendererDeviceLost(); }

void CVeskCubeMesh::OnResetDevice() { CubeRendererDeviceReset(); }

void CVeskCubeMesh::Render() { EmitInstances(GetCubeDrawTarget()); }

void CVeskCubeMesh::ComputeBounds()
{
    for (auto& entry : m_Submeshes)
        ComputeSubmeshBounds(*entry.second);
    MergeSubmeshBounds();
}

void CVeskCubeMesh::ComputeSubmeshBounds(CubeSubmesh& submesh) const
{
    if (submesh.restPositions.empty())
        return;
    CAABB box = CAABB::FromPoints(submesh.restPositions.data(), static_cast<int>(submesh.restPositions.size()));
    const CVector3D half(0.5f, 0.5f, 0.5f);
    box.min += submesh.localPosition - half;
    box.max += submesh.localPosition + half;
    submesh.box = CAABB(TransformPoint(m_MeshMatrix, box.min), TransformPoint(m_MeshMatrix, box.max));
}

void CVeskCubeMesh::MergeSubmeshBounds()
{
    bool first = true;
    for (const auto& entry : m_Submeshes) {
        const CubeSubmesh& submesh = *entry.second;
        if (submesh.restPositions.empty())
            continue;
        if (first)
            m_AABB = submesh.box;
        else
            m_AABB.Merge(submesh.box);
        first = false;
    }
}

CubeSubmesh* CVeskCubeMesh::FindSubmesh(const std::string& name) const
{
    const auto it = m_Submeshes.find(name);
    return it == m_Submeshes.end() ? nullptr : it->second.get();
}

CubeSubmesh* CVeskCubeMesh::CreateSubmesh(const std::string& name)
{
    if (m_Submeshes.count(name))
        return nullptr;
    auto submesh = std::make_unique<CubeSubmesh>();
    submesh->name = name;
    CubeSubmesh* created = submesh.get();
    m_Submeshes.emplace(name, std::move(submesh));
    RebuildRootList();
    return created;
}

void CVeskCubeMesh::ClearSubmeshes()
{
    m_Submeshes.clear();
    RebuildRootList();
}

bool CVeskCubeMesh::LinkSubmesh(CubeSubmesh* child, CubeSubmesh* parent)
{
    for (const CubeSubmesh* ancestor = parent; ancestor; ancestor = ancestor->parent)
        if (ancestor == child) {
            Vesk::LogLine("CVeskCubeMesh: \"" + child->name + "\" cannot hang under \"" + parent->name +
                          "\": that would make a loop in the hierarchy");
            return false;
        }
    if (child->parent) {
        auto& siblings = child->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), child), siblings.end());
    }
    child->parent = parent;
    if (parent)
        parent->children.push_back(child);
    return true;
}

bool CVeskCubeMesh::SetSubmeshParent(CubeSubmesh* child, CubeSubmesh* parent)
{
    if (!child || !LinkSubmesh(child, parent))
        return false;
    RebuildRootList();
    return true;
}

std::vector<std::string> CVeskCubeMesh::GetSubmeshes() const
{
    std::vector<std::string> names;
    names.reserve(m_Submeshes.size());
    for (const auto& entry : m_Submeshes)
        names.push_back(entry.first);
    return names;
}

CMatrix4 CVeskCubeMesh::GetAncestorMatrix(const CubeSubmesh* submesh) const
{
    CMatrix4 m;
    for (const CubeSubmesh* ancestor = submesh ? submesh->parent : nullptr; ancestor; ancestor = ancestor->parent)
        TranslationRotation(ancestor->localPosition, ancestor->rotation).Multiply(m, m);
    return m;
}

CMatrix4 CVeskCubeMesh::GetSubmeshMatrix(const CubeSubmesh* submesh) const
{
    CMatrix4 m = GetAncestorMatrix(submesh);
    if (submesh)
        m.Multiply(m, TranslationRotation(submesh->localPosition, CMatrix3()));
    return m;
}

void CVeskCubeMesh::RebuildRootList()
{
    m_Roots.clear();
    for (const auto& entry : m_Submeshes)
        if (!entry.second->parent)
            m_Roots.push_back(entry.second.get());
}

} // namespace Game
