// A sprite sheet: one texture cut into a grid of equal frames, numbered from 0 row by row, with
// named frame ranges (animations). The 2D display system copies the animation table, plays the
// animations itself and asks the sheet to draw single frames under a 2D transform, modulated by
// the sheet's colour.
#pragma once

#include "math/Matrix3.h"
#include "resources/IResource.h"

#include <map>
#include <string>

namespace Vesk {

struct SpriteAnimation {
    int firstFrame = 0;
    int lastFrame = 0;
    float secondsPerFrame = 0.0f;
};

using SpriteAnimationMap = std::map<std::string, SpriteAnimation>;

class ISprite : public IResource {
public:
    struct Color {
        float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
    };

    // One frame, centred on the origin of the current transform, inside the shared sprite
    // batch's Begin and End.
    virtual void Draw(unsigned frame) = 0;
    // The 2D transform of the next draws.
    virtual void SetTransform(const CMatrix3& transform) = 0;

    const SpriteAnimationMap& GetAnimations() const { return m_Animations; }
    unsigned GetFrameWidth() const { return m_FrameWidth; }
    unsigned GetFrameHeight() const { return m_FrameHeight; }
    float GetCenterX() const { return m_CenterX; }
    float GetCenterY() const { return m_CenterY; }

    // Channels from 0 to 1; values outside that range are clamped when drawing.
    void SetColor(const Color& color) { m_Color = color; }
    const Color& GetColor() const { return m_Color; }

protected:
    SpriteAnimationMap m_Animations;
    unsigned m_Width = 50, m_Height = 50;
    unsigned m_XGrid = 10, m_YGrid = 10;
    unsigned m_FrameWidth = 5, m_FrameHeight = 5;
    float m_CenterX = 0.0f, m_CenterY = 0.0f;
    Color m_Color;
};

} // namespace Vesk
