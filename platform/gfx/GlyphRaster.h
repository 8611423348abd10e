// Glyph coverage bitmaps from a TrueType file, drawn on the CPU, for the content generators that
// bake text into sprite sheets. The font file's bytes are owned by the rasteriser.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gfx {

struct GlyphBitmap {
    int width = 0, height = 0;
    // Offset of the bitmap's top-left corner from the pen on the baseline (y grows downwards).
    int left = 0, top = 0;
    float advance = 0.0f;
    std::vector<uint8_t> coverage; // width * height, rows from the top
};

class GlyphRasterizer {
public:
    // Null, with the reason in error, when the file cannot be read as a TrueType font.
    static std::unique_ptr<GlyphRasterizer> Open(const std::string& path, std::string& error);
    ~GlyphRasterizer();

    // Ascent and descent (below the baseline, positive) for an em of emPixels pixels.
    float Ascent(float emPixels) const;
    float Descent(float emPixels) const;
    // The glyph of a code point at an em of emPixels pixels; empty bitmap for blanks.
    GlyphBitmap Rasterize(int codepoint, float emPixels) const;

private:
    GlyphRasterizer() = default;
    struct Face;
    std::string m_Bytes;
    std::unique_ptr<Face> m_Face;
};

} // namespace gfx
