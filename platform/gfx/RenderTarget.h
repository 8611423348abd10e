// Textures the scene can be drawn into: colour (RGBA8) with an optional depth buffer, scene
// brackets that switch the device to the target and back, and saving the contents as a BMP file.
// Also the BMP writer itself, shared with screenshots of the back buffer.
#pragma once

#include "platform/gfx/GpuObject.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gfx {

// 24-bit BMP of packed ARGB pixels given row by row from the top; written to a temporary file
// and renamed over the path. False when the size is empty or the file cannot be written.
bool SaveBMP(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);

class RenderTarget : public GpuObject {
public:
    // Null for a size below 1 or when the driver refuses the combination.
    static std::unique_ptr<RenderTarget> Create(Device& device, int width, int height, bool depthBuffer);
    ~RenderTarget() override;

    // The colour texture, for effects and materials; it lives as long as the target. Its rows
    // run from the bottom of the drawn image up, as OpenGL draws them.
    const Texture* GetTexture() const { return m_Texture.get(); }
    int Width() const { return m_Width; }
    int Height() const { return m_Height; }

    // Draws go into the target until EndScene, with a viewport over all of it; EndScene returns
    // to the previous target and viewport.
    void BeginScene();
    void EndScene();
    bool SaveToFile(const std::string& path) const;

private:
    using GpuObject::GpuObject;
    void ReleaseNames() override;

    std::unique_ptr<Texture> m_Texture;
    unsigned m_Framebuffer = 0;
    unsigned m_Depth = 0;
    int m_Width = 0, m_Height = 0;
    bool m_InScene = false;
    unsigned m_PreviousFramebuffer = 0;
    int m_PreviousWidth = 0, m_PreviousHeight = 0;
    Viewport m_PreviousViewport;
};

} // namespace gfx
