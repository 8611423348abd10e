#include "physics/CPairKeySet.h"

#include <algorithm>

namespace Vesk {

namespace {

constexpr size_t kFirstSlots = 64;

size_t SlotOf(uint32_t key, size_t mask)
{
    return static_cast<size_t>((static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

} // namespace

bool CPairKeySet::Insert(uint32_t key)
{
    if (key == kEmpty)
        return false;
    // At most half the slots in use, so that probes stay short and always end.
    if (2 * (m_Count + 1) > m_Slots.size())
        Grow();
    const size_t mask = m_Slots.size() - 1;
    for (size_t at = SlotOf(key, mask);; at = (at + 1) & mask) {
        if (m_Slots[at] == key)
            return false;
        if (m_Slots[at] == kEmpty) {
            m_Slots[at] = key;
            ++m_Count;
            return true;
        }
    }
}

void CPairKeySet::Clear()
{
    if (m_Count == 0)
        return;
    std::fill(m_Slots.begin(), m_Slots.end(), kEmpty);
    m_Count = 0;
}

void CPairKeySet::Grow()
{
    std::vector<uint32_t> old(std::max(kFirstSlots, 2 * m_Slots.size()), kEmpty);
    old.swap(m_Slots);
    m_Count = 0;
    for (uint32_t key : old)
        if (key != kEmpty)
            Insert(key);
}

} // namespace Vesk
