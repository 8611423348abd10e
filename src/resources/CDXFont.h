// A font defined by name in "assets/fonts.xml" (height, weight, italic, family) that draws one
// text string into a screen rectangle through the renderer's text sprite batch, between that
// batch's Begin and End. SetText stores what the next Draw shows. Owns the graphics font; a font
// that cannot be made stays empty and draws nothing.
#pragma once

#include "platform/gfx/Font.h"
#include "resources/IFont.h"

#include <memory>
#include <string>

namespace Vesk {

class CDXFont : public IFont {
public:
    // False only for a missing element.
    bool Load(const std::string& name) override;
    // The glyph texture survives a device reset.
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Draw() override;
    // The colour bytes come as alpha, red, blue, green; Draw packs them as ARGB.
    void SetText(const std::string& text, unsigned top, unsigned left, unsigned right, unsigned bottom,
                 unsigned char alpha, unsigned char red, unsigned char blue, unsigned char green) override;

    int GetHeight() const { return m_Height; }
    int GetWeight() const { return m_Weight; }
    bool IsItalic() const { return m_Italic; }
    const std::string& GetFamily() const { return m_Family; }
    bool HasFont() const { return m_pFont != nullptr; }
    const std::string& GetText() const { return m_Text; }
    // The rectangle Draw uses, in whole pixels.
    gfx::PixelRect GetPixelRect() const;
    uint32_t GetPackedColour() const;

private:
    std::unique_ptr<gfx::Font> m_pFont;
    // alpha, red, blue, green, as SetText takes them.
    unsigned char m_Color[4] = {0, 0, 0, 0};
    int m_Height = 0;
    // top, left, right, bottom.
    float m_Rect[4] = {0, 0, 0, 0};
    std::string m_Text;
    int m_Weight = 400;
    bool m_Italic = false;
    std::string m_Family;
};

} // namespace Vesk
