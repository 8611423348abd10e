// The terrain's static compound body: per height, runs of blocks along depth, merged across
// neighbouring widths when they cover the same depths, one box per merged region. Edits keep it
// that way: each height whose blocks changed is merged again and its boxes compared with the new
// regions, so the body never holds more boxes than a fresh build of the same grid.
#include "game/terrain/CTerrain.h"

#include "core/Log.h"
#include "physics/CCompoundBody.h"
#include "physics/CPhysicsSystem.h"

#include <algorithm>
#include <cstring>

namespace Game {

namespace {

constexpr short kFloorGroup = 2; // COLGRP_FLOOR
constexpr short kAllGroups = -1; // COLGRP_ALL

// A region packed into one number, ordered by height first: every coordinate fits a byte.
uint64_t RegionKey(const TerrainRegion& r)
{
    return uint64_t(r.h) << 32 | uint64_t(r.w0) << 24 | uint64_t(r.w1) << 16 | uint64_t(r.d0) << 8 | uint64_t(r.d1);
}

TerrainRegion RegionOfKey(uint64_t key)
{
    TerrainRegion r;
    r.h = unsigned(key >> 32);
    r.w0 = unsigned(key >> 24) & 0xFF;
    r.w1 = unsigned(key >> 16) & 0xFF;
    r.d0 = unsigned(key >> 8) & 0xFF;
    r.d1 = unsigned(key) & 0xFF;
    return r;
}

// Whether the eight cells from w differ between the two rows (a quick test before the cells).
bool WordDiffers(const unsigned char* a, const unsigned char* b, unsigned w, unsigned cells)
{
    uint64_t x = 0, y = 0;
    std::memcpy(&x, a + w, cells);
    std::memcpy(&y, b + w, cells);
    return x != y;
}

} // namespace

void CTerrain::ReleaseBody()
{
    delete m_Body; // the body leaves the physics system on its way out
    m_Body = nullptr;
    m_BoxKeys.clear();
    m_BoxOfRegion.clear();
    for (std::vector<uint64_t>& keys : m_LevelBoxes)
        keys.clear();
}

void CTerrain::BuildPhysics()
{
    ReleaseBody();
    m_DirtyLevels = 0;
    auto* body = new Vesk::CCompoundBody();
    if (!Vesk::CPhysicsSystem::GetInstance().AddRigidBody(body, kFloorGroup, kAllGroups)) {
        Vesk::LogLine("CTerrain: the physics system did not take the terrain body; the terrain does not collide");
        delete body;
        return;
    }
    body->SetBodyType(Vesk::BODY_STATIC);
    m_Body = body;
    std::vector<TerrainRegion> regions;
    const unsigned used = UsedHeight();
    for (unsigned h = 0; h < used; ++h) {
        regions.clear();
        AppendLevelRegions(h, regions);
        for (const TerrainRegion& region : regions)
            if (AddRegionBox(RegionKey(region)))
                m_LevelBoxes[h].push_back(RegionKey(region));
        std::sort(m_LevelBoxes[h].begin(), m_LevelBoxes[h].end());
    }
}

void CTerrain::UpdatePhysics()
{
    const uint64_t dirty = m_DirtyLevels;
    m_DirtyLevels = 0;
    if (!m_Body || dirty == 0)
        return;
    std::vector<TerrainRegion> regions;
    std::vector<uint64_t> keys, kept;
    for (unsigned h = 0; h < MAX_HEIGHT; ++h) {
        if (!(dirty >> h & 1))
            continue;
        regions.clear();
        AppendLevelRegions(h, regions);
        keys.clear();
        for (const TerrainRegion& region : regions)
            keys.push_back(RegionKey(region));
        std::sort(keys.begin(), keys.end());
        // Both lists ascending: a key only in the old list is a box to remove, one only in the
        // new list a box to add.
        std::vector<uint64_t>& old = m_LevelBoxes[h];
        kept.clear();
        std::size_t i = 0, j = 0;
        while (i < old.size() || j < keys.size()) {
            if (j == keys.size() || (i < old.size() && old[i] < keys[j])) {
                RemoveRegionBox(old[i++]);
            } else if (i == old.size() || keys[j] < old[i]) {
                if (AddRegionBox(keys[j]))
                    kept.push_back(keys[j]);
                ++j;
            } else {
                kept.push_back(old[i]);
                ++i;
                ++j;
            }
        }
        old.swap(kept);
    }
    m_Body->UpdateBounds();
}

bool CTerrain::AddRegionBox(uint64_t key)
{
    const std::size_t index = m_Body->GetChildCount();
    m_Body->AddBoxShapeFromAABB(RegionBox(RegionOfKey(key)));
    if (m_Body->GetChildCount() == index)
        return false; // the pool gave no box
    m_BoxKeys.push_back(key);
    m_BoxOfRegion[key] = uint32_t(index);
    return true;
}

void CTerrain::RemoveRegionBox(uint64_t key)
{
    const auto it = m_BoxOfRegion.find(key);
    if (it == m_BoxOfRegion.end())
        return;
    const uint32_t index = it->second;
    m_BoxOfRegion.erase(it);
    // The body moves its last box into the freed place; the keys follow it.
    m_Body->RemoveBoxShape(index);
    const uint64_t last = m_BoxKeys.back();
    m_BoxKeys.pop_back();
    if (index < m_BoxKeys.size()) {
        m_BoxKeys[index] = last;
        m_BoxOfRegion[last] = index;
    }
}

void CTerrain::GetDepthRuns(unsigned h, std::vector<TerrainRegion>& runs, std::vector<std::size_t>& first) const
{
    // Each depth row is compared with the one before (a row of nothing before the first and after
    // the last), a word at a time: a run opens where a cell turns occupied and closes where it
    // turns empty, so a run still open after the last depth ends there.
    static const unsigned char kEmptyRow[MAX_WIDTH] = {};
    constexpr unsigned kWord = 8;
    std::vector<TerrainRegion> closed;
    unsigned start[MAX_WIDTH] = {};
    unsigned perWidth[MAX_WIDTH + 1] = {};
    const unsigned char* level = &m_Occupancy[std::size_t(h) * MAX_WIDTH * MAX_DEPTH];
    for (unsigned d = 0; d <= MAX_DEPTH; ++d) {
        const unsigned char* row = d < MAX_DEPTH ? level + d * MAX_WIDTH : kEmptyRow;
        const unsigned char* before = d > 0 ? level + (d - 1) * MAX_WIDTH : kEmptyRow;
        for (unsigned w0 = 0; w0 < MAX_WIDTH; w0 += kWord) {
            const unsigned cells = std::min(kWord, MAX_WIDTH - w0);
            if (!WordDiffers(row, before, w0, cells))
                continue;
            for (unsigned w = w0; w < w0 + cells; ++w) {
                const bool now = row[w] != 0;
                if (now == (before[w] != 0))
                    continue;
                if (now) {
                    start[w] = d;
                } else {
                    closed.push_back({w, w, start[w], d - 1, h});
                    ++perWidth[w];
                }
            }
        }
    }
    // Grouped by width; each width's runs closed in depth order already.
    first.assign(MAX_WIDTH + 1, 0);
    for (unsigned w = 0; w < MAX_WIDTH; ++w)
        first[w + 1] = first[w] + perWidth[w];
    runs.resize(closed.size());
    std::vector<std::size_t> next(first.begin(), first.end() - 1);
    for (const TerrainRegion& run : closed)
        runs[next[run.w0]++] = run;
}

void CTerrain::AppendLevelRegions(unsigned h, std::vector<TerrainRegion>& out) const
{
    if (m_LevelCounts[h] == 0)
        return;
    std::vector<TerrainRegion> runs;
    std::vector<std::size_t> first;
    GetDepthRuns(h, runs, first);
    std::vector<bool> merged(runs.size(), false);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (merged[i])
            continue;
        TerrainRegion region = runs[i];
        // The run of the next width that covers exactly the same depths joins the region.
        for (unsigned w = region.w1 + 1; w < MAX_WIDTH; ++w) {
            const auto begin = runs.begin() + static_cast<std::ptrdiff_t>(first[w]);
            const auto end = runs.begin() + static_cast<std::ptrdiff_t>(first[w + 1]);
            const auto match =
                std::lower_bound(begin, end, region.d0, [](const TerrainRegion& r, unsigned d0) { return r.d0 < d0; });
            const std::size_t j = static_cast<std::size_t>(match - runs.begin());
            if (match == end || match->d0 != region.d0 || match->d1 != region.d1 || merged[j])
                break;
            merged[j] = true;
            region.w1 = w;
        }
        out.push_back(region);
    }
}

std::vector<TerrainRegion> CTerrain::BuildPhysicsRegions() const
{
    std::vector<TerrainRegion> regions;
    const unsigned used = UsedHeight();
    for (unsigned h = 0; h < used; ++h)
        AppendLevelRegions(h, regions);
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
