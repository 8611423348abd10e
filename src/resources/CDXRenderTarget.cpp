#include "resources/CDXRenderTarget.h"

#include "core/Log.h"
#include "platform/gfx/Device.h"
#include "render/CRenderer.h"
#include "resources/CResourceManager.h"

namespace Vesk {

CDXRenderTarget::CDXRenderTarget() : m_pTexture(std::make_unique<CDXTexture>()) {}

bool CDXRenderTarget::Load(const std::string& name)
{
    const CXmlElement element = CResourceManager::GetInstance().GetRenderTargetDefinitions().FindElement(name);
    if (element == nullptr)
        return false;
    element.GetIntAttribute("width", &m_Width, 0);
    element.GetIntAttribute("height", &m_Height, 0);
    const char* depth = element.GetAttribute("usedepthbuffer");
    m_DepthBuffer = depth && std::string(depth) == "true";
    if (m_Width < 1 || m_Height < 1) {
        LogLine("CDXRenderTarget: \"" + name + "\" needs a width and height of at least 1");
        return false;
    }
    return Create();
}

bool CDXRenderTarget::Create()
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device) {
        LogLine("CDXRenderTarget: no graphics device");
        return false;
    }
    m_pTarget = gfx::RenderTarget::Create(*device, m_Width, m_Height, m_DepthBuffer);
    m_pTexture->View(m_pTarget ? m_pTarget->GetTexture() : nullptr);
    return m_pTarget != nullptr;
}

void CDXRenderTarget::OnLostDevice()
{
    m_pTexture->View(nullptr);
    m_pTarget.reset();
}

void CDXRenderTarget::OnResetDevice()
{
    if (!Create())
        LogLine("CDXRenderTarget: could not make the target again after a reset; it stays unused");
}

void CDXRenderTarget::BeginScene()
{
    if (m_pTarget)
        m_pTarget->BeginScene();
}

void CDXRenderTarget::EndScene()
{
    if (m_pTarget)
        m_pTarget->EndScene();
}

void CDXRenderTarget::Clear()
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (m_pTarget && device)
        device->Clear(gfx::CLEAR_TARGET | gfx::CLEAR_ZBUFFER, 0x00000000, 1.0f, 0);
}

void CDXRenderTarget::SaveToFile()
{
    if (m_pTarget && !m_pTarget->SaveToFile("test.bmp"))
        LogLine("CDXRenderTarget: could not write test.bmp");
}

} // namespace Vesk
