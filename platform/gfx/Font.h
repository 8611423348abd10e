// TrueType text drawn through a sprite batch, in the manner of a D3DX font: one string into a
// pixel rectangle, top-left aligned, no wrapping, "\n" starting a new line, clipped to the
// rectangle. Glyphs for ASCII and Latin-1 (the bytes of the string) are baked into one texture
// when the font is made. Families map to installed files: "Arial" to Liberation Sans, any other
// family to DejaVu Sans, with bold and italic faces where they exist.
#pragma once

#include "platform/gfx/GpuObject.h"
#include "platform/gfx/SpriteBatch.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gfx {

class Texture;

// The font file for the family and style; empty when no candidate file exists.
std::string FindFontFile(const std::string& family, bool bold, bool italic);

class Font : public GpuObject {
public:
    // pixelHeight: the character cell height (0: 16). Null, with the reason in error, when no
    // font file can be found or read.
    static std::unique_ptr<Font> Create(Device& device, const std::string& family, int pixelHeight, bool bold,
                                        bool italic, std::string& error);
    ~Font() override;

    // Inside the batch's Begin and End.
    void DrawText(SpriteBatch& batch, const std::string& text, const PixelRect& rect, uint32_t argb) const;
    int GetLineHeight() const { return m_LineHeight; }

private:
    using GpuObject::GpuObject;
    void ReleaseNames() override;

    struct Glyph {
        float x0, y0, x1, y1; // quad relative to the pen on the baseline
        float u0, v0, u1, v1;
        float advance;
    };
    const Glyph* Find(unsigned char c) const;

    std::unique_ptr<Texture> m_Atlas;
    std::vector<Glyph> m_Glyphs; // codes 32..255
    int m_LineHeight = 0;
    float m_Ascent = 0.0f;
};

} // namespace gfx
