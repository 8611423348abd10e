// The terrain's static compound body: per height, runs of blocks along depth, merged across
// neighbouring widths when they cover the same depths, one box per merged region.
#include "game/terrain/CTerrain.h"

#include "core/Log.h"
#include "physics/CCompoundBody.h"
#include "physics/CPhysicsSystem.h"

#include <algorithm>

namespace Game {

namespace {

constexpr short kFloorGroup = 2; // COLGRP_FLOOR
constexpr short kAllGroups = -1; // COLGRP_ALL

} // namespace

void CTerrain::ReleaseBody()
{
    delete m_Body; // the body leaves the physics system on its way out
    m_Body = nullptr;
}

void CTerrain::BuildPhysics()
{
    ReleaseBody();
    auto* body = new Vesk::CCompoundBody();
    if (!Vesk::CPhysicsSystem::GetInstance().AddRigidBody(body, kFloorGroup, kAllGroups)) {
        Vesk::LogLine("CTerrain: the physics system did not take the terrain body; the terrain does not collide");
        delete body;
        return;
    }
    body->SetBodyType(Vesk::BODY_STATIC);
    m_Body = body;
    for (const TerrainRegion& region : BuildPhysicsRegions())
        m_Body->AddBoxShapeFromAABB(RegionBox(region));
}

std::vector<TerrainRegion> CTerrain::GetDepthRuns(unsigned h) const
{
    // Walked in memory order (depth outer, width inner) with one open run per width; a run still
    // open after the last depth ends there.
    std::vector<TerrainRegion> runs;
    int start[MAX_WIDTH];
    std::fill(std::begin(start), std::end(start), -1);
    const unsigned char* level = &m_Occupancy[h * MAX_WIDTH * MAX_DEPTH];
    for (unsigned d = 0; d <= MAX_DEPTH; ++d) {
        for (unsigned w = 0; w < MAX_WIDTH; ++w) {
            const bool occupied = d < MAX_DEPTH && level[d * MAX_WIDTH + w] != 0;
            if (occupied && start[w] < 0) {
                start[w] = static_cast<int>(d);
            } else if (!occupied && start[w] >= 0) {
                runs.push_back({w, w, static_cast<unsigned>(start[w]), d - 1, h});
                start[w] = -1;
            }
        }
    }
    std::sort(runs.begin(), runs.end(),
              [](const TerrainRegion& a, const TerrainRegion& b) { return a.w0 != b.w0 ? a.w0 < b.w0 : a.d0 < b.d0; });
    return runs;
}

std::vector<TerrainRegion> CTerrain::BuildPhysicsRegions() const
{
    std::vector<TerrainRegion> regions;
    const unsigned used = UsedHeight();
    for (unsigned h = 0; h < used; ++h) {
        if (m_LevelCounts[h] == 0)
            continue;
        const std::vector<TerrainRegion> runs = GetDepthRuns(h);
        // Where each width's runs start in the list (ordered by width, then depth).
        std::vector<std::size_t> first(MAX_WIDTH + 1, runs.size());
        for (std::size_t i = runs.size(); i-- > 0;)
            first[runs[i].w0] = i;
        for (unsigned w = MAX_WIDTH; w-- > 0;)
            first[w] = std::min(first[w], first[w + 1]);

        std::vector<bool> merged(runs.size(), false);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            if (merged[i])
                continue;
            TerrainRegion region = runs[i];
            // The run of the next width that covers exactly the same depths joins the region.
            for (unsigned w = region.w1 + 1; w < MAX_WIDTH; ++w) {
                const auto begin = runs.begin() + static_cast<std::ptrdiff_t>(first[w]);
                const auto end = runs.begin() + static_cast<std::ptrdiff_t>(first[w + 1]);
                const auto match = std::lower_bound(begin, end, region.d0,
                                                    [](const TerrainRegion& r, unsigned d0) { return r.d0 < d0; });
                const std::size_t j = static_cast<std::size_t>(match - runs.begin());
                if (match == end || match->d0 != region.d0 || match->d1 != region.d1 || merged[j])
                    break;
                merged[j] = true;
                region.w1 = w;
            }
            regions.push_back(region);
        }
    }
    return regions;
}

CAABB CTerrain::RegionBox(const TerrainRegion& region) const
{
    CVector3D first, last;
    BlockToWorld(first, BlockPosition(region.w0, region.d0, region.h));
    BlockToWorld(last, BlockPosition(region.w1, region.d1, region.h));
    CAABB box(first, m_BlockSize, m_BlockSize, m_BlockSize);
    box.Merge(CAABB(last, m_BlockSize, m_BlockSize, m_BlockSize));
    return box;
}

} // namespace Game
