#include "platform/gfx/SpriteBatch.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/detail/GL.h"

#include <algorithm>
#include <cstring>

namespace gfx {

namespace {

const VertexDeclaration kSpriteDeclaration({{0, 0, DeclType::Float3, DeclUsage::Position, 0},
                                            {0, 12, DeclType::Color, DeclUsage::Color, 0},
                                            {0, 16, DeclType::Float2, DeclUsage::TexCoord, 0}});

const RenderState kTouchedStates[] = {RenderState::ZEnable,   RenderState::AlphaBlendEnable, RenderState::SrcBlend,
                                      RenderState::DestBlend, RenderState::CullMode,         RenderState::FillMode,
                                      RenderState::Lighting};

} // namespace

std::unique_ptr<SpriteBatch> SpriteBatch::Create(Device& device)
{
    std::unique_ptr<SpriteBatch> batch(new SpriteBatch(device));
    glGenSamplers(1, &batch->m_Sampler);
    glSamplerParameteri(batch->m_Sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(batch->m_Sampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(batch->m_Sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(batch->m_Sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return batch;
}

SpriteBatch::~SpriteBatch()
{
    // Leaves the device as Begin found it; the buffer member then releases itself.
    if (m_Drawing && HasContext())
        End();
    if (HasContext())
        ReleaseNames();
}

void SpriteBatch::ReleaseNames()
{
    if (m_Sampler)
        glDeleteSamplers(1, &m_Sampler);
    m_Sampler = 0;
}

void SpriteBatch::OnObjectDestroyed(const GpuObject* object)
{
    if (object == m_Texture) {
        m_Vertices.clear();
        m_Texture = nullptr;
    }
}

void SpriteBatch::Begin(uint32_t flags)
{
    Device* device = GetDevice();
    if (!device || m_Drawing)
        return;
    m_Drawing = true;
    m_Flags = flags;
    m_Transform = Matrix::Identity();
    m_SavedStates.clear();
    for (RenderState state : kTouchedStates)
        m_SavedStates.emplace_back(state, device->GetRenderState(state));
    for (int i = 0; i < 3; ++i)
        m_SavedTransforms[i] = device->GetTransform(static_cast<TransformState>(i));
}

void SpriteBatch::DrawQuad(const Texture* texture, float x0, float y0, float x1, float y1, float u0, float v0, float u1,
                           float v1, uint32_t argb)
{
    if (!m_Drawing || !texture)
        return;
    if (texture != m_Texture)
        Flush();
    m_Texture = texture;
    const float corners[4][4] = {{x0, y0, u0, v0}, {x1, y0, u1, v0}, {x1, y1, u1, v1}, {x0, y1, u0, v1}};
    Vertex quad[4];
    for (int i = 0; i < 4; ++i) {
        // Row vector times the Direct3D-form transform.
        const Matrix& m = m_Transform;
        const float x = corners[i][0], y = corners[i][1];
        quad[i] = {x * m(0, 0) + y * m(1, 0) + m(3, 0),
                   x * m(0, 1) + y * m(1, 1) + m(3, 1),
                   m(3, 2),
                   argb,
                   corners[i][2],
                   corners[i][3]};
    }
    for (int index : {0, 1, 2, 0, 2, 3})
        m_Vertices.push_back(quad[index]);
}

void SpriteBatch::Draw(const Texture* texture, const PixelRect* source, const float centre[3], const float position[3],
                       uint32_t argb)
{
    if (!texture || texture->Width() <= 0 || texture->Height() <= 0)
        return;
    const PixelRect rect = source ? *source : PixelRect{0, 0, texture->Width(), texture->Height()};
    const float cx = centre ? centre[0] : 0.0f, cy = centre ? centre[1] : 0.0f;
    const float px = position ? position[0] : 0.0f, py = position ? position[1] : 0.0f;
    const float x0 = px - cx, y0 = py - cy;
    const float w = static_cast<float>(texture->Width()), h = static_cast<float>(texture->Height());
    DrawQuad(texture, x0, y0, x0 + static_cast<float>(rect.right - rect.left),
             y0 + static_cast<float>(rect.bottom - rect.top), static_cast<float>(rect.left) / w,
             static_cast<float>(rect.top) / h, static_cast<float>(rect.right) / w, static_cast<float>(rect.bottom) / h,
             argb);
}

void SpriteBatch::Flush()
{
    Device* device = GetDevice();
    if (!device || m_Vertices.empty() || !m_Texture) {
        m_Vertices.clear();
        return;
    }
    const unsigned bytes = static_cast<unsigned>(m_Vertices.size() * sizeof(Vertex));
    if (!m_Buffer || m_Buffer->Size() < bytes)
        m_Buffer = VertexBuffer::Create(*device, std::max(bytes, m_Buffer ? m_Buffer->Size() * 2 : 0u), true);
    void* data = m_Buffer ? m_Buffer->Lock(0, bytes, LOCK_DISCARD) : nullptr;
    if (!data) {
        m_Vertices.clear();
        return;
    }
    std::memcpy(data, m_Vertices.data(), bytes);
    m_Buffer->Unlock();

    // Pixels of the whole target, y down, seen through the current viewport.
    const Viewport& v = device->GetViewport();
    device->SetTransform(TransformState::World, Matrix::Identity());
    device->SetTransform(TransformState::View, Matrix::Identity());
    device->SetTransform(TransformState::Projection,
                         OrthoOffCenterLH(static_cast<float>(v.x), static_cast<float>(v.x + v.width),
                                          static_cast<float>(v.y + v.height), static_cast<float>(v.y), 0.0f, 1.0f));
    device->SetRenderState(RenderState::ZEnable, 0);
    device->SetRenderState(RenderState::CullMode, CULL_NONE);
    device->SetRenderState(RenderState::FillMode, FILL_SOLID);
    device->SetRenderState(RenderState::Lighting, 0);
    const bool blend = (m_Flags & ALPHABLEND) != 0;
    device->SetRenderState(RenderState::AlphaBlendEnable, blend ? 1 : 0);
    if (blend) {
        device->SetRenderState(RenderState::SrcBlend, BLEND_SRCALPHA);
        device->SetRenderState(RenderState::DestBlend, BLEND_INVSRCALPHA);
    }
    const Texture* previousTexture = device->GetTexture(0);
    device->SetProgram(nullptr);
    device->SetTexture(0, m_Texture);
    device->SetVertexDeclaration(kSpriteDeclaration);
    device->SetStreamSource(0, m_Buffer.get(), 0, sizeof(Vertex));
    device->SetStreamSourceFreq(0, 1);
    // Sprite frames sit side by side in their sheets: sampling clamps at the frame's texture
    // edges instead of wrapping round to the other side.
    glBindSampler(0, m_Sampler);
    device->DrawPrimitive(PrimitiveType::TriangleList, 0, static_cast<unsigned>(m_Vertices.size() / 3));
    glBindSampler(0, 0);
    device->SetTexture(0, previousTexture);
    m_Vertices.clear();
}

void SpriteBatch::End()
{
    Device* device = GetDevice();
    if (!m_Drawing)
        return;
    Flush();
    m_Drawing = false;
    m_Texture = nullptr;
    if (!device)
        return;
    for (const auto& [state, value] : m_SavedStates)
        device->SetRenderState(state, value);
    for (int i = 0; i < 3; ++i)
        device->SetTransform(static_cast<TransformState>(i), m_SavedTransforms[i]);
}

} // namespace gfx
