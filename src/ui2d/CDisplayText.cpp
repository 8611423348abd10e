#include "ui2d/CDisplayText.h"

#include "render/CRenderer.h"
#include "resources/CDXFont.h"
#include "resources/CResManager.h"

namespace Vesk {

CDisplayText::CDisplayText() : m_pFont(CResManager<CDXFont>::GetOrDefault("default")) {}

void CDisplayText::SetRect(float top, float left, float right, float bottom)
{
    const ViewportRect viewport = CRenderer::GetInstance().GetViewportRect();
    const float width = static_cast<float>(viewport.width);
    const float height = static_cast<float>(viewport.height);
    m_Rect.top = viewport.y + static_cast<int>(height * top);
    m_Rect.bottom = viewport.y + static_cast<int>(height * bottom);
    m_Rect.left = viewport.x + static_cast<int>(width * left);
    m_Rect.right = viewport.x + static_cast<int>(width * right);
}

void CDisplayText::Draw() const
{
    if (!m_pFont)
        return;
    // Pixel rectangles never start left of or above the screen.
    const auto pixel = [](int value) { return static_cast<unsigned>(value < 0 ? 0 : value); };
    m_pFont->SetText(m_Text, pixel(m_Rect.top), pixel(m_Rect.left), pixel(m_Rect.right), pixel(m_Rect.bottom),
                     m_Color.alpha, m_Color.red, m_Color.blue, m_Color.green);
    m_pFont->Draw();
}

} // namespace Vesk
