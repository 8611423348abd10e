// CVeskCubeMesh: the mesh of every voxel-cube model (characters, props, walls, terrain). Owns its
// submeshes (by name), their hierarchy, the keyframe animations and the bounds; reads and writes
// the ".vskc" text format; removes enclosed cubes from drawing; and each frame appends one
// instance record per visible cube to the cube renderer's buffers. It draws nothing itself.
#pragma once

#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CubeInstance.h"
#include "game/voxel/CubeTypes.h"

#include "math/AABB.h"
#include "math/Frustum.h"
#include "math/Matrix4.h"
#include "resources/IMesh.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Game {

// What one draw of a cube mesh appends to and with which transform.
struct CubeDrawTarget {
    CubeInstanceBuffer* modelBuffer = nullptr;
    CubeInstanceBuffer* terrainBuffer = nullptr;
    CMatrix4 world;                    // the draw's world matrix in row-vector (device) form
    const CFrustum* frustum = nullptr; // the current camera's view volume; null accepts everything
};

// The mesh matrix of the base is the scale matrix: diag(s, s, s, 1) from the model or the
// terrain's block size. The base's bounding box is the whole-mesh box in mesh space.
class CVeskCubeMesh : public Vesk::IMesh {
public:
    CVeskCubeMesh();
    ~CVeskCubeMesh() override;
    CVeskCubeMesh(const CVeskCubeMesh&) = delete;
    CVeskCubeMesh& operator=(const CVeskCubeMesh&) = delete;

    // Reads a ".vskc" file into this freshly made mesh: false (mesh untouched) when the file
    // cannot be opened or does not start with "#VSKCUB". Bad data further on ends the reading
    // with a log line; what was read up to there is kept and the result is true.
    bool Load(const std::string& path) override;
    // The cube renderer's buffers go with the device and come back with it, once for all meshes.
    void OnLostDevice() override;
    void OnResetDevice() override;
    // Writes the mesh as ".vskc" through a temporary file; false (with a log line) on failure,
    // the old file then being left as it was.
    bool Save(const std::string& path);

    // A new controller bound to this mesh; the caller owns it. Destroying the mesh first leaves
    // the controller without a mesh (it then does nothing).
    CVeskCubeAnimationController* CreateAnimationController() override;

    // Appends this draw's records to the cube renderer's buffers, with the renderer's world
    // matrix and the current camera's frustum.
    void Render() override;
    // Appends this frame's records: nothing when the model buffer is not locked.
    void EmitInstances(const CubeDrawTarget& target);
    bool IsSubmeshVisible(const CubeSubmesh& submesh, const CubeDrawTarget& target) const;

    // Every submesh box (its cubes and local position, widened by half a cube, through the
    // scale matrix) and the mesh box over the submeshes that have cubes.
    void ComputeBounds();
    // The two steps of ComputeBounds, for callers that changed only some submeshes: one
    // submesh's box (kept as it was when the submesh has no cubes), and the mesh box merged from
    // the stored boxes of the submeshes that have cubes.
    void ComputeSubmeshBounds(CubeSubmesh& submesh) const;
    void MergeSubmeshBounds();
    // Stores the cubes enclosed on all six sides after the visible ones (cubes sharing a cell or
    // out of reach are dropped) and sizes every per-cube array to the kept cubes: each gets a
    // neighbour code and a colour (white where none was read).
    void RemoveHiddenCubes(CubeSubmesh* submesh);
    void RemoveHiddenCubesAll();
    // The counts a hidden-cube removal writes to standard output for a submesh with cubes: the
    // cubes before and kept, the cells of their bounding grid and the hidden ones among them.
    static void ReportHiddenCubes(const std::string& name, std::size_t before, std::size_t kept, int64_t cells,
                                  std::size_t hidden);

    CubeSubmesh* FindSubmesh(const std::string& name) const;
    // Null, adding nothing, when the name is taken.
    CubeSubmesh* CreateSubmesh(const std::string& name);
    void ClearSubmeshes();
    // Makes parent (null: none) the submesh's parent, taking it from its old parent's children.
    // Refused (false, with a log line) when the parent is the submesh or one of its descendants.
    bool SetSubmeshParent(CubeSubmesh* child, CubeSubmesh* parent);
    std::vector<std::string> GetSubmeshes() const;
    const std::map<std::string, std::unique_ptr<CubeSubmesh>>& GetSubmeshMap() const { return m_Submeshes; }
    const std::vector<CubeSubmesh*>& GetRoots() const { return m_Roots; }

    // The ancestors' translations and rotations, root first; times the submesh's own translation.
    CMatrix4 GetAncestorMatrix(const CubeSubmesh* submesh) const;
    CMatrix4 GetSubmeshMatrix(const CubeSubmesh* submesh) const;

    // Animations are added, never removed, so references to them last as long as the mesh.
    const std::map<std::string, CubeAnimation>& GetAnimations() const { return m_Animations; }
    CubeAnimation& GetOrCreateAnimation(const std::string& name) { return m_Animations[name]; }

    void SetName(const std::string& name) { m_Name = name; }
    const CMatrix4& GetScaleMatrix() const { return m_MeshMatrix; }
    void SetScaleMatrix(const CMatrix4& scale) { m_MeshMatrix = scale; }
    int GetTerrainFlag() const { return m_Terrain; }
    void SetTerrainFlag(int terrain) { m_Terrain = terrain; }
    bool GetCulling() const { return m_Culling; }
    void SetCulling(bool culling) { m_Culling = culling; }
    // Minimum and maximum of every cube position as read, from (0, 0, 0).
    CAABB GetRawCubeBounds() const { return m_RawCubeBounds; }

private:
    friend class CVeskCubeAnimationController;
    friend class VskcReader;

    void RebuildRootList();
    bool LinkSubmesh(CubeSubmesh* child, CubeSubmesh* parent);
    void EmitModelSubmesh(CubeSubmesh* root, const CubeDrawTarget& target);
    void EmitTerrainSubmesh(CubeSubmesh* root, const CubeDrawTarget& target);

    std::map<std::string, std::unique_ptr<CubeSubmesh>> m_Submeshes;
    std::map<std::string, CubeAnimation> m_Animations;
    std::vector<CubeSubmesh*> m_Roots;
    int m_Terrain = 0;
    bool m_Culling = true;
    CAABB m_RawCubeBounds;
    // Live controllers of this mesh, told when the mesh goes.
    std::vector<CVeskCubeAnimationController*> m_Controllers;
};

} // namespace Game
