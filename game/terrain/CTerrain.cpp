// Terrain construction (slab and model), its nodes and mesh, destruction and block arithmetic.
#include "game/terrain/CTerrain.h"

#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeRenderer.h"

#include "core/Assert.h"
#include "core/Log.h"
#include "physics/CCompoundBody.h"
#include "render/CRenderer.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace Game {

namespace {

const char* const kEmptyMeshName = "emptymesh";
// The slab a level without a usable terrain model stands on.
constexpr unsigned kFallbackWidth = 100;
constexpr unsigned kFallbackDepth = 50;
constexpr unsigned kFallbackHeight = 1;

} // namespace

namespace {

// A block coordinate truncated toward zero; values that do not fit an int (or are not numbers)
// give a coordinate far outside the grid.
uint32_t BlockCoordinate(float value)
{
    if (!(value > -2147483648.0f && value < 2147483648.0f))
        return UINT32_MAX;
    return static_cast<uint32_t>(static_cast<int>(value));
}

} // namespace

BlockPosition::BlockPosition(const CVector3D& point, float blockSize, const CTerrain& terrain)
    : mBlockWidth(BlockCoordinate((point.x - terrain.GetOrigin().x) / blockSize)),
      mBlockDepth(BlockCoordinate((point.z - terrain.GetOrigin().z) / blockSize)),
      mBlockHeight(BlockCoordinate((point.y - terrain.GetOrigin().y) / blockSize))
{
}

CTerrain::CTerrain(unsigned width, unsigned depth, unsigned height, float blockSize, const CVector3D& origin)
    : m_Origin(origin), m_BlockSize(blockSize)
{
    InitGrid(width, depth, height);
}

CTerrain::CTerrain(const std::string& meshName, float blockSize) : m_BlockSize(blockSize) { InitFromMesh(meshName); }

CTerrain::~CTerrain()
{
    ReleaseNodes();
    ReleaseMesh();
    ReleaseBody();
}

unsigned CTerrain::GetBlockIndex(const BlockPosition& bposition) const
{
    VESK_ASSERT(bposition.mBlockWidth < MAX_WIDTH,
                "bposition.mBlockWidth < MAX_WIDTH && \"terrain width more than maxwidth!\"");
    VESK_ASSERT(bposition.mBlockDepth < MAX_DEPTH,
                "bposition.mBlockDepth < MAX_DEPTH && \"terrain depth more than maxdepth!\"");
    VESK_ASSERT(bposition.mBlockHeight < MAX_HEIGHT,
                "bposition.mBlockHeight < MAX_HEIGHT && \"terrain height more than maxheight!\"");
    return (bposition.mBlockHeight * MAX_DEPTH + bposition.mBlockDepth) * MAX_WIDTH + bposition.mBlockWidth;
}

bool CTerrain::FindColumnTop(BlockPosition& pos) const
{
    unsigned top = 0;
    for (unsigned h = UsedHeight(); h-- > 0;)
        if (m_Occupancy[GetBlockIndex(BlockPosition(pos.mBlockWidth, pos.mBlockDepth, h))]) {
            top = h + 1;
            break;
        }
    pos.mBlockHeight = top;
    return top != MAX_HEIGHT;
}

void CTerrain::BlockToWorld(CVector3D& out, const BlockPosition& pos) const
{
    out = m_Origin + CVector3D(float(pos.mBlockWidth), float(pos.mBlockHeight), float(pos.mBlockDepth)) * m_BlockSize;
}

unsigned CTerrain::GetBlockCount() const
{
    unsigned count = 0;
    for (unsigned n : m_LevelCounts)
        count += n;
    return count;
}

unsigned CTerrain::UsedHeight() const
{
    unsigned used = MAX_HEIGHT;
    while (used > 0 && m_LevelCounts[used - 1] == 0)
        --used;
    return used;
}

void CTerrain::SetOccupancy(unsigned index, unsigned char value)
{
    unsigned char& cell = m_Occupancy[index];
    const unsigned h = index / (MAX_WIDTH * MAX_DEPTH);
    m_LevelCounts[h] += (value != 0) - (cell != 0);
    if ((value != 0) != (cell != 0))
        m_DirtyLevels |= uint64_t(1) << h;
    cell = value;
}

std::string CTerrain::GetMeshName() const { return m_Mesh ? m_Mesh->GetName() : std::string(); }

void CTerrain::DrawEditorGrid() const
{
    Vesk::CRenderer::GetInstance().DrawGrid(m_Origin, m_BlockSize, MAX_WIDTH, MAX_DEPTH, 128.0f, 128.0f, 128.0f,
                                            128.0f);
}

