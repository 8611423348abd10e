// Batches of screen-space textured quads, shaped after the D3DX sprite the 2D systems draw
// with: Begin, a 2D transform, Draw of a texture rectangle around a centre at a position with an
// ARGB colour, End. Positions are pixels of the whole target, clipped to the current viewport.
// Quads collect per texture and go out in one draw each; the device's states and transforms are
// saved at Begin and put back at End.
#pragma once

#include "platform/gfx/Buffers.h"
#include "platform/gfx/GpuObject.h"
#include "platform/gfx/Types.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace gfx {

class Texture;

// A rectangle of texture pixels: left and top inclusive, right and bottom exclusive.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class SpriteBatch : public GpuObject {
public:
    enum : uint32_t { ALPHABLEND = 0x10 };

    static std::unique_ptr<SpriteBatch> Create(Device& device);
    ~SpriteBatch() override;

    void Begin(uint32_t flags);
    // Direct3D-form 2D transform applied to the quads drawn after it.
    void SetTransform(const Matrix& transform) { m_Transform = transform; }
    // source null: the whole texture; centre and position null: the origin. A null texture
    // draws nothing. Outside Begin and End nothing is drawn.
    void Draw(const Texture* texture, const PixelRect* source, const float centre[3], const float position[3],
              uint32_t argb);
    // Draws a quad with explicit texture coordinates (the font's glyphs).
    void DrawQuad(const Texture* texture, float x0, float y0, float x1, float y1, float u0, float v0, float u1,
                  float v1, uint32_t argb);
    void Flush();
    void End();

private:
    using GpuObject::GpuObject;
    void ReleaseNames() override;
    void OnObjectDestroyed(const GpuObject* object) override;

    struct Vertex {
        float x, y, z;
        uint32_t colour;
        float u, v;
    };

    unsigned m_Sampler = 0;
    std::unique_ptr<VertexBuffer> m_Buffer;
    std::vector<Vertex> m_Vertices;
    const Texture* m_Texture = nullptr;
    Matrix m_Transform;
    bool m_Drawing = false;
    uint32_t m_Flags = 0;
    std::vector<std::pair<RenderState, uint32_t>> m_SavedStates;
    Matrix m_SavedTransforms[3];
};

} // namespace gfx
