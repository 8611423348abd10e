// How a mesh is drawn: fixed-function colours and texture (Bind), and an optional shader effect
// that receives the per-draw matrices and the material's parameters (Apply).
#pragma once

#include "math/Matrix4.h"
#include "resources/IResource.h"

#include <string>

namespace Vesk {

class IEffect;
class IMesh;

class IMaterial : public IResource {
public:
    virtual void Bind() = 0;
    virtual void RenderMesh(IMesh* mesh, const CMatrix4& world) = 0;
    virtual std::string GetTechniqueName(int i) = 0;
    virtual int GetTechniqueCount() = 0;
    // Computes the matrices for world; sends them, and with upload set every shared parameter
    // too, to the effect.
    virtual void Apply(const CMatrix4& world, bool upload) = 0;
    // Null when the material draws without a shader effect.
    virtual IEffect* GetEffect() const = 0;
};

} // namespace Vesk
