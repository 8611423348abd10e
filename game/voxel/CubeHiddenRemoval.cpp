// Hidden-cube removal: cubes enclosed on all six sides are stored after the visible ones, so that
// drawing stops at the visible count.
#include "game/voxel/CVeskCubeMesh.h"

#include "core/Log.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <unordered_map>

namespace Game {

namespace {

// Cubes further out than this (in cube units) are not placed: their cells would not fit the
// grid arithmetic. No model or terrain comes near it.
constexpr float kCubeCoordinateLimit = 1000000.0f;
// A dense cell grid is used while it has at most this many cells per cube (plus a small
// allowance) and stays under the cap; sparse and far-flung models use a hash of their cells.
constexpr int64_t kDenseCellsPerCube = 32;
constexpr int64_t kDenseAllowance = 4096;
constexpr int64_t kDenseCellCap = int64_t(1) << 24;

bool IsPlaceable(const CVector3D& p)
{
    return std::fabs(p.x) <= kCubeCoordinateLimit && std::fabs(p.y) <= kCubeCoordinateLimit &&
           std::fabs(p.z) <= kCubeCoordinateLimit;
}

struct Cell {
    int64_t x, y, z;
};

// Working memory kept from one removal to the next, so that loading a level's models one after
// another does not map fresh pages for every one; released when a removal needed more than this.
constexpr std::size_t kKeptScratchBytes = std::size_t(32) << 20;

struct Scratch {
    std::vector<int32_t> cells;     // the dense grid
    std::vector<int32_t> order;     // old index of each kept cube, in its new place
    std::vector<CVector3D> vectors; // positions, then colours, in their new order
    std::vector<uint32_t> codes;    // neighbour codes in their new order

    void Trim()
    {
        const std::size_t bytes =
            (cells.capacity() + order.capacity() + codes.capacity()) * 4 + vectors.capacity() * sizeof(CVector3D);
        if (bytes > kKeptScratchBytes)
            *this = Scratch();
    }
};

Scratch& TakeScratch()
{
    static thread_local Scratch scratch;
    return scratch;
}

// values[k] = old values[order[k]] for the first `kept` entries: written in order into the spare
// array, which then trades places with the values (so the spare keeps the old storage).
template <typename T>
void Gather(const std::vector<int32_t>& order, std::size_t kept, std::vector<T>& values, std::vector<T>& spare)
{
    spare.resize(kept);
    for (std::size_t k = 0; k < kept; ++k)
        spare[k] = values[static_cast<std::size_t>(order[k])];
    values.swap(spare);
}

// The occupied cells of a submesh's bounding grid: for each cell the last cube placed in it.
class CellGrid {
public:
    CellGrid(int64_t nx, int64_t ny, int64_t nz, std::size_t cubes, std::vector<int32_t>& storage)
        : m_Nx(nx), m_Ny(ny), m_Nz(nz), m_Cells(storage)
    {
        const int64_t cells = nx * ny * nz;
        m_Dense = cells <= kDenseCellCap && cells <= kDenseCellsPerCube * static_cast<int64_t>(cubes) + kDenseAllowance;
        if (m_Dense)
            m_Cells.assign(static_cast<std::size_t>(cells), -1);
        else
            m_Sparse.reserve(cubes);
    }

    void Place(const Cell& c, int32_t cube)
    {
        if (m_Dense)
            m_Cells[Index(c)] = cube;
        else
            m_Sparse[Key(c)] = cube;
    }

    // The cube holding the cell, or -1 for an empty cell or one outside the grid.
    int32_t At(const Cell& c) const
    {
        if (c.x < 0 || c.y < 0 || c.z < 0 || c.x >= m_Nx || c.y >= m_Ny || c.z >= m_Nz)
            return -1;
        if (m_Dense)
            return m_Cells[Index(c)];
        const auto it = m_Sparse.find(Key(c));
        return it == m_Sparse.end() ? -1 : it->second;
    }

    // The face-neighbour code of an occupied cell inside the grid. The dense grid steps from the
    // cell's own index to its neighbours', testing only the grid's edges on the way.
    uint32_t NeighbourCode(const Cell& c) const
    {
        if (!m_Dense) {
            return (At({c.x + 1, c.y, c.z}) >= 0 ? kNeighbourPlusX : 0) +
                   (At({c.x - 1, c.y, c.z}) >= 0 ? kNeighbourMinusX : 0) +
                   (At({c.x, c.y + 1, c.z}) >= 0 ? kNeighbourPlusY : 0) +
                   (At({c.x, c.y - 1, c.z}) >= 0 ? kNeighbourMinusY : 0) +
                   (At({c.x, c.y, c.z + 1}) >= 0 ? kNeighbourPlusZ : 0) +
                   (At({c.x, c.y, c.z - 1}) >= 0 ? kNeighbourMinusZ : 0);
        }
        const int32_t* cell = &m_Cells[Index(c)];
        const int64_t row = m_Nx, slice = m_Nx * m_Ny;
        uint32_t code = 0;
        code += c.x + 1 < m_Nx && cell[1] >= 0 ? kNeighbourPlusX : 0;
        code += c.x > 0 && cell[-1] >= 0 ? kNeighbourMinusX : 0;
        code += c.y + 1 < m_Ny && cell[row] >= 0 ? kNeighbourPlusY : 0;
        code += c.y > 0 && cell[-row] >= 0 ? kNeighbourMinusY : 0;
        code += c.z + 1 < m_Nz && cell[slice] >= 0 ? kNeighbourPlusZ : 0;
        code += c.z > 0 && cell[-slice] >= 0 ? kNeighbourMinusZ : 0;
        return code;
    }

private:
    std::size_t Index(const Cell& c) const { return static_cast<std::size_t>((c.z * m_Ny + c.y) * m_Nx + c.x); }
    // Every grid axis is shorter than 2^21 cells (the coordinate limit), so a cell packs into 63 bits.
    static uint64_t Key(const Cell& c)
    {
        return static_cast<uint64_t>(c.x) | static_cast<uint64_t>(c.y) << 21 | static_cast<uint64_t>(c.z) << 42;
    }

