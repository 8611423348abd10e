// A texture from an image file, cached by path; or, for a render target, a view of the target's
// colour texture that the target keeps current across its re-creation. Owns the texture it
// loads, never the one it views.
#pragma once

#include "platform/gfx/Texture.h"
#include "resources/ITexture.h"

#include <memory>
#include <string>

namespace Vesk {

class CDXTexture : public ITexture {
public:
    // False (with a log line) when there is no graphics device or the file cannot be decoded.
    bool Load(const std::string& path) override;
    // File textures survive a device reset.
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    // The texture on stage 0; nothing is bound while there is none.
    void Bind() override;

    // Null until loaded, or while a render target has no texture.
    const gfx::Texture* GetTexture() const { return m_pTexture; }
    const std::string& GetPath() const { return m_Path; }
    // Used by render targets: views their texture (null when they have none).
    void View(const gfx::Texture* texture);

private:
    std::unique_ptr<gfx::Texture> m_pOwned;
    const gfx::Texture* m_pTexture = nullptr;
    std::string m_Path;
};

} // namespace Vesk
