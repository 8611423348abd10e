// Shader effects in the shape the engine expects of D3DX effects: named techniques made of passes,
// each pass a GLSL program with the render states it sets; parameters by name, kept on the CPU
// and uploaded when a pass begins or changes are committed; an unknown name gives no handle and
// setting through no handle does nothing. Begin remembers the states the passes change and End
// puts them back. Matrices are given in Direct3D form.
#pragma once

#include "platform/gfx/GpuObject.h"
#include "platform/gfx/Types.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace gfx {

class Program;
class Texture;

struct EffectPassDesc {
    std::string vertexSource; // GLSL without the version line (the layer adds it)
    std::string fragmentSource;
    std::vector<std::pair<RenderState, uint32_t>> states;
};

struct EffectTechniqueDesc {
    std::string name;
    std::vector<EffectPassDesc> passes;
};

struct EffectDesc {
    std::vector<EffectTechniqueDesc> techniques;
};

class Effect : public GpuObject {
public:
    using Handle = int;
    static constexpr Handle kNoHandle = -1;

    // Null when a pass does not compile or link; log then holds every message, by technique and
    // pass.
    static std::unique_ptr<Effect> Create(Device& device, const EffectDesc& desc, std::string& log);
    ~Effect() override;

    Handle GetParameterByName(const std::string& name) const;
    Handle GetTechniqueByName(const std::string& name) const;
    int GetTechniqueCount() const { return static_cast<int>(m_Techniques.size()); }

    void SetTechnique(Handle technique);
    // The pass count of the current technique.
    void Begin(unsigned* passes);
    void BeginPass(unsigned pass);
    // Uploads the values set since the pass began.
    void CommitChanges();
    void EndPass();
    void End();

    // matrix: 16 floats in Direct3D form (row vectors).
    void SetMatrix(Handle parameter, const float* matrix);
    void SetFloatArray(Handle parameter, const float* values, unsigned count);
    void SetVector(Handle parameter, const float values[4]);
    void SetFloat(Handle parameter, float value);
    void SetInt(Handle parameter, int value);
    // Null unbinds. The effect forgets a texture that is destroyed.
    void SetTexture(Handle parameter, const Texture* texture);

private:
    using GpuObject::GpuObject;
    void ReleaseNames() override;
    void OnObjectDestroyed(const GpuObject* object) override;
    void Upload();

    struct Pass {
        std::unique_ptr<Program> program;
        std::vector<std::pair<RenderState, uint32_t>> states;
    };
    struct Technique {
        std::string name;
        std::vector<Pass> passes;
    };
    enum class Kind { Floats, Int, Texture };
    struct Parameter {
        std::string name;
        Kind kind = Kind::Floats;
        int matrices = 0; // > 0: this many 4x4 matrices in values
        std::vector<float> values;
        int intValue = 0;
        const Texture* texture = nullptr;
        int unit = 0;
        bool set = false;
    };

    std::vector<Technique> m_Techniques;
    std::vector<Parameter> m_Parameters;
    std::map<std::string, Handle> m_ParameterNames;
    int m_Technique = 0;
    int m_Pass = -1;
    std::vector<std::pair<RenderState, uint32_t>> m_SavedStates;
};

} // namespace gfx