void CTerrain::CreateNodes(const std::string& meshName)
{
    auto* transform = new Vesk::CTransformNode("terraintransformnode");
    CMatrix4 translation;
    translation.m[3] = m_Origin.x;
    translation.m[7] = m_Origin.y;
    translation.m[11] = m_Origin.z;
    transform->SetLocalMatrix(translation);
    m_GeomNode = new Vesk::CGeomNode("terraingeomnode");
    m_GeomNode->GetBucketKeys() = {kCubeMeshBucket};
    transform->AddChild(m_GeomNode);
    m_TransformNode.Attach(transform);

    m_Mesh = dynamic_cast<CVeskCubeMesh*>(Vesk::CResourceManager::GetInstance().LoadMesh(meshName));
    if (!m_Mesh && meshName == kEmptyMeshName) {
        Vesk::LogLine("CTerrain: \"emptymesh\" is not a voxel-cube model; the terrain uses a mesh of its own");
        m_OwnedMesh = std::make_unique<CVeskCubeMesh>();
        m_OwnedMesh->SetName(kEmptyMeshName);
        m_Mesh = m_OwnedMesh.get();
    }
    m_GeomNode->SetMesh(m_Mesh);
    if (m_Mesh)
        m_Mesh->SetTerrainFlag(1);
}

void CTerrain::ReleaseNodes()
{
    m_TransformNode.Release();
    m_GeomNode = nullptr;
}

void CTerrain::ReleaseMesh()
{
    if (m_OwnedMesh)
        m_OwnedMesh.reset();
    else if (m_Mesh)
        Vesk::CResourceManager::GetInstance().UnloadMesh(m_Mesh->GetName());
    m_Mesh = nullptr;
}

void CTerrain::AllocateGrids()
{
    m_Occupancy.reset(static_cast<unsigned char*>(std::calloc(kCellCount, 1)));
    m_Colours.reset(static_cast<float*>(std::calloc(std::size_t(kCellCount) * 3, sizeof(float))));
    VESK_ASSERT(m_Occupancy && m_Colours, "CTerrain: out of memory for the terrain grids");
    std::fill(std::begin(m_LevelCounts), std::end(m_LevelCounts), 0u);
}

void CTerrain::FreeMemory::operator()(void* memory) const { std::free(memory); }

void CTerrain::SetColour(unsigned index, const CVector3D& colour)
{
    float* c = &m_Colours[std::size_t(index) * 3];
    c[0] = colour.x;
    c[1] = colour.y;
    c[2] = colour.z;
}

void CTerrain::SetScaleMatrix()
{
    CMatrix4 scale;
    scale.m[0] = scale.m[5] = scale.m[10] = m_BlockSize;
    m_Mesh->SetScaleMatrix(scale);
}

void CTerrain::InitGrid(unsigned width, unsigned depth, unsigned height)
{
    ReleaseNodes();
    ReleaseMesh();
    CreateNodes(kEmptyMeshName);
    AllocateGrids();
    width = std::min(width, MAX_WIDTH);
    depth = std::min(depth, MAX_DEPTH);
    height = std::min(height, MAX_HEIGHT);
    const CVector3D white(255.0f, 255.0f, 255.0f);
    for (unsigned h = 0; h < height; ++h)
        for (unsigned d = 0; d < depth; ++d)
            for (unsigned w = 0; w < width; ++w) {
                const unsigned index = GetBlockIndex(BlockPosition(w, d, h));
                SetOccupancy(index, 1);
                SetColour(index, white);
            }
    // The scale comes first: the slice bounds are computed through it.
    SetScaleMatrix();
    BuildFromGrid();
    BuildPhysics();
}

void CTerrain::InitFromMesh(const std::string& meshName)
{
    ReleaseNodes();
    ReleaseMesh();
    CreateNodes(meshName);
    if (!m_Mesh) {
        Vesk::LogLine("CTerrain: \"" + meshName + "\" is not a voxel-cube model; using a " +
                      std::to_string(kFallbackWidth) + " x " + std::to_string(kFallbackDepth) + " x " +
                      std::to_string(kFallbackHeight) + " slab");
        InitGrid(kFallbackWidth, kFallbackDepth, kFallbackHeight);
        return;
    }
    SetScaleMatrix();
    FillGridFromMesh();
    BuildPhysics();
}

void CTerrain::FillGridFromMesh()
{
    AllocateGrids();
    std::vector<CVector3D> positions, colours;
    CollectCubes(positions, colours);
    // Cubes outside the grid would write outside it: they are left out of the terrain.
    std::vector<CVector3D> kept, keptColours;
    kept.reserve(positions.size());
    keptColours.reserve(colours.size());
    std::size_t skipped = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const CVector3D& p = positions[i];
        const bool inside = p.x >= 0.0f && p.x < float(MAX_WIDTH) && p.y >= 0.0f && p.y < float(MAX_HEIGHT) &&
                            p.z >= 0.0f && p.z < float(MAX_DEPTH);
        if (!inside) {
            ++skipped;
            continue;
        }
        const unsigned index = GetBlockIndex(BlockPosition(unsigned(p.x), unsigned(p.z), unsigned(p.y)));
        SetOccupancy(index, 1);
        SetColour(index, colours[i]);
        kept.push_back(p);
        keptColours.push_back(colours[i]);
    }
    if (skipped)
        Vesk::LogLine("CTerrain: " + std::to_string(skipped) + " cube(s) of \"" + GetMeshName() +
                      "\" lie outside the 250 x 250 x 50 grid and are left out");
    BuildSlices(kept, keptColours);
}

} // namespace Game
