// A drawable mesh: draws itself with the renderer's current world transform, keeps its own
// mesh matrix, name and mesh-space bounding box, and may create an animation controller for one
// user of the mesh.
#pragma once

#include "math/AABB.h"
#include "math/Matrix4.h"
#include "resources/IResource.h"

#include <string>
#include <vector>

namespace Vesk {

class IAnimationController;

class IMesh : public IResource {
public:
    // A new controller owned by the caller; null for meshes that do not animate.
    virtual IAnimationController* CreateAnimationController() { return nullptr; }
    virtual void Render() = 0;
    // Clears the list and appends the mesh's vertex positions (empty for most meshes).
    virtual void GetVertexPositions(std::vector<CVector3D>& out) const { out.clear(); }

    const CAABB& GetAABB() const { return m_AABB; }
    const CMatrix4& GetMeshMatrix() const { return m_MeshMatrix; }
    const std::string& GetName() const { return m_Name; }

protected:
    CMatrix4 m_MeshMatrix;
    std::string m_Name;
    CAABB m_AABB;
};

} // namespace Vesk
