#include "platform/gfx/GlyphRaster.h"

#include "platform/win/RegularFile.h"

#include <stb/stb_truetype.h>

namespace gfx {

struct GlyphRasterizer::Face {
    stbtt_fontinfo info;
};

std::unique_ptr<GlyphRasterizer> GlyphRasterizer::Open(const std::string& path, std::string& error)
{
    std::unique_ptr<GlyphRasterizer> raster(new GlyphRasterizer());
    std::string readError;
    if (!win::ReadRegularFile(path, raster->m_Bytes, readError) || raster->m_Bytes.empty()) {
        error = "cannot read the font file \"" + path + "\"";
        return nullptr;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(raster->m_Bytes.data());
    raster->m_Face = std::make_unique<Face>();
    const int offset = stbtt_GetFontOffsetForIndex(data, 0);
    if (offset < 0 || !stbtt_InitFont(&raster->m_Face->info, data, offset)) {
        error = "\"" + path + "\" is not a TrueType font";
        return nullptr;
    }
    return raster;
}

GlyphRasterizer::~GlyphRasterizer() = default;

float GlyphRasterizer::Ascent(float emPixels) const
{
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&m_Face->info, &ascent, &descent, &gap);
    return static_cast<float>(ascent) * stbtt_ScaleForMappingEmToPixels(&m_Face->info, emPixels);
}

float GlyphRasterizer::Descent(float emPixels) const
{
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&m_Face->info, &ascent, &descent, &gap);
    return -static_cast<float>(descent) * stbtt_ScaleForMappingEmToPixels(&m_Face->info, emPixels);
}

GlyphBitmap GlyphRasterizer::Rasterize(int codepoint, float emPixels) const
{
    GlyphBitmap glyph;
    const float scale = stbtt_ScaleForMappingEmToPixels(&m_Face->info, emPixels);
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(&m_Face->info, codepoint, &advance, &bearing);
    glyph.advance = static_cast<float>(advance) * scale;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBox(&m_Face->info, codepoint, scale, scale, &x0, &y0, &x1, &y1);
    if (x1 <= x0 || y1 <= y0)
        return glyph;
    glyph.width = x1 - x0;
    glyph.height = y1 - y0;
    glyph.left = x0;
    glyph.top = y0;
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
    stbtt_MakeCodepointBitmap(&m_Face->info, glyph.coverage.data(), glyph.width, glyph.height, glyph.width, scale,
                              scale, codepoint);
    return glyph;
}

} // namespace gfx
