// 2D textures: from image files (PNG, BMP, TGA, JPEG through stb_image, optionally scaled to a
// requested size, with mipmaps), from RGBA pixels, or empty for render targets. Rows are kept in
// file order, so Direct3D texture coordinates (v = 0 at the top of the image) apply unchanged.
#pragma once

#include "platform/gfx/GpuObject.h"

#include <cstdint>
#include <memory>
#include <string>

namespace gfx {

class Texture : public GpuObject {
public:
    // Null, with the reason in error, when the file cannot be read or decoded. A width and
    // height above 0 scale the image to that size.
    static std::unique_ptr<Texture> FromFile(Device& device, const std::string& path, std::string& error, int width = 0,
                                             int height = 0);
    // rgba: width * height * 4 bytes, rows from the top. Null for a size below 1.
    static std::unique_ptr<Texture> FromPixels(Device& device, int width, int height, const uint8_t* rgba,
                                               bool mipmaps);
    // Uninitialised RGBA8 storage, linear filtering, no mipmaps. Null for a size below 1.
    static std::unique_ptr<Texture> CreateEmpty(Device& device, int width, int height);
    ~Texture() override;

    unsigned Name() const { return m_Name; }
    int Width() const { return m_Width; }
    int Height() const { return m_Height; }

private:
    using GpuObject::GpuObject;
    void ReleaseNames() override;

    unsigned m_Name = 0;
    int m_Width = 0, m_Height = 0;
};

} // namespace gfx
