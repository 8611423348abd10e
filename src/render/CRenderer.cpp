#include "render/CRenderer.h"

#include "core/CWindowSystem.h"

namespace Vesk {

unsigned char CRenderer::s_DebugDrawFlags = 3;

bool CRenderer::Init()
{
    CWindowSystem& window = CWindowSystem::GetInstance();
    m_ScreenWidth = window.GetClientWidth();
    m_ScreenHeight = window.GetClientHeight();
    m_Initialised = true;
    return true;
}

void CRenderer::SetBackBufferSize(int width, int height, bool windowed)
{
    m_ScreenWidth = width;
    m_ScreenHeight = height;
    m_Windowed = windowed;
}

} // namespace Vesk
