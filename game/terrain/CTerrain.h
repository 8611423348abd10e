// CTerrain: the ground of a level, a grid of up to 250 x 250 x 50 coloured blocks. Owns the grid
// (occupancy and colour per cell), the scene nodes that show it, the voxel-cube mesh it is drawn
// with (one submesh per slice of ten widths, drawn as terrain) and the static compound body of
// merged boxes it collides through. The level editor edits it in place; an edit rebuilds only the
// slices it touched.
#pragma once

#include "game/terrain/SceneRootNode.h"
#include "game/terrain/TerrainRegion.h"

#include "math/AABB.h"
#include "math/Ray.h"
#include "math/Vector3D.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Vesk {
class CCompoundBody;
class CGeomNode;
} // namespace Vesk

namespace Game {

class CTerrain;
class CVeskCubeMesh;
struct CubeSubmesh;

constexpr unsigned MAX_WIDTH = 250;
constexpr unsigned MAX_DEPTH = 250;
constexpr unsigned MAX_HEIGHT = 50;

struct BlockPosition {
    uint32_t mBlockWidth = 0;
    uint32_t mBlockDepth = 0;
    uint32_t mBlockHeight = 0;

    BlockPosition() = default;
    BlockPosition(uint32_t width, uint32_t depth, uint32_t height)
        : mBlockWidth(width), mBlockDepth(depth), mBlockHeight(height)
    {
    }
    // The block holding a world point, each axis truncated; points below the origin give
    // positions outside the grid, which the edits skip.
    BlockPosition(const CVector3D& point, float blockSize, const CTerrain& terrain);

    bool IsInGrid() const { return mBlockWidth < MAX_WIDTH && mBlockDepth < MAX_DEPTH && mBlockHeight < MAX_HEIGHT; }
};

// What one grid cell holds: its occupancy value (0 empty) and its colour, kept for empty cells too.
struct TerrainCell {
    BlockPosition position;
    unsigned char value = 0;
    CVector3D colour;

    bool operator==(const TerrainCell& other) const
    {
        return value == other.value && colour.x == other.colour.x && colour.y == other.colour.y &&
               colour.z == other.colour.z;
    }
    bool operator!=(const TerrainCell& other) const { return !(*this == other); }
};

class CTerrain {
public:
    static constexpr unsigned kCellCount = MAX_WIDTH * MAX_DEPTH * MAX_HEIGHT;

    // A slab: every cell with w < width, d < depth, h < height holds a white block (sizes beyond
    // the limits are cut to them).
    CTerrain(unsigned width, unsigned depth, unsigned height, float blockSize, const CVector3D& origin);
    // From the voxel-cube model of that name at the zero origin. A name that gives no voxel-cube
    // model makes the 100 x 50 x 1 slab instead, with a log line.
    CTerrain(const std::string& meshName, float blockSize);
    ~CTerrain();
    CTerrain(const CTerrain&) = delete;
    CTerrain& operator=(const CTerrain&) = delete;

    unsigned GetBlockIndex(const BlockPosition& bposition) const;
    // Sets mBlockHeight to the first free height above the column's highest block (0 for an
    // empty column); false when that is MAX_HEIGHT.
    bool FindColumnTop(BlockPosition& pos) const;
    void BlockToWorld(CVector3D& out, const BlockPosition& pos) const;

    // Every edit below skips positions outside the grid and ends with the touched slices'
    // hidden-cube removal and bounds, so the mesh can be drawn after each call.
    // Sets one cell; a cell that was empty also gets its cube in the mesh. After every edit the
    // body holds exactly the boxes BuildPhysics would make of the grid: only the heights whose
    // blocks changed are merged again, and only the boxes that differ are replaced.
    void SetBlock(const BlockPosition& pos, const CVector3D& colour, unsigned char value);
    // Stacks count blocks on each listed column (its height is ignored), up to height 49.
    void RaiseColumns(const std::vector<BlockPosition>& positions, unsigned count, const CVector3D& colour);
    // An occupied cell only takes the colour in the grid; the mesh shows it once its slice is
    // next rebuilt.
    void AddBlocks(const std::vector<BlockPosition>& positions, const CVector3D& colour);
    // Empties up to count cells of each listed column below its top block's upper neighbour.
    // A column full up to height 49 is left alone.
    void DigColumns(const std::vector<BlockPosition>& positions, unsigned count);
    void RemoveBlocks(const std::vector<BlockPosition>& positions);
    // Empty cells keep the colour without becoming blocks.
    void PaintBlocks(const std::vector<BlockPosition>& positions, const CVector3D& colour);
    // The cell at a position inside the grid.
    TerrainCell GetCell(const BlockPosition& pos) const;
    // Puts each cell back as recorded (occupancy value and colour), in one edit.
    void RestoreCells(const std::vector<TerrainCell>& cells);
    // Refills the slice holding width w from the grid; nothing when the mesh has no such slice.
    void RebuildSlice(float w);

    // The nearest block box the ray enters; else, where the ray meets the ground plane, the box
    // of the block there (clamped into the grid). False when it meets neither.
    bool PickBlock(const CRay& ray, CAABB& out) const;

    // Writes the mesh to the path through a temporary file and then lists it under the name in
    // "assets/meshes.xml". False, with a log line, when the path is empty or either write fails;
    // the mesh list is not touched when the model was not written.
    bool SaveMesh(const std::string& name, const std::string& path);
    std::string GetMeshName() const;
    void DrawEditorGrid() const;