    int64_t m_Nx, m_Ny, m_Nz;
    bool m_Dense;
    std::vector<int32_t>& m_Cells;
    std::unordered_map<uint64_t, int32_t> m_Sparse;
};

} // namespace

void CVeskCubeMesh::RemoveHiddenCubes(CubeSubmesh* submesh)
{
    if (!submesh)
        return;
    CubeSubmesh& s = *submesh;
    std::vector<CVector3D>& positions = s.restPositions;
    const std::size_t n = positions.size();
    // Codes and colours are worked on in the submesh's own arrays (colours the file left out
    // show white), then moved with the positions.
    s.neighbourCodes.assign(n, 0);
    s.colours.resize(n, CVector3D(255.0f, 255.0f, 255.0f));
    Scratch& scratch = TakeScratch();
    std::vector<int32_t>& order = scratch.order;
    std::size_t visibleCount = 0, kept = 0;

    if (n > 0) {
        CVector3D lo(3.4028235e38f, 3.4028235e38f, 3.4028235e38f), hi(-3.4028235e38f, -3.4028235e38f, -3.4028235e38f);
        std::size_t unplaceable = 0;
        for (const CVector3D& p : positions) {
            if (!IsPlaceable(p)) {
                ++unplaceable;
                continue;
            }
            for (unsigned axis = 0; axis < 3; ++axis) {
                lo[axis] = std::min(lo[axis], p[axis]);
                hi[axis] = std::max(hi[axis], p[axis]);
            }
        }
        if (unplaceable)
            Vesk::LogLine("CVeskCubeMesh: " + std::to_string(unplaceable) + " cube(s) of \"" + s.name +
                          "\" lie beyond 1000000 cube units and are dropped");

        const auto cellOf = [&lo](const CVector3D& p) {
            return Cell{static_cast<int64_t>(p.x - lo.x + 0.5f), static_cast<int64_t>(p.y - lo.y + 0.5f),
                        static_cast<int64_t>(p.z - lo.z + 0.5f)};
        };
        const bool anyPlaced = unplaceable < n;
        const Cell size = anyPlaced ? cellOf(hi) : Cell{0, 0, 0};
        CellGrid grid(size.x + 1, size.y + 1, size.z + 1, n, scratch.cells);
        for (std::size_t i = 0; i < n; ++i)
            if (IsPlaceable(positions[i]))
                grid.Place(cellOf(positions[i]), static_cast<int32_t>(i));

        // Visible cubes are listed in their order; hidden ones wait at the far end of the
        // order's room (last first) and are turned around after.
        order.resize(n);
        std::size_t hiddenCount = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!IsPlaceable(positions[i]))
                continue;
            const Cell c = cellOf(positions[i]);
            if (grid.At(c) != static_cast<int32_t>(i))
                continue; // a later cube took the cell
            const uint32_t code = grid.NeighbourCode(c);
            s.neighbourCodes[i] = code;
            if (code == kCubeEnclosed)
                order[n - 1 - hiddenCount++] = static_cast<int32_t>(i);
            else
                order[visibleCount++] = static_cast<int32_t>(i);
        }
        std::reverse(order.end() - static_cast<std::ptrdiff_t>(hiddenCount), order.end());
        std::move(order.end() - static_cast<std::ptrdiff_t>(hiddenCount), order.end(),
                  order.begin() + static_cast<std::ptrdiff_t>(visibleCount));
        kept = visibleCount + hiddenCount;
        const int64_t cells = anyPlaced ? (size.x + 1) * (size.y + 1) * (size.z + 1) : 0;
        ReportHiddenCubes(s.name, n, kept, cells, hiddenCount);
    }

    // Visible cubes in their order, then hidden ones; cubes without a cell are gone.
    Gather(order, kept, positions, scratch.vectors);
    Gather(order, kept, s.colours, scratch.vectors);
    Gather(order, kept, s.neighbourCodes, scratch.codes);
    s.cubeCount = static_cast<int>(kept);
    s.visibleCount = static_cast<int>(visibleCount);
    // The per-cube drawing state keeps its order; it only follows the new count.
    s.currentPositions.resize(kept);
    s.flashValues.resize(kept, 1.0f);
    scratch.Trim();
}

void CVeskCubeMesh::ReportHiddenCubes(const std::string& name, std::size_t before, std::size_t kept, int64_t cells,
                                      std::size_t hidden)
{
    std::cout << name << "::----------------------\nBEFORE: " << before << "\nCOUNT: " << kept << " / " << cells
              << "\nHIDDEN : " << hidden << "\nAFTER: " << kept << '\n';
}

void CVeskCubeMesh::RemoveHiddenCubesAll()
{
    for (auto& entry : m_Submeshes)
        RemoveHiddenCubes(entry.second.get());
}

} // namespace Game
