#include "resources/CDXSprite.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "platform/gfx/SpriteBatch.h"
#include "platform/gfx/Texture.h"
#include "render/CRenderer.h"
#include "resources/CResourceManager.h"

#include <algorithm>
#include <cstdint>

namespace Vesk {

namespace {

// Reads an int attribute into an unsigned field when present; false when it is present but not
// within 1..maximum (the field then keeps its value).
bool ReadSide(const CXmlElement& element, const char* attribute, unsigned& field, int maximum)
{
    int value = static_cast<int>(field);
    if (!element.GetIntAttribute(attribute, &value, value))
        return true;
    if (value < 1 || value > maximum)
        return false;
    field = static_cast<unsigned>(value);
    return true;
}

// A 0..1 channel on the 0..255 scale; the renderer's packing clamps and truncates it.
float Scaled(float channel) { return channel * 255.0f; }

} // namespace

CDXSprite::CDXSprite() = default;
CDXSprite::~CDXSprite() = default;

bool CDXSprite::Load(const std::string& name)
{
    const CXmlElement sheet = CResourceManager::GetInstance().GetSpriteDefinitions().FindElement(name);
    if (sheet == nullptr)
        return false;
    if (!ReadDimension(sheet, name))
        return false;

    const CXmlElement texture = sheet.FirstChildElement("texture");
    const char* path = texture != nullptr ? texture.GetAttribute("path") : nullptr;
    if (!path) {
        LogLine("CDXSprite: \"" + name + "\": no texture path");
        return false;
    }
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device) {
        LogLine("CDXSprite: \"" + name + "\": no graphics device for its texture");
        return false;
    }
    std::string error;
    m_pTexture = gfx::Texture::FromFile(*device, path, error, static_cast<int>(m_Width), static_cast<int>(m_Height));
    if (!m_pTexture) {
        LogLine("CDXSprite: \"" + name + "\": " + error);
        return false;
    }

    ReadAnimations(sheet, name);
    m_FrameWidth = m_Width / m_XGrid;
    m_FrameHeight = m_Height / m_YGrid;
    m_CenterX = static_cast<float>(m_FrameWidth) * 0.5f;
    m_CenterY = static_cast<float>(m_FrameHeight) * 0.5f;
    m_TexturePath = path;
    return true;
}

bool CDXSprite::ReadDimension(const CXmlElement& sheet, const std::string& name)
{
    const CXmlElement dimension = sheet.FirstChildElement("dimension");
    if (dimension == nullptr) {
        LogLine("CDXSprite: \"" + name + "\": no dimension element");
        return false;
    }
    // A grid of 0 would leave no frame to draw and divide by zero.
    if (!ReadSide(dimension, "width", m_Width, kMaxSide) || !ReadSide(dimension, "height", m_Height, kMaxSide) ||
        !ReadSide(dimension, "xgrid", m_XGrid, kMaxSide) || !ReadSide(dimension, "ygrid", m_YGrid, kMaxSide)) {
        LogLine("CDXSprite: \"" + name + "\": width, height, xgrid and ygrid must lie between 1 and " +
                std::to_string(kMaxSide));
        return false;
    }
    return true;
}

void CDXSprite::ReadAnimations(const CXmlElement& sheet, const std::string& name)
{
    // From the first "animation" on, every following sibling whatever its tag, until one lacks
    // an attribute.
    for (CXmlElement entry = sheet.FirstChildElement("animation"); entry != nullptr; ++entry) {
        const char* animation = entry.GetAttribute("name");
        int fps = 0, start = 0, end = 0;
        if (!animation || !entry.GetIntAttribute("fps", &fps, 0) || !entry.GetIntAttribute("start", &start, 0) ||
            !entry.GetIntAttribute("end", &end, 0))
            break;
        // Frames are counted from 1 in the file; a range that does not start there, runs
        // backwards, plays at no speed or reaches past the sheet's grid has no frames to show.
        const int64_t frames = static_cast<int64_t>(m_XGrid) * m_YGrid;
        if (fps <= 0 || start < 1 || end < start || end > frames) {
            LogLine("CDXSprite: \"" + name + "\": animation \"" + animation + "\" skipped (fps " + std::to_string(fps) +
                    ", frames " + std::to_string(start) + " to " + std::to_string(end) + ")");
            continue;
        }
        m_Animations.emplace(animation, SpriteAnimation{start - 1, end - 1, 1.0f / static_cast<float>(fps)});
    }
}

void CDXSprite::GetFrameRect(unsigned frame, int& left, int& top, int& right, int& bottom) const
{
    const unsigned column = frame % m_XGrid;
    const unsigned row = frame / m_XGrid;
    left = static_cast<int>(column * m_FrameWidth);
    top = static_cast<int>(row * m_FrameHeight);
    right = left + static_cast<int>(m_FrameWidth);
    bottom = top + static_cast<int>(m_FrameHeight);
}

uint32_t CDXSprite::GetPackedColor() const
{
    return CRenderer::PackColour(Scaled(m_Color.r), Scaled(m_Color.g), Scaled(m_Color.b), Scaled(m_Color.a));
}

void CDXSprite::Draw(unsigned frame)
{
    gfx::SpriteBatch* batch = CRenderer::GetInstance().GetSpriteBatch();
    if (!batch || !m_pTexture)
        return;
    gfx::PixelRect source;
    GetFrameRect(frame, source.left, source.top, source.right, source.bottom);
    const float centre[3] = {m_CenterX, m_CenterY, 0.0f};
    const float position[3] = {0.0f, 0.0f, 0.0f};
    batch->Draw(m_pTexture.get(), &source, centre, position, GetPackedColor());
}

void CDXSprite::SetTransform(const CMatrix3& m)
{
    gfx::SpriteBatch* batch = CRenderer::GetInstance().GetSpriteBatch();
    if (!batch)
        return;
    // The 2D rows (a, b, tx) and (c, d, ty) become the x and y rows of a 4x4 column-vector
    // matrix with m22 as its z translation; the batch takes the transpose (row vectors).
    gfx::Matrix d3d;
    d3d(0, 0) = m(0, 0);
    d3d(1, 0) = m(0, 1);
    d3d(3, 0) = m(0, 2);
    d3d(0, 1) = m(1, 0);
    d3d(1, 1) = m(1, 1);
    d3d(3, 1) = m(1, 2);
    d3d(3, 2) = m(2, 2);
    batch->SetTransform(d3d);
}

} // namespace Vesk
