// The 162 unit normals that MD2 vertices index with their normal byte (the format's fixed table).
#pragma once

namespace Vesk {

constexpr int kMD2NormalCount = 162;
extern const float kMD2Normals[kMD2NormalCount][3];

} // namespace Vesk
