#include "platform/gfx/Device.h"
#include "platform/gfx/DriverTime.h"

#include "platform/gfx/Program.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/detail/GL.h"
#include "platform/win/Video.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace gfx {

namespace {

const char* const kFixedVertex = R"(
layout(location = POSITION0) in vec3 aPosition;
layout(location = COLOR0) in vec4 aColor;
layout(location = TEXCOORD0) in vec2 aTexCoord;
uniform mat4 uWorld;
uniform mat4 uView;
uniform mat4 uProjection;
uniform bool uLighting;
uniform bool uHasColor;
uniform vec4 uEmissive;
uniform vec4 uDiffuseAlpha;
out vec4 vColor;
out vec2 vTexCoord;
void main()
{
    gl_Position = uProjection * uView * uWorld * vec4(aPosition, 1.0);
    // Lit without any device light, the fixed-function result is the material's emissive colour.
    if (uLighting)
        vColor = vec4(clamp(uEmissive.rgb, 0.0, 1.0), uHasColor ? aColor.a : uDiffuseAlpha.a);
    else
        vColor = aColor;
    vTexCoord = aTexCoord;
    gl_PointSize = 1.0;
}
)";

const char* const kFixedFragment = R"(
uniform sampler2D uTexture;
uniform bool uUseTexture;
in vec4 vColor;
in vec2 vTexCoord;
out vec4 fragColor;
void main()
{
    fragColor = vColor * (uUseTexture ? texture(uTexture, vTexCoord) : vec4(1.0));
}
)";

GLenum BlendFactor(uint32_t value)
{
    switch (value) {
    case BLEND_ZERO: return GL_ZERO;
    case BLEND_SRCCOLOR: return GL_SRC_COLOR;
    case BLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case BLEND_SRCALPHA: return GL_SRC_ALPHA;
    case BLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case BLEND_DESTALPHA: return GL_DST_ALPHA;
    case BLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case BLEND_DESTCOLOR: return GL_DST_COLOR;
    case BLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    default: return GL_ONE;
    }
}

void EnableIf(GLenum capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

} // namespace

std::unique_ptr<Device> Device::Create(const win::Window* window, DeviceError& code, std::string& error)
{
    return Create(window ? window->NativeHandle() : nullptr, code, error);
}

std::unique_ptr<Device> Device::Create(SDL_Window* window, DeviceError& code, std::string& error)
{
    code = DeviceError::None;
    if (!window) {
        code = DeviceError::NoWindow;
        error = "no window";
        return nullptr;
    }
    // The window's own buffers only receive the finished picture; depth lives in the back buffer.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        code = DeviceError::NoContext;
        error = std::string("no OpenGL 3.3 core context: ") + SDL_GetError();
        return nullptr;
    }
    // The driver libraries the context pulled in stay loaded, so that their own one-time
    // allocations are still attributed to them at exit.
    win::KeepLoadedLibraries();
    if (epoxy_gl_version() < 33) {
        code = DeviceError::OldVersion;
        error = "OpenGL 3.3 is not available";
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    std::unique_ptr<Device> device(new Device());
    device->m_Window = window;
    device->m_Context = context;
    device->m_Link = std::make_shared<detail::ContextLink>();
    device->m_Link->device = device.get();
    SDL_GL_SetSwapInterval(0);

    std::string log;
    device->m_FixedFunction = Program::Create(*device, kFixedVertex, kFixedFragment, log);
    if (!device->m_FixedFunction) {
        code = DeviceError::BuiltInShader;
        error = "built-in shader failed: " + log;
        return nullptr;
    }
    glGenVertexArrays(1, &device->m_VertexArray);
    glBindVertexArray(device->m_VertexArray);
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    if (!device->SetBackBufferSize(width, height)) {
        code = DeviceError::NoContext;
        error = "no back buffer of " + std::to_string(width) + " x " + std::to_string(height);
        return nullptr;
    }
    device->ApplyDefaults();
    return device;
}

Device::~Device()
{
    if (!m_Context)
        return;
    SDL_GL_MakeCurrent(m_Window, static_cast<SDL_GLContext>(m_Context));
    if (m_Link) {
        for (GpuObject* object : m_Link->objects)
            object->ReleaseNames();
        m_Link->device = nullptr;
    }
    m_Program = nullptr;
    m_FixedFunction.reset();
    if (m_VertexArray)
        glDeleteVertexArrays(1, &m_VertexArray);
    glDeleteFramebuffers(1, &m_BackFramebuffer);
    glDeleteRenderbuffers(1, &m_BackColour);
    glDeleteRenderbuffers(1, &m_BackDepth);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_Context));
}

