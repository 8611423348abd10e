#include "render/Letterbox.h"

#include <algorithm>
#include <cmath>

namespace Vesk {

ViewportRect ComputeLetterbox(int screenWidth, int screenHeight, float aspect)
{
    ViewportRect rect;
    rect.width = screenWidth;
    rect.height = screenHeight;
    if (screenWidth <= 0 || screenHeight <= 0 || !std::isfinite(aspect) || aspect <= 0.0f)
        return rect;
    const float height = static_cast<float>(screenWidth) / aspect;
    if (height <= static_cast<float>(screenHeight)) {
        rect.height = std::max(1, static_cast<int>(height));
        rect.y = (screenHeight - rect.height) / 2;
    } else {
        rect.width = std::max(1, static_cast<int>(static_cast<float>(screenHeight) * aspect));
        rect.x = (screenWidth - rect.width) / 2;
    }
    return rect;
}

} // namespace Vesk
