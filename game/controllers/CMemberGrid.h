// CMemberGrid: points on the ground plane (x, z) filed by square cells, so that the points near
// one are found by looking at the 3 x 3 cells around it instead of at every point. Built anew
// each update in storage kept from build to build: a crowd of the same size allocates nothing.
#pragma once

#include <cstdint>
#include <vector>

namespace Game {

class CMemberGrid {
public:
    // Starts a new filing with cells at least `reach` wide. A reach that is not a positive
    // number files nothing.
    void Begin(float reach);
    // Files point `index` at (x, z); a point with a coordinate that is not finite is left out.
    void Add(uint32_t index, float x, float z);
    // Ends the filing; Gather may be called from here on (nothing is found before it).
    void Finish();
    // Replaces `out` with the filed indices, in ascending order, of the points in the cells
    // around (x, z): every filed point less than `reach` away on both axes is among them.
    void Gather(float x, float z, std::vector<uint32_t>& out) const;

private:
    struct Entry {
        uint64_t cell;
        uint32_t index;
    };
    struct Slot {
        uint64_t cell = 0;
        uint32_t begin = 0;
        uint32_t count = 0;
        uint32_t filled = 0;
        bool used = false;
    };
    bool CellOf(float x, float z, int64_t& cx, int64_t& cz) const;
    static uint64_t Key(int64_t cx, int64_t cz);
    const Slot* Find(uint64_t cell) const;
    Slot& Claim(uint64_t cell);

    double m_CellSize = 0.0;
    bool m_Filing = false;
    std::vector<Entry> m_Entries;
    std::vector<Slot> m_Slots;
    uint64_t m_SlotMask = 0;
    std::vector<uint32_t> m_Indices;
};

} // namespace Game