void Device::ApplyDefaults()
{
    // Direct3D's defaults, except the culling, which the renderer sets at once anyway.
    const std::pair<RenderState, uint32_t> defaults[] = {
        {RenderState::ZEnable, 1},           {RenderState::ZWriteEnable, 1},       {RenderState::AlphaBlendEnable, 0},
        {RenderState::SrcBlend, BLEND_ONE},  {RenderState::DestBlend, BLEND_ZERO}, {RenderState::CullMode, CULL_CCW},
        {RenderState::FillMode, FILL_SOLID}, {RenderState::Lighting, 1},           {RenderState::NormalizeNormals, 0},
        {RenderState::PointSpriteEnable, 0},
    };
    for (const auto& [state, value] : defaults)
        SetRenderState(state, value);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_PROGRAM_POINT_SIZE);
    // A disabled colour attribute reads as opaque white, as a vertex without colour does in
    // Direct3D.
    glVertexAttrib4f(SLOT_COLOR0, 1.0f, 1.0f, 1.0f, 1.0f);
    glVertexAttrib4f(SLOT_COLOR1, 1.0f, 1.0f, 1.0f, 1.0f);
    SetViewport({0, 0, m_BackBufferWidth, m_BackBufferHeight, 0.0f, 1.0f});
}

bool Device::SetBackBufferSize(int width, int height)
{
    if (width < 1 || height < 1)
        return false;
    const bool allocated = AllocateBackBuffer(width, height);
    if (allocated) {
        m_BackBufferWidth = width;
        m_BackBufferHeight = height;
    } else if (m_BackBufferWidth > 0) {
        // The driver refused the size: the previous back buffer stays.
        AllocateBackBuffer(m_BackBufferWidth, m_BackBufferHeight);
    }
    BindFramebuffer(m_Framebuffer, m_TargetWidth, m_TargetHeight);
    ApplyViewport();
    return allocated;
}

bool Device::AllocateBackBuffer(int width, int height)
{
    // Drawing goes into a framebuffer of our own, so its size does not depend on what the window
    // system makes of the window (an offscreen surface keeps its first size, for one).
    while (glGetError() != GL_NO_ERROR) {
    }
    if (!m_BackFramebuffer) {
        glGenFramebuffers(1, &m_BackFramebuffer);
        glGenRenderbuffers(1, &m_BackColour);
        glGenRenderbuffers(1, &m_BackDepth);
    }
    glBindRenderbuffer(GL_RENDERBUFFER, m_BackColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, m_BackDepth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, m_BackFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_BackColour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m_BackDepth);
    return glGetError() == GL_NO_ERROR && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void Device::Present()
{
    const DriverScope driver;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(m_Window, &width, &height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_BackFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const bool sameSize = width == m_BackBufferWidth && height == m_BackBufferHeight;
    glBlitFramebuffer(0, 0, m_BackBufferWidth, m_BackBufferHeight, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(m_Window);
    BindFramebuffer(m_Framebuffer, m_TargetWidth, m_TargetHeight);
}

void Device::BindFramebuffer(unsigned framebuffer, int width, int height)
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer ? framebuffer : m_BackFramebuffer);
    m_Framebuffer = framebuffer;
    m_TargetWidth = framebuffer ? width : m_BackBufferWidth;
    m_TargetHeight = framebuffer ? height : m_BackBufferHeight;
}

void Device::SetViewport(const Viewport& viewport)
{
    m_Viewport = viewport;
    ApplyViewport();
}

void Device::ApplyViewport()
{
    // Direct3D counts rows from the top, OpenGL from the bottom.
    const Viewport& v = m_Viewport;
    glViewport(v.x, m_TargetHeight - v.y - v.height, v.width, v.height);
    glDepthRange(v.minZ, v.maxZ);
}

void Device::Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil)
{
    GLbitfield mask = 0;
    if (flags & CLEAR_TARGET) {
        glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
                     ((argb >> 24) & 0xFF) / 255.0f);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & CLEAR_ZBUFFER) {
        glClearDepth(z);
        glDepthMask(GL_TRUE);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & CLEAR_STENCIL) {
        glClearStencil(static_cast<GLint>(stencil));
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    // Direct3D clears only the viewport's rectangle.
    const Viewport& v = m_Viewport;
    glEnable(GL_SCISSOR_TEST);
    glScissor(v.x, m_TargetHeight - v.y - v.height, v.width, v.height);
    glClear(mask);
    glDisable(GL_SCISSOR_TEST);
    glDepthMask(GetRenderState(RenderState::ZWriteEnable) ? GL_TRUE : GL_FALSE);
}

