// A compiled shader effect: techniques of passes, and parameters set by name. Every value setter
// commits at once, so a value set inside a pass reaches the next draw; names the effect lacks
// are ignored. Also draws a mesh once per pass of every technique a material lists.
#pragma once

#include "math/Matrix4.h"
#include "platform/gfx/Types.h"
#include "resources/IResource.h"

#include <string>

namespace Vesk {

class IMaterial;
class IMesh;
class ITexture;

class IEffect : public IResource {
public:
    using ParameterHandle = int;
    static constexpr ParameterHandle kNoParameter = -1;

    // passes receives the pass count of the current technique.
    virtual void Begin(unsigned* passes) = 0;
    virtual void End() = 0;
    virtual void BeginPass(unsigned pass) = 0;
    virtual void EndPass() = 0;

    virtual void SetFloat2(const std::string& name, const float* values) = 0;
    virtual void SetFloat3(const std::string& name, const float* values) = 0;
    virtual void SetFloat4(const std::string& name, const float* values) = 0;
    // The matrix in the engine's column-vector form; the shaders receive its Direct3D form.
    virtual void SetMatrix(const std::string& name, const CMatrix4& matrix) = 0;
    virtual void SetInt(const std::string& name, int value) = 0;
    virtual void SetFloat(const std::string& name, float value) = 0;
    // Only file textures are set; anything else (null included) is ignored.
    virtual void SetTexture(const std::string& name, ITexture* texture) = 0;
    // Selects the technique without committing anything.
    virtual void SetTechnique(const std::string& name) = 0;

    // For values set on every draw (a material's matrices): the handle is looked up once, and a
    // matrix already in Direct3D form is set through it without committing, to be uploaded when
    // the next pass begins.
    virtual ParameterHandle GetParameterHandle(const std::string& name) = 0;
    virtual void SetMatrixByHandle(ParameterHandle handle, const gfx::Matrix& matrix) = 0;

    // Runs every pass of every technique the material lists, drawing the mesh once per pass. The
    // caller binds and applies the material first.
    virtual void RenderMesh(IMaterial* material, IMesh* mesh) = 0;
};

} // namespace Vesk
