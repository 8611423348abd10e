#include "platform/gfx/ImageWriter.h"

#include <stb/stb_image_write.h>

namespace gfx {

std::string EncodePNG(int width, int height, const std::vector<uint8_t>& rgba)
{
    std::string png;
    if (width < 1 || height < 1 || rgba.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 4)
        return png;
    const auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
    };
    if (!stbi_write_png_to_func(append, &png, width, height, 4, rgba.data(), width * 4))
        png.clear();
    return png;
}

} // namespace gfx