void Device::SetRenderState(RenderState state, uint32_t value)
{
    m_States[state] = value;
    switch (state) {
    case RenderState::ZEnable: EnableIf(GL_DEPTH_TEST, value != 0); break;
    case RenderState::ZWriteEnable: glDepthMask(value ? GL_TRUE : GL_FALSE); break;
    case RenderState::AlphaBlendEnable: EnableIf(GL_BLEND, value != 0); break;
    case RenderState::SrcBlend:
    case RenderState::DestBlend:
        glBlendFunc(BlendFactor(GetRenderState(RenderState::SrcBlend)),
                    BlendFactor(GetRenderState(RenderState::DestBlend)));
        break;
    case RenderState::CullMode:
        // Direct3D's front faces are clockwise on screen; CULL_CCW removes the others.
        EnableIf(GL_CULL_FACE, value == CULL_CW || value == CULL_CCW);
        glFrontFace(value == CULL_CW ? GL_CCW : GL_CW);
        glCullFace(GL_BACK);
        break;
    case RenderState::FillMode:
        glPolygonMode(GL_FRONT_AND_BACK, value == FILL_WIREFRAME ? GL_LINE : value == FILL_POINT ? GL_POINT : GL_FILL);
        break;
    case RenderState::Lighting:
    case RenderState::NormalizeNormals:
    case RenderState::PointSpriteEnable:
        // Read by the fixed-function upload, or without effect under OpenGL (points are always
        // sprites there and shaders set their size).
        break;
    }
}

uint32_t Device::GetRenderState(RenderState state) const
{
    auto it = m_States.find(state);
    return it == m_States.end() ? 0 : it->second;
}

void Device::SetTransform(TransformState state, const Matrix& matrix)
{
    m_Transforms[static_cast<int>(state)] = matrix;
}

const Matrix& Device::GetTransform(TransformState state) const { return m_Transforms[static_cast<int>(state)]; }

void Device::SetTexture(unsigned stage, const Texture* texture)
{
    if (stage == 0)
        m_Texture = texture;
}

const Texture* Device::GetTexture(unsigned stage) const { return stage == 0 ? m_Texture : nullptr; }

void Device::SetProgram(const Program* program)
{
    m_Program = program;
    glUseProgram(program ? program->Name() : 0);
}

void Device::Forget(const GpuObject* object)
{
    for (Stream& stream : m_Streams)
        if (stream.buffer == object)
            stream.buffer = nullptr;
    if (m_Indices == object)
        m_Indices = nullptr;
    if (m_Texture == object)
        m_Texture = nullptr;
    if (m_Program == object)
        SetProgram(nullptr);
}

void Device::UploadFixedFunction()
{
    const Program& p = *m_FixedFunction;
    p.SetMatrices(p.UniformLocation("uWorld"), m_Transforms[0].m, 1);
    p.SetMatrices(p.UniformLocation("uView"), m_Transforms[1].m, 1);
    p.SetMatrices(p.UniformLocation("uProjection"), m_Transforms[2].m, 1);
    p.SetInt(p.UniformLocation("uLighting"), GetRenderState(RenderState::Lighting) ? 1 : 0);
    const ColorValue& e = m_Material.emissive;
    const float emissive[4] = {e.r, e.g, e.b, e.a};
    const float diffuse[4] = {m_Material.diffuse.r, m_Material.diffuse.g, m_Material.diffuse.b, m_Material.diffuse.a};
    p.SetFloats(p.UniformLocation("uEmissive"), emissive, 4);
    p.SetFloats(p.UniformLocation("uDiffuseAlpha"), diffuse, 4);
    bool hasColor = false;
    for (const VertexElement& element : m_Declaration.Elements())
        hasColor = hasColor || (element.usage == DeclUsage::Color && element.usageIndex == 0);
    p.SetInt(p.UniformLocation("uHasColor"), hasColor ? 1 : 0);
    p.SetInt(p.UniformLocation("uUseTexture"), m_Texture ? 1 : 0);
    p.SetInt(p.UniformLocation("uTexture"), 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, m_Texture ? m_Texture->Name() : 0);
}

std::vector<uint32_t> Device::ReadPixels(int x, int y, int width, int height) const
{
    if (width <= 0 || height <= 0 || x < 0 || y < 0 || x + width > m_TargetWidth || y + height > m_TargetHeight)
        return {};
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, m_TargetHeight - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<uint32_t> out(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) {
            const uint8_t* p = &rgba[(static_cast<size_t>(height - 1 - row) * width + col) * 4];
            out[static_cast<size_t>(row) * width + col] =
                uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        }
    return out;
}

} // namespace gfx
