// Encoding of RGBA pixels as PNG, for the content generators and the tests that make image
// files. The output depends only on the pixels, so generated files reproduce byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gfx {

// rgba: width * height * 4 bytes, rows from the top. Empty for a size below 1 or too few pixels.
std::string EncodePNG(int width, int height, const std::vector<uint8_t>& rgba);

} // namespace gfx
