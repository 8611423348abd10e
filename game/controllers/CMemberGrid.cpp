#include "game/controllers/CMemberGrid.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

// The cells are a little wider than the reach, so that rounding in the callers' distances and in
// the cell arithmetic never puts a point within reach two cells away.
constexpr double kCellMargin = 1.001;
// Cell coordinates are clamped to +-2^30: far points share the outermost cells, and cells next
// to each other stay next to each other. The offset makes both halves of a key unsigned.
constexpr double kCellLimit = 1073741824.0;
constexpr int64_t kCellOffset = int64_t(1) << 31;
constexpr size_t kMinimumSlots = 16;

uint64_t Mix(uint64_t key)
{
    key ^= key >> 31;
    key *= 0x9E3779B97F4A7C15ull;
    return key ^ (key >> 29);
}

} // namespace

void CMemberGrid::Begin(float reach)
{
    m_Entries.clear();
    m_Indices.clear();
    m_Slots.clear();
    m_Filing = reach > 0.0f;
    m_CellSize = m_Filing ? static_cast<double>(reach) * kCellMargin : 0.0;
}

bool CMemberGrid::CellOf(float x, float z, int64_t& cx, int64_t& cz) const
{
    if (!m_Filing || !std::isfinite(x) || !std::isfinite(z))
        return false;
    // An infinite reach puts every point in the cell 0.
    cx = static_cast<int64_t>(std::clamp(std::floor(static_cast<double>(x) / m_CellSize), -kCellLimit, kCellLimit));
    cz = static_cast<int64_t>(std::clamp(std::floor(static_cast<double>(z) / m_CellSize), -kCellLimit, kCellLimit));
    return true;
}

uint64_t CMemberGrid::Key(int64_t cx, int64_t cz)
{
    return (static_cast<uint64_t>(cx + kCellOffset) << 32) | static_cast<uint64_t>(cz + kCellOffset);
}

void CMemberGrid::Add(uint32_t index, float x, float z)
{
    int64_t cx = 0, cz = 0;
    if (CellOf(x, z, cx, cz))
        m_Entries.push_back({Key(cx, cz), index});
}

const CMemberGrid::Slot* CMemberGrid::Find(uint64_t cell) const
{
    if (m_Slots.empty())
        return nullptr;
    for (uint64_t at = Mix(cell) & m_SlotMask;; at = (at + 1) & m_SlotMask) {
        const Slot& slot = m_Slots[at];
        if (!slot.used)
            return nullptr;
        if (slot.cell == cell)
            return &slot;
    }
}

CMemberGrid::Slot& CMemberGrid::Claim(uint64_t cell)
{
    for (uint64_t at = Mix(cell) & m_SlotMask;; at = (at + 1) & m_SlotMask) {
        Slot& slot = m_Slots[at];
        if (!slot.used) {
            slot.used = true;
            slot.cell = cell;
            return slot;
        }
        if (slot.cell == cell)
            return slot;
    }
}

void CMemberGrid::Finish()
{
    // At most half the slots in use, so that probes stay short and always end.
    size_t capacity = kMinimumSlots;
    while (capacity < 2 * m_Entries.size())
        capacity *= 2;
    m_Slots.assign(capacity, Slot{});
    m_SlotMask = capacity - 1;
    for (const Entry& entry : m_Entries)
        ++Claim(entry.cell).count;
    uint32_t begin = 0;
    for (Slot& slot : m_Slots) {
        slot.begin = begin;
        begin += slot.count;
    }
    // Each cell lists its points in the order they were filed.
    m_Indices.resize(m_Entries.size());
    for (const Entry& entry : m_Entries) {
        Slot& slot = Claim(entry.cell);
        m_Indices[slot.begin + slot.filled++] = entry.index;
    }
}

void CMemberGrid::Gather(float x, float z, std::vector<uint32_t>& out) const
{
    out.clear();
    int64_t cx = 0, cz = 0;
    if (!CellOf(x, z, cx, cz))
        return;
    for (int64_t dx = -1; dx <= 1; ++dx)
        for (int64_t dz = -1; dz <= 1; ++dz)
            if (const Slot* slot = Find(Key(cx + dx, cz + dz)))
                out.insert(out.end(), m_Indices.begin() + slot->begin, m_Indices.begin() + slot->begin + slot->count);
    std::sort(out.begin(), out.end());
}

} // namespace Game
