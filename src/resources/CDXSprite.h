// A sprite sheet defined by name in "assets/sprites.xml" and drawn through the renderer's shared
// 2D sprite batch. Owns its texture, read from the sheet's image file and scaled to the size the
// definition gives. Sheets come from their cache, which falls back to the sheet "default".
#pragma once

#include "resources/ISprite.h"

#include <cstdint>
#include <memory>
#include <string>

namespace gfx {
class Texture;
}

namespace Vesk {

class CXmlElement;

class CDXSprite : public ISprite {
public:
    // Sheet sides above this many pixels are refused rather than allocated.
    static constexpr int kMaxSide = 8192;

    CDXSprite();
    ~CDXSprite() override;

    // False (the cache then falls back to "default") when the definition is missing, has no
    // usable "dimension" or texture path, or the image cannot be read.
    bool Load(const std::string& name) override;
    // The texture keeps its pixels on the CPU side of the device; nothing to do.
    void OnLostDevice() override {}
    void OnResetDevice() override {}

    void Draw(unsigned frame) override;
    void SetTransform(const CMatrix3& transform) override;

    const std::string& GetTexturePath() const { return m_TexturePath; }
    // The frame's rectangle in texture pixels.
    void GetFrameRect(unsigned frame, int& left, int& top, int& right, int& bottom) const;
    // The colour packed as ARGB, each channel clamped to 0..1 and truncated to a byte.
    uint32_t GetPackedColor() const;

private:
    bool ReadDimension(const CXmlElement& sheet, const std::string& name);
    void ReadAnimations(const CXmlElement& sheet, const std::string& name);

    std::unique_ptr<gfx::Texture> m_pTexture;
    std::string m_TexturePath;
};

} // namespace Vesk