    // Replaces the body by one built from the grid: static, in the floor group, colliding with
    // everything, one box per region.
    void BuildPhysics();
    // The physics regions (merged depth runs) of the current grid, as BuildPhysics makes them.
    std::vector<TerrainRegion> BuildPhysicsRegions() const;

    bool IsOccupied(const BlockPosition& pos) const { return m_Occupancy[GetBlockIndex(pos)] != 0; }
    CVector3D GetColour(const BlockPosition& pos) const { return ColourAt(GetBlockIndex(pos)); }
    // Blocks in the grid.
    unsigned GetBlockCount() const;
    CVeskCubeMesh* GetMesh() const { return m_Mesh; }
    Vesk::CCompoundBody* GetBody() const { return m_Body; }
    Vesk::CTransformNode* GetTransformNode() const { return m_TransformNode.Get(); }
    Vesk::CGeomNode* GetGeomNode() const { return m_GeomNode; }
    const CVector3D& GetOrigin() const { return m_Origin; }
    float GetBlockSize() const { return m_BlockSize; }

private:
    void CreateNodes(const std::string& meshName);
    void ReleaseNodes();
    void ReleaseMesh();
    void ReleaseBody();
    void AllocateGrids();
    void InitGrid(unsigned width, unsigned depth, unsigned height);
    void InitFromMesh(const std::string& meshName);
    void SetScaleMatrix();
    void FillGridFromMesh();
    void CollectCubes(std::vector<CVector3D>& positions, std::vector<CVector3D>& colours) const;
    void BuildFromGrid();
    void BuildSlices(const std::vector<CVector3D>& positions, const std::vector<CVector3D>& colours);
    // The runs of blocks along depth on one height, ordered by width, then depth; first[w] is
    // where width w's runs begin (first[MAX_WIDTH] is the end).
    void GetDepthRuns(unsigned h, std::vector<TerrainRegion>& runs, std::vector<std::size_t>& first) const;
    // Appends the physics regions of one height.
    void AppendLevelRegions(unsigned h, std::vector<TerrainRegion>& out) const;
    CAABB RegionBox(const TerrainRegion& region) const;
    // Brings the boxes of the heights whose blocks changed since the body last matched the grid
    // in line with their regions: the boxes of regions gone leave, those of new regions join.
    void UpdatePhysics();
    bool AddRegionBox(uint64_t key);
    void RemoveRegionBox(uint64_t key);

    CVector3D ColourAt(unsigned index) const
    {
        const float* c = &m_Colours[std::size_t(index) * 3];
        return CVector3D(c[0], c[1], c[2]);
    }
    void SetColour(unsigned index, const CVector3D& colour);
    // The cell write every change of occupancy goes through (it keeps the per-height counts).
    void SetOccupancy(unsigned index, unsigned char value);
    // SetBlock with a non-zero value, without the closing hidden-cube removal; a new cube's
    // slice goes into touched.
    // A set of slices, one bit per slice (a grid is 25 slices wide).
    using SliceSet = uint32_t;
    // The slice holding width w.
    static SliceSet SliceBit(unsigned w);

    void PlaceBlock(const BlockPosition& pos, const CVector3D& colour, unsigned char value, SliceSet& touched);
    void EmptyCell(const BlockPosition& pos, SliceSet& rebuild);
    // Refills a slice from the grid as hidden-cube removal leaves it: its cubes in grid order
    // (heights, then depths, then widths), the visible ones first, each with its neighbour code
    // (blocks of other slices do not count, as they are not in its submesh); then its bounds.
    void RefillSlice(CubeSubmesh& slice, unsigned n);
    // Updates the body's boxes; refills the slices in either set (a slice in touched got new
    // cubes and is created when missing; one only in rebuild is refilled when it exists) and
    // merges the mesh box.
    void FinishEdit(SliceSet rebuild, SliceSet touched);
    // The highest height with any block, plus one (0 for an empty grid).
    unsigned UsedHeight() const;

    CVector3D m_Origin;
    float m_BlockSize = 4.0f;
    SceneRootNode m_TransformNode;
    Vesk::CGeomNode* m_GeomNode = nullptr;
    CVeskCubeMesh* m_Mesh = nullptr;
    // Zero-filled memory from the system: the pages of cells that never hold a block are never
    // touched, so a ground a few blocks high costs only its own heights of the 40 MB.
    struct FreeMemory {
        void operator()(void* memory) const;
    };
    std::unique_ptr<unsigned char[], FreeMemory> m_Occupancy;
    std::unique_ptr<float[], FreeMemory> m_Colours; // r, g, b per cell
    Vesk::CCompoundBody* m_Body = nullptr;

    // Blocks per height, so that scans skip the empty heights above the ground.
    unsigned m_LevelCounts[MAX_HEIGHT] = {};
    // Heights (bit h) whose occupancy changed since the body last matched the grid.
    uint64_t m_DirtyLevels = 0;
    // The region each box of the body covers, by child index (as packed keys), the child of each
    // region, and per height its regions' keys in ascending order.
    std::vector<uint64_t> m_BoxKeys;
    std::unordered_map<uint64_t, uint32_t> m_BoxOfRegion;
    std::vector<uint64_t> m_LevelBoxes[MAX_HEIGHT];
    // Where a slice refill keeps its hidden cubes until the visible ones are stored.
    std::vector<CVector3D> m_HiddenPositions, m_HiddenColours;
    // Set when no voxel-cube model could be had from the resource manager: the terrain then
    // draws with a mesh of its own.
    std::unique_ptr<CVeskCubeMesh> m_OwnedMesh;
};

} // namespace Game
