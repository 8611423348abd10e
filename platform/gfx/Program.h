// A linked GLSL program built from our shader sources. The layer adds the version line, the
// attribute slot names (POSITION0, NORMAL0, COLOR0, COLOR1, TEXCOORD0..7) and the one conversion
// of clip depth from Direct3D's 0..1 to OpenGL's -1..1, so shaders are written against Direct3D
// conventions. Uniform locations are looked up once and cached.
#pragma once

#include "platform/gfx/GpuObject.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace gfx {

// Fixed attribute slots shared by every program and vertex declaration.
enum AttributeSlot : int {
    SLOT_POSITION = 0,
    SLOT_NORMAL = 1,
    SLOT_COLOR0 = 2,
    SLOT_COLOR1 = 3,
    SLOT_TEXCOORD0 = 4, // TEXCOORDn is SLOT_TEXCOORD0 + n, n up to 7
    SLOT_COUNT = 12,
};

class Program : public GpuObject {
public:
    // Null, with the compiler or linker messages in log, when the sources do not build.
    static std::unique_ptr<Program> Create(Device& device, const std::string& vertexSource,
                                           const std::string& fragmentSource, std::string& log);
    ~Program() override;

    unsigned Name() const { return m_Name; }
    // -1 when the program has no active uniform of that name.
    int UniformLocation(const std::string& name) const;

    enum class UniformKind { Float, Int, Matrix, Sampler, Other };
    struct Uniform {
        std::string name; // without a trailing "[0]"
        UniformKind kind = UniformKind::Other;
        int components = 1; // per element: 1 to 4 for floats and ints, 16 for matrices
        int count = 1;      // array length
    };
    std::vector<Uniform> ActiveUniforms() const;

    // Upload to the uniform at a location of this program (it must be the program in use).
    void SetMatrices(int location, const float* values, int count) const;
    void SetFloats(int location, const float* values, int components) const;
    void SetVectors(int location, const float* values, int components, int count) const;
    void SetInt(int location, int value) const;

private:
    using GpuObject::GpuObject;
    void ReleaseNames() override;

    unsigned m_Name = 0;
    mutable std::map<std::string, int> m_Locations;
};

} // namespace gfx
