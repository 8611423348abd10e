#include "platform/gfx/Font.h"

#include "platform/gfx/Texture.h"
#include "platform/win/RegularFile.h"

#include <stb/stb_rect_pack.h>
#include <stb/stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace gfx {

namespace {

const int kFirstCode = 32;
const int kCodeCount = 256 - kFirstCode;

} // namespace

std::string FindFontFile(const std::string& family, bool bold, bool italic)
{
    const std::string style = bold && italic ? "BoldItalic" : bold ? "Bold" : italic ? "Italic" : "Regular";
    const std::string dejaVuStyle = bold && italic ? "-BoldOblique" : bold ? "-Bold" : italic ? "-Oblique" : "";
    std::vector<std::string> candidates;
    if (family == "Arial") {
        candidates.push_back("/usr/share/fonts/truetype/liberation2/LiberationSans-" + style + ".ttf");
        candidates.push_back("/usr/share/fonts/truetype/liberation/LiberationSans-" + style + ".ttf");
    }
    candidates.push_back("/usr/share/fonts/truetype/dejavu/DejaVuSans" + dejaVuStyle + ".ttf");
    candidates.push_back("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    for (const std::string& path : candidates)
        if (win::IsRegularFile(path))
            return path;
    return {};
}

std::unique_ptr<Font> Font::Create(Device& device, const std::string& family, int pixelHeight, bool bold, bool italic,
                                   std::string& error)
{
    const std::string file = FindFontFile(family, bold, italic);
    if (file.empty()) {
        error = "no font file for the family \"" + family + "\"";
        return nullptr;
    }
    std::string bytes, readError;
    const bool read = win::ReadRegularFile(file, bytes, readError) && !bytes.empty();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    stbtt_fontinfo info;
    if (!read || !stbtt_InitFont(&info, data, stbtt_GetFontOffsetForIndex(data, 0))) {
        error = "cannot read the font file \"" + file + "\"";
        return nullptr;
    }
    const float height = static_cast<float>(pixelHeight > 0 ? std::min(pixelHeight, 256) : 16);

    // Room for every glyph of the height: about twelve cells of the height across.
    int atlasSize = 64;
    while (atlasSize < static_cast<int>(height) * 12 + 64)
        atlasSize *= 2;
    std::vector<unsigned char> alpha(static_cast<size_t>(atlasSize) * atlasSize, 0);
    std::vector<stbtt_packedchar> packed(kCodeCount);
    stbtt_pack_context pack;
    bool baked = stbtt_PackBegin(&pack, alpha.data(), atlasSize, atlasSize, 0, 1, nullptr) != 0;
    if (baked) {
        baked = stbtt_PackFontRange(&pack, data, 0, height, kFirstCode, kCodeCount, packed.data()) != 0;
        stbtt_PackEnd(&pack);
    }
    if (!baked) {
        error = "cannot bake the font \"" + file + "\"";
        return nullptr;
    }

    // White glyphs whose alpha is the coverage, so the draw colour tints them.
    std::vector<uint8_t> rgba(alpha.size() * 4, 255);
    for (size_t i = 0; i < alpha.size(); ++i)
        rgba[i * 4 + 3] = alpha[i];
    std::unique_ptr<Font> font(new Font(device));
    font->m_Atlas = Texture::FromPixels(device, atlasSize, atlasSize, rgba.data(), false);
    const float scale = stbtt_ScaleForPixelHeight(&info, height);
    int ascent = 0, descent = 0, lineGap = 0;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &lineGap);
    font->m_Ascent = std::round(static_cast<float>(ascent) * scale);
    font->m_LineHeight = static_cast<int>(std::ceil(static_cast<float>(ascent - descent + lineGap) * scale));
    for (int i = 0; i < kCodeCount; ++i) {
        stbtt_aligned_quad q;
        float x = 0.0f, y = 0.0f;
        stbtt_GetPackedQuad(packed.data(), atlasSize, atlasSize, i, &x, &y, &q, 1);
        font->m_Glyphs.push_back({q.x0, q.y0, q.x1, q.y1, q.s0, q.t0, q.s1, q.t1, x});
    }
    return font;
}

Font::~Font() = default;

void Font::ReleaseNames()
{
    // The atlas is a texture object of its own.
}

const Font::Glyph* Font::Find(unsigned char c) const
{
    return c >= kFirstCode ? &m_Glyphs[static_cast<size_t>(c - kFirstCode)] : nullptr;
}

void Font::DrawText(SpriteBatch& batch, const std::string& text, const PixelRect& rect, uint32_t argb) const
{
    const float left = static_cast<float>(rect.left), top = static_cast<float>(rect.top);
    const float right = static_cast<float>(rect.right), bottom = static_cast<float>(rect.bottom);
    float penX = left, baseline = top + m_Ascent;
    for (unsigned char c : text) {
        if (c == '\n') {
            penX = left;
            baseline += static_cast<float>(m_LineHeight);
            continue;
        }
        const Glyph* g = Find(c);
        if (!g)
            continue;
        // The glyph's quad cut to the rectangle, its texture coordinates cut alike.
        float x0 = penX + g->x0, y0 = baseline + g->y0, x1 = penX + g->x1, y1 = baseline + g->y1;
        float u0 = g->u0, v0 = g->v0, u1 = g->u1, v1 = g->v1;
        penX += g->advance;
        if (x1 <= x0 || y1 <= y0 || x1 <= left || x0 >= right || y1 <= top || y0 >= bottom)
            continue;
        const float du = (u1 - u0) / (x1 - x0), dv = (v1 - v0) / (y1 - y0);
        if (x0 < left) {
            u0 += (left - x0) * du;
            x0 = left;
        }
        if (x1 > right) {
            u1 -= (x1 - right) * du;
            x1 = right;
        }
        if (y0 < top) {
            v0 += (top - y0) * dv;
            y0 = top;
        }
        if (y1 > bottom) {
            v1 -= (y1 - bottom) * dv;
            y1 = bottom;
        }
        batch.DrawQuad(m_Atlas.get(), x0, y0, x1, y1, u0, v0, u1, v1, argb);
    }
}

} // namespace gfx
