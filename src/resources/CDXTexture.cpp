#include "resources/CDXTexture.h"

#include "core/Log.h"
#include "platform/gfx/Device.h"
#include "render/CRenderer.h"

namespace Vesk {

bool CDXTexture::Load(const std::string& path)
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device) {
        LogLine("CDXTexture: no graphics device to load " + path);
        return false;
    }
    std::string error;
    m_pOwned = gfx::Texture::FromFile(*device, path, error);
    if (!m_pOwned) {
        LogLine("CDXTexture: " + path + ": " + error);
        return false;
    }
    m_pTexture = m_pOwned.get();
    m_Path = path;
    return true;
}

void CDXTexture::Bind()
{
    if (gfx::Device* device = CRenderer::GetInstance().GetDevice())
        device->SetTexture(0, m_pTexture);
}

void CDXTexture::View(const gfx::Texture* texture)
{
    m_pOwned.reset();
    m_pTexture = texture;
}

} // namespace Vesk
