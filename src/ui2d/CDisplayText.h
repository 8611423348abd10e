// One line of on-screen text for the debug output: the text, the font it is drawn with (the font
// "default" unless set), its pixel rectangle and its colour.
#pragma once

#include <cstdint>
#include <string>

namespace Vesk {

class IFont;

class CDisplayText {
public:
    struct PixelRect {
        int top = 0, bottom = 0, left = 0, right = 0;
    };
    struct Color {
        uint8_t alpha = 255, red = 0, green = 0, blue = 0;
    };

    CDisplayText();

    // The rectangle from screen fractions: left and right of the 3D viewport's width, top and
    // bottom of its height below the upper band. Converted at once, so a new screen size needs
    // the rectangle set again.
    void SetRect(float top, float left, float right, float bottom);
    const PixelRect& GetRect() const { return m_Rect; }

    void SetText(const std::string& text) { m_Text = text; }
    const std::string& GetText() const { return m_Text; }

    void SetColor(const Color& color) { m_Color = color; }
    const Color& GetColor() const { return m_Color; }

    void SetFont(IFont* font) { m_pFont = font; }
    IFont* GetFont() const { return m_pFont; }

    // Hands text, rectangle and colour to the font and draws; nothing without a font.
    void Draw() const;

private:
    std::string m_Text;
    IFont* m_pFont;
    PixelRect m_Rect;
    Color m_Color;
};

} // namespace Vesk
