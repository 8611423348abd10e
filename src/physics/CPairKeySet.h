// CPairKeySet: a set of 32-bit body-pair keys in one flat open-addressed table, for the collision
// pass's bookkeeping. Clearing keeps the table, so a pass with as many pairs as the last one
// allocates nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Vesk {

class CPairKeySet {
public:
    // The one key that cannot be stored: two 0xFFFF ids (no registered body has that id).
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;

    // True when the key was not in the set yet.
    bool Insert(uint32_t key);
    void Clear();
    size_t Size() const { return m_Count; }

private:
    void Grow();

    std::vector<uint32_t> m_Slots;
    size_t m_Count = 0;
};

} // namespace Vesk
