// The three node kinds of the scene tree: transform nodes carry a local matrix, material nodes
// choose the material of their subtree, geometry nodes draw a mesh. Their memory comes from the
// scene graph's pool of each kind.
#pragma once

#include "math/AABB.h"
#include "math/Matrix4.h"
#include "scene/ISceneNode.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Vesk {

class IAnimationController;
class IMaterial;
class IMesh;

class CTransformNode : public ISceneNode {
public:
    explicit CTransformNode(const std::string& name = std::string()) : ISceneNode(name) {}

    static void* operator new(std::size_t size);
    static void operator delete(void* node);

    void Accept(ISceneNodeVisitor& visitor) override;

    // The transform relative to the parent.
    const CMatrix4& GetLocalMatrix() const { return m_Local; }
    void SetLocalMatrix(const CMatrix4& local) { m_Local = local; }

    // Free for game code; the scene graph never reads it.
    CMatrix4 m_UserMatrix;

private:
    CMatrix4 m_Local;
};

class CGeomNode : public ISceneNode {
public:
    enum : unsigned {
        FlagEnabled = 1u,   // drawn
        FlagVisible = 2u,   // written by the cull walk each frame
        FlagReserved = 4u,  // set at construction, not read by the scene graph
        FlagNeverCull = 8u, // visible whenever enabled
    };

    explicit CGeomNode(const std::string& name = std::string()) : ISceneNode(name) {}

    static void* operator new(std::size_t size);
    static void operator delete(void* node);

    void Accept(ISceneNodeVisitor& visitor) override;

    // The mesh the resource manager resolves for the name, with its bounding box.
    void SetMesh(const std::string& name);
    // The mesh and its bounding box; null leaves the node without a mesh and an empty box.
    void SetMesh(IMesh* mesh);
    IMesh* GetMesh() const { return m_pMesh; }

    // Not owned: whoever owns the controller clears it here before deleting it.
    void SetAnimationController(IAnimationController* controller) { m_pController = controller; }
    IAnimationController* GetAnimationController() const { return m_pController; }

    void SetEnabled(bool enabled);
    void AddFlags(unsigned bits) { m_Flags |= bits; }
    void ClearFlags(unsigned bit) { m_Flags &= ~bit; }
    unsigned GetFlags() const { return m_Flags; }
    bool HasFlags(unsigned bits) const { return (m_Flags & bits) == bits; }

    // The world box: the mesh's box transformed by world; unchanged without a mesh.
    void UpdateBounds(const CMatrix4& world);
    const CAABB& GetAABB() const { return m_AABB; }

    // The draw buckets the node is filed under, each once per frame (see CRenderVisitor).
    std::vector<int>& GetBucketKeys() { return m_BucketKeys; }
    const std::vector<int>& GetBucketKeys() const { return m_BucketKeys; }

    // Free for game code; the scene graph never reads them.
    CVector3D m_UserGeomVectors[2];

private:
    IMesh* m_pMesh = nullptr;
    IAnimationController* m_pController = nullptr;
    unsigned m_Flags = FlagEnabled | FlagReserved;
    CAABB m_AABB;
    std::vector<int> m_BucketKeys{0};
};

class CMaterialNode : public ISceneNode {
public:
    // Starts with the material "default".
    explicit CMaterialNode(const std::string& name = std::string());

    static void* operator new(std::size_t size);
    static void operator delete(void* node);

    void Accept(ISceneNodeVisitor& visitor) override;

    // The material of the name, or "default" when the name has none.
    void SetMaterial(const std::string& name);
    void SetMaterial(IMaterial* material) { m_pMaterial = material; }
    IMaterial* GetMaterial() const { return m_pMaterial; }

private:
    IMaterial* m_pMaterial;
};

} // namespace Vesk
