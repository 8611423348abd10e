// The drawing device on an OpenGL 3.3 core context of the SDL window, shaped after the Direct3D 9
// device the engine is written against: viewports with a top-left origin and clears limited to
// them, shadowed render states, stored world, view and projection transforms that read back,
// vertex streams with instancing frequencies, and draws. Draws without an active program go
// through a built-in fixed-function emulation (transforms, stage-0 texture or white, material,
// lighting flag). Owns the context and releases every live GPU object before it goes.
#pragma once

#include "platform/gfx/Buffers.h"
#include "platform/gfx/Types.h"
#include "platform/win/Window.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct SDL_Window;

namespace gfx {

class Program;
class Texture;

// Why a device could not be made.
enum class DeviceError { None, NoWindow, NoContext, OldVersion, BuiltInShader };

class Device {
public:
    static constexpr unsigned kMaxStreams = 4;

    // Null when no OpenGL 3.3 context can be made on the window; code and detail say why.
    static std::unique_ptr<Device> Create(const win::Window* window, DeviceError& code, std::string& detail);
    static std::unique_ptr<Device> Create(SDL_Window* window, DeviceError& code, std::string& detail);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // The back buffer has its own size, as Direct3D's presentation parameters give it (at first
    // the window's); Present scales it to the window. A size below 1 is refused (false).
    bool SetBackBufferSize(int width, int height);
    int GetBackBufferWidth() const { return m_BackBufferWidth; }
    int GetBackBufferHeight() const { return m_BackBufferHeight; }
    void Present();

    void SetViewport(const Viewport& viewport);
    const Viewport& GetViewport() const { return m_Viewport; }
    // Clears the current viewport only (CLEAR_ bits; colour packed ARGB).
    void Clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil);

    void SetRenderState(RenderState state, uint32_t value);
    uint32_t GetRenderState(RenderState state) const;

    void SetTransform(TransformState state, const Matrix& matrix);
    const Matrix& GetTransform(TransformState state) const;
    void SetMaterial(const Material& material) { m_Material = material; }
    const Material& GetMaterial() const { return m_Material; }
    // Stage 0 is the only stage the fixed-function emulation samples; null unbinds.
    void SetTexture(unsigned stage, const Texture* texture);
    const Texture* GetTexture(unsigned stage) const;

    // The declaration is copied, so the caller's object may go at any time.
    void SetVertexDeclaration(const VertexDeclaration& declaration);
    void SetFVF(uint32_t fvf);
    void SetStreamSource(unsigned stream, const VertexBuffer* buffer, unsigned offset, unsigned stride);
    void SetStreamSourceFreq(unsigned stream, uint32_t frequency);
    void SetIndices(const IndexBuffer* buffer);

    void DrawPrimitive(PrimitiveType type, unsigned startVertex, unsigned primitiveCount);
    void DrawIndexedPrimitive(PrimitiveType type, int baseVertex, unsigned minIndex, unsigned numVertices,
                              unsigned startIndex, unsigned primitiveCount);

    // The program draws use instead of the fixed-function emulation (effect passes); null returns
    // to the emulation. Makes it the program in use, so its uniforms can be set.
    void SetProgram(const Program* program);
    const Program* GetProgram() const { return m_Program; }

    // Pixels of the current target as packed ARGB, rows from the top; empty outside the target.
    std::vector<uint32_t> ReadPixels(int x, int y, int width, int height) const;

    // Render targets switch the framebuffer; 0 stands for the back buffer.
    void BindFramebuffer(unsigned framebuffer, int width, int height);
    unsigned GetFramebuffer() const { return m_Framebuffer; }
    int GetTargetHeight() const { return m_TargetHeight; }
    int GetTargetWidth() const { return m_TargetWidth; }

private:
    friend class GpuObject;
    Device() = default;
    void ApplyDefaults();
    bool AllocateBackBuffer(int width, int height);
    void ApplyViewport();
    void Forget(const GpuObject* object);
    unsigned InstanceCount() const;
    unsigned Stride(unsigned stream) const;
    // False (with a line on standard error) when a stream would be read past its buffer's end.
    bool StreamsCover(unsigned long long lastVertex, unsigned instances) const;
    void PrepareDraw();
    void BindAttributes();
    void UploadFixedFunction();

    struct Stream {
        const VertexBuffer* buffer = nullptr;
        unsigned offset = 0, stride = 0;
        uint32_t frequency = 1;
    };

    SDL_Window* m_Window = nullptr;
    void* m_Context = nullptr;
    std::shared_ptr<detail::ContextLink> m_Link;
    unsigned m_VertexArray = 0;
    unsigned m_BackFramebuffer = 0, m_BackColour = 0, m_BackDepth = 0;
    std::unique_ptr<Program> m_FixedFunction;
    const Program* m_Program = nullptr;

    int m_BackBufferWidth = 0, m_BackBufferHeight = 0;
    unsigned m_Framebuffer = 0;
    int m_TargetWidth = 0, m_TargetHeight = 0;
    Viewport m_Viewport;
    std::map<RenderState, uint32_t> m_States;
    std::array<Matrix, 3> m_Transforms;
    Material m_Material;
    const Texture* m_Texture = nullptr;
    VertexDeclaration m_Declaration{{}};
    std::array<Stream, kMaxStreams> m_Streams;
    const IndexBuffer* m_Indices = nullptr;
};

} // namespace gfx
