#include "resources/CDXFont.h"

#include "core/Log.h"
#include "math/Colour.h"
#include "render/CRenderer.h"
#include "resources/CResourceManager.h"

namespace Vesk {

namespace {

std::string Attribute(const CXmlElement& element, const char* name, const char* fallback)
{
    const char* value = element.GetAttribute(name);
    return value ? value : fallback;
}

int WeightOf(const std::string& weight)
{
    if (weight == "BOLD")
        return 700;
    if (weight == "LIGHT")
        return 300;
    if (weight == "BLACK")
        return 900;
    return 400;
}

} // namespace

bool CDXFont::Load(const std::string& name)
{
    const CXmlElement element = CResourceManager::GetInstance().GetFontDefinitions().FindElement(name);
    if (element == nullptr)
        return false;
    element.GetIntAttribute("height", &m_Height, 0);
    m_Weight = WeightOf(Attribute(element, "weight", "REGULAR"));
    m_Italic = Attribute(element, "italic", "false") == "true";
    m_Family = Attribute(element, "family", "Arial");

    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    std::string error = "no graphics device";
    // Semi-bold and heavier weights take the bold face.
    if (device)
        m_pFont = gfx::Font::Create(*device, m_Family, m_Height, m_Weight >= 600, m_Italic, error);
    if (!m_pFont)
        LogLine("CDXFont: \"" + name + "\" draws nothing: " + error);
    return true;
}

void CDXFont::SetText(const std::string& text, unsigned top, unsigned left, unsigned right, unsigned bottom,
                      unsigned char alpha, unsigned char red, unsigned char blue, unsigned char green)
{
    m_Text = text;
    m_Rect[0] = static_cast<float>(top);
    m_Rect[1] = static_cast<float>(left);
    m_Rect[2] = static_cast<float>(right);
    m_Rect[3] = static_cast<float>(bottom);
    m_Color[0] = alpha;
    m_Color[1] = red;
    m_Color[2] = blue;
    m_Color[3] = green;
}

gfx::PixelRect CDXFont::GetPixelRect() const
{
    gfx::PixelRect rect;
    rect.left = static_cast<int>(m_Rect[1]);
    rect.top = static_cast<int>(m_Rect[0]);
    rect.right = static_cast<int>(m_Rect[2]);
    rect.bottom = static_cast<int>(m_Rect[3]);
    return rect;
}

uint32_t CDXFont::GetPackedColour() const { return PackArgb(m_Color[0], m_Color[1], m_Color[3], m_Color[2]); }

void CDXFont::Draw()
{
    gfx::SpriteBatch* batch = CRenderer::GetInstance().GetTextSpriteBatch();
    if (m_pFont && batch)
        m_pFont->DrawText(*batch, m_Text, GetPixelRect(), GetPackedColour());
}

} // namespace Vesk
