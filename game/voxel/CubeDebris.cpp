// Shatter debris of the cube animation controller: the burst, the flight with its bounces on the
// height map and fading, and putting the model back together.
#include "game/voxel/CubeDebris.h"

#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeDebrisWorld.h"
#include "game/voxel/CubeHeightMap.h"

#include "math/Random.h"

#include <algorithm>

namespace Game {

namespace {

// The longest step the debris takes, so that slow frames do not throw cubes through the ground.
constexpr float kMaxDebrisStep = 0.033334f;

// Truncation toward zero of a height-map coordinate; false when it is out of any map's reach.
bool CellCoordinate(float value, int& cell)
{
    if (!(value > -2147483648.0f && value < 2147483648.0f))
        return false;
    cell = static_cast<int>(value);
    return true;
}

} // namespace

void SetCubeDebrisGravity(float x, float y, float z) { CCubeDebrisWorld::GetInstance().m_Gravity = CVector3D(x, y, z); }

CVector3D GetCubeDebrisGravity() { return CCubeDebrisWorld::GetInstance().m_Gravity; }

const CubeDebrisState* CVeskCubeAnimationController::FindDebrisState(const std::string& name) const
{
    const auto it = m_DebrisStates.find(name);
    return it == m_DebrisStates.end() ? nullptr : &it->second;
}

CubeDebrisState& CVeskCubeAnimationController::DebrisStateFor(const CubeSubmesh& submesh)
{
    const auto found = m_DebrisStates.find(submesh.name);
    if (found != m_DebrisStates.end())
        return found->second;
    CubeDebrisState& state = m_DebrisStates[submesh.name];
    const std::size_t n = submesh.restPositions.size();
    state.positions = submesh.restPositions;
    state.velocities.assign(n, CVector3D());
    state.fades.assign(n, 1.0f);
    return state;
}

void CVeskCubeAnimationController::Shatter(const CMatrix4& world)
{
    if (!m_Mesh)
        return;
    for (const std::string& name : m_Mesh->GetSubmeshes())
        ShatterSubmesh(name, world);
}

void CVeskCubeAnimationController::ShatterSubmesh(const std::string& name, const CMatrix4& world)
{
    if (!m_Mesh || m_Shattered.count(name))
        return;
    CubeSubmesh* submesh = m_Mesh->FindSubmesh(name);
    if (!submesh)
        return;
    CubeDebrisState& state = DebrisStateFor(*submesh);
    if (!state.active)
        --m_UnshatteredCount;
    m_Shattered.insert(name);
    state.active = true;

    CMatrix4 g;
    world.Multiply(g, m_Mesh->GetAncestorMatrix(submesh));
    // Every cube keeps the rotation of the world matrix, without its translation.
    CMatrix4 rotation;
    world.GetTransposed(rotation);
    rotation.m[12] = rotation.m[13] = rotation.m[14] = 0.0f;
    rotation.m[15] = 1.0f;

    state.matrix = rotation;
    submesh->debrisMatrix = rotation;
    const std::size_t n = std::min({state.positions.size(), state.velocities.size(), submesh->currentPositions.size()});
    for (std::size_t i = 0; i < n; ++i) {
        const CVector3D q = state.positions[i] + submesh->localPosition;
        const float point[4] = {q.x, q.y, q.z, 1.0f};
        const float direction[4] = {q.x, q.y, q.z, 0.0f};
        float placed[4], heading[4];
        g.TransformVector4(placed, point);
        g.TransformVector4(heading, direction);
        CVector3D velocity(heading[0], heading[1], heading[2]);
        velocity.Normalize();
        state.velocities[i] = velocity * 20.0f * RandomRangeChecked(0.1f, 1.0f);
        state.positions[i] = CVector3D(placed[0], placed[1], placed[2]);
        submesh->currentPositions[i] = state.positions[i];
    }
    submesh->debris = true;
}

void CVeskCubeAnimationController::UpdateDebris(float dt)
{
    if (!m_Mesh)
        return;
    const float h = std::min(dt, kMaxDebrisStep);
    const CubeHeightMap& map = GetCubeHeightMap();
    const CVector3D gravity = GetCubeDebrisGravity();
    for (const std::string& name : m_Shattered) {
        CubeSubmesh* submesh = m_Mesh->FindSubmesh(name);
        const auto found = m_DebrisStates.find(name);
        if (!submesh || found == m_DebrisStates.end())
            continue;
        CubeDebrisState& state = found->second;
        const std::size_t n = std::min({state.positions.size(), state.velocities.size(), state.fades.size(),
                                        submesh->currentPositions.size(), submesh->flashValues.size()});
        for (std::size_t i = 0; i < n; ++i) {
            CVector3D& p = state.positions[i];
            CVector3D& v = state.velocities[i];
            // The cell under the cube before it moves.
            int cx = 0, cz = 0;
            const bool inReach = CellCoordinate(p.x * 0.25f, cx) && CellCoordinate(p.z * 0.25f - 0.5f, cz);
            v += gravity * h;
            p += v * h;
            float ground;
            if (inReach && map.GetHeight(cx, cz, ground) && p.y < ground + 2.5f) {
                v.y = -v.y;
                v *= 0.7f;
                state.fades[i] = ground > 20.0f ? 0.0f : state.fades[i] * 0.7f;
            }
            const float f = state.fades[i];
            state.fades[i] = std::max(0.0f, f - h * (1.0f - (f - 0.2f) * (f - 0.2f)) * 0.15f);

            submesh->currentPositions[i] = p;
            submesh->flashValues[i] = state.fades[i];
        }
        submesh->debrisMatrix = state.matrix;
        submesh->debris = state.active;
    }
}

void CVeskCubeAnimationController::ResetShatter()
{
    if (!m_Mesh)
        return;
    for (const std::string& name : m_Shattered) {
        CubeSubmesh* submesh = m_Mesh->FindSubmesh(name);
        const auto found = m_DebrisStates.find(name);
        if (!submesh || found == m_DebrisStates.end())
            continue;
        CubeDebrisState& state = found->second;
        state.positions = submesh->restPositions;
        state.velocities.resize(state.positions.size());
        state.fades.assign(state.positions.size(), 1.0f);
        // The cubes draw at full brightness again from the next frame on, not at their last fade.
        submesh->flashValues.assign(submesh->flashValues.size(), 1.0f);
        // Whole again: a later shatter counts this submesh once more.
        state.active = false;
        submesh->debris = false;
    }
    m_Shattered.clear();
    m_DebrisTimer = 10.0f;
    m_UnshatteredCount = static_cast<int>(m_Mesh->GetSubmeshMap().size());
}

} // namespace Game
