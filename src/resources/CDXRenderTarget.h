// A render target defined by name in "assets/rendertargets.xml" (size and depth buffer). Owns the
// graphics target and the texture object that views its colour texture. Released on a lost
// device and made again on reset; a target that cannot be made again stays invalid and its
// operations do nothing.
#pragma once

#include "platform/gfx/RenderTarget.h"
#include "resources/CDXTexture.h"
#include "resources/IRenderTarget.h"

#include <memory>
#include <string>

namespace Vesk {

class CDXRenderTarget : public IRenderTarget {
public:
    CDXRenderTarget();

    // False for a missing element, a width or height below 1, no graphics device, or a target
    // the device cannot make.
    bool Load(const std::string& name) override;
    void OnLostDevice() override;
    void OnResetDevice() override;

    void BeginScene() override;
    void EndScene() override;
    // Transparent black and depth 1 on the current target (this one between its scene brackets).
    void Clear() override;
    // The contents as "test.bmp" in the working directory.
    void SaveToFile() override;
    CDXTexture* GetTexture() override { return m_pTexture.get(); }

    bool IsValid() const { return m_pTarget != nullptr; }
    int GetWidth() const { return m_Width; }
    int GetHeight() const { return m_Height; }
    bool HasDepthBuffer() const { return m_DepthBuffer; }

private:
    bool Create();

    std::unique_ptr<CDXTexture> m_pTexture;
    int m_Width = 256, m_Height = 256;
    bool m_DepthBuffer = false;
    std::unique_ptr<gfx::RenderTarget> m_pTarget;
};

} // namespace Vesk
