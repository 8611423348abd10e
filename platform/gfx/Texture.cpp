#include "platform/gfx/Texture.h"

#include "platform/gfx/detail/GL.h"
#include "platform/win/RegularFile.h"

#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>

#include <string>
#include <vector>

namespace gfx {

namespace {

GLuint MakeTexture(int width, int height, const uint8_t* rgba, bool mipmaps)
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    // Sampler defaults of the device: linear filtering, wrapping addresses.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    if (mipmaps)
        glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

} // namespace

std::unique_ptr<Texture> Texture::FromFile(Device& device, const std::string& path, std::string& error, int width,
                                           int height)
{
    std::string bytes, readError;
    if (!win::ReadRegularFile(path, bytes, readError)) {
        error = "cannot read image \"" + path + "\": " + readError;
        return nullptr;
    }
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                            static_cast<int>(bytes.size()), &w, &h, &channels, 4);
    if (!pixels) {
        error = "cannot read image \"" + path + "\": " + (stbi_failure_reason() ? stbi_failure_reason() : "unknown");
        return nullptr;
    }
    std::unique_ptr<Texture> texture;
    if (width > 0 && height > 0 && (width != w || height != h)) {
        std::vector<uint8_t> scaled(static_cast<size_t>(width) * height * 4);
        stbir_resize_uint8(pixels, w, h, 0, scaled.data(), width, height, 0, 4);
        texture = FromPixels(device, width, height, scaled.data(), true);
    } else {
        texture = FromPixels(device, w, h, pixels, true);
    }
    stbi_image_free(pixels);
    return texture;
}

std::unique_ptr<Texture> Texture::FromPixels(Device& device, int width, int height, const uint8_t* rgba, bool mipmaps)
{
    if (width < 1 || height < 1)
        return nullptr;
    std::unique_ptr<Texture> texture(new Texture(device));
    texture->m_Name = MakeTexture(width, height, rgba, mipmaps);
    texture->m_Width = width;
    texture->m_Height = height;
    return texture;
}

std::unique_ptr<Texture> Texture::CreateEmpty(Device& device, int width, int height)
{
    return FromPixels(device, width, height, nullptr, false);
}

Texture::~Texture()
{
    if (HasContext())
        ReleaseNames();
}

void Texture::ReleaseNames()
{
    if (m_Name)
        glDeleteTextures(1, &m_Name);
    m_Name = 0;
}

} // namespace gfx
