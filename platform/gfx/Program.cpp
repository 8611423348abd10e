#include "platform/gfx/Program.h"

#include "platform/gfx/detail/GL.h"

namespace gfx {

namespace {

const char* const kPrelude = "#version 330 core\n"
                             "#define POSITION0 0\n#define NORMAL0 1\n#define COLOR0 2\n#define COLOR1 3\n"
                             "#define TEXCOORD0 4\n#define TEXCOORD1 5\n#define TEXCOORD2 6\n#define TEXCOORD3 7\n"
                             "#define TEXCOORD4 8\n#define TEXCOORD5 9\n#define TEXCOORD6 10\n#define TEXCOORD7 11\n";

// The shader's own main runs first; then clip depth goes from Direct3D's 0..w to OpenGL's -w..w.
// This is the only place where the depth convention is converted.
std::string VertexSource(const std::string& body)
{
    return std::string(kPrelude) + "#define main vesk_shader_main\n" + body +
           "\n#undef main\nvoid main()\n{\n    vesk_shader_main();\n"
           "    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;\n}\n";
}

std::string InfoLog(GLuint object, bool isProgram)
{
    GLint length = 0;
    if (isProgram)
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1)
        return {};
    std::string text(static_cast<size_t>(length), '\0');
    if (isProgram)
        glGetProgramInfoLog(object, length, nullptr, text.data());
    else
        glGetShaderInfoLog(object, length, nullptr, text.data());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

GLuint Compile(GLenum kind, const std::string& source, std::string& log)
{
    GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE)
        return shader;
    log += (kind == GL_VERTEX_SHADER ? "vertex shader:\n" : "fragment shader:\n") + InfoLog(shader, false);
    glDeleteShader(shader);
    return 0;
}

} // namespace

std::unique_ptr<Program> Program::Create(Device& device, const std::string& vertexSource,
                                         const std::string& fragmentSource, std::string& log)
{
    log.clear();
    GLuint vs = Compile(GL_VERTEX_SHADER, VertexSource(vertexSource), log);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, std::string(kPrelude) + fragmentSource, log);
    if (!vs || !fs) {
        glDeleteShader(vs);
        glDeleteShader(fs);
        return nullptr;
    }
    GLuint name = glCreateProgram();
    glAttachShader(name, vs);
    glAttachShader(name, fs);
    glLinkProgram(name);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(name, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        log += "link:\n" + InfoLog(name, true);
        glDeleteProgram(name);
        return nullptr;
    }
    std::unique_ptr<Program> program(new Program(device));
    program->m_Name = name;
    return program;
}

Program::~Program()
{
    if (HasContext())
        ReleaseNames();
}

void Program::ReleaseNames()
{
    if (m_Name)
        glDeleteProgram(m_Name);
    m_Name = 0;
}

int Program::UniformLocation(const std::string& name) const
{
    auto it = m_Locations.find(name);
    if (it != m_Locations.end())
        return it->second;
    const int location = m_Name ? glGetUniformLocation(m_Name, name.c_str()) : -1;
    m_Locations.emplace(name, location);
    return location;
}

void Program::SetMatrices(int location, const float* values, int count) const
{
    // Direct3D-form matrices are row-major with row vectors; read column-major they are the
    // column-vector matrices that GLSL multiplies as M * v. No transpose is needed.
    if (location >= 0)
        glUniformMatrix4fv(location, count, GL_FALSE, values);
}

void Program::SetFloats(int location, const float* values, int components) const
{
    SetVectors(location, values, components, 1);
}

void Program::SetVectors(int location, const float* values, int components, int count) const
{
    if (location < 0 || count <= 0)
        return;
    switch (components) {
    case 1: glUniform1fv(location, count, values); break;
    case 2: glUniform2fv(location, count, values); break;
    case 3: glUniform3fv(location, count, values); break;
    default: glUniform4fv(location, count, values); break;
    }
}

std::vector<Program::Uniform> Program::ActiveUniforms() const
{
    std::vector<Uniform> out;
    GLint count = 0, maxLength = 0;
    glGetProgramiv(m_Name, GL_ACTIVE_UNIFORMS, &count);
    glGetProgramiv(m_Name, GL_ACTIVE_UNIFORM_MAX_LENGTH, &maxLength);
    std::vector<char> buffer(static_cast<size_t>(maxLength > 0 ? maxLength : 1));
    for (GLint i = 0; i < count; ++i) {
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(m_Name, static_cast<GLuint>(i), static_cast<GLsizei>(buffer.size()), &length, &size, &type,
                           buffer.data());
        Uniform uniform;
        uniform.name.assign(buffer.data(), static_cast<size_t>(length));
        if (uniform.name.size() > 3 && uniform.name.compare(uniform.name.size() - 3, 3, "[0]") == 0)
            uniform.name.resize(uniform.name.size() - 3);
        uniform.count = size;
        switch (type) {
        case GL_FLOAT:
        case GL_FLOAT_VEC2:
        case GL_FLOAT_VEC3:
        case GL_FLOAT_VEC4:
            uniform.kind = UniformKind::Float;
            uniform.components = type == GL_FLOAT ? 1 : type == GL_FLOAT_VEC2 ? 2 : type == GL_FLOAT_VEC3 ? 3 : 4;
            break;
        case GL_INT:
        case GL_BOOL: uniform.kind = UniformKind::Int; break;
        case GL_FLOAT_MAT4:
            uniform.kind = UniformKind::Matrix;
            uniform.components = 16;
            break;
        case GL_SAMPLER_2D: uniform.kind = UniformKind::Sampler; break;
        default: break;
        }
        out.push_back(uniform);
    }
    return out;
}

void Program::SetInt(int location, int value) const
{
    if (location >= 0)
        glUniform1i(location, value);
}

} // namespace gfx
