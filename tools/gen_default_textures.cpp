// Generates the fallback sprite texture "default.bmp": a 64 x 64 checkerboard of magenta and
// white squares eight pixels wide, so that a sprite falling back to it is easy to spot.
// Usage: gen_default_textures [output directory, default bin/assets/textures]. Output is
// deterministic.
#include "platform/gfx/RenderTarget.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::string directory = argc > 1 ? argv[1] : "bin/assets/textures";
    const int size = 64, square = 8;
    std::vector<uint32_t> pixels(static_cast<size_t>(size * size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels[static_cast<size_t>(y * size + x)] = ((x / square + y / square) % 2) ? 0xFFFFFFFF : 0xFFFF00FF;
    const std::string path = directory + "/default.bmp";
    if (!gfx::SaveBMP(path, size, size, pixels)) {
        std::fprintf(stderr, "gen_default_textures: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
