// An RGBA picture for the sprite-sheet generators: shapes and coverage maps composited "over" on
// straight alpha, written as PNG. Everything is deterministic, so sheets reproduce byte for byte.
#pragma once

#include "core/AtomicFile.h"
#include "platform/gfx/ImageWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    float r, g, b;
};

// From a (t = 0) to b (t = 1).
inline Rgb Mix(const Rgb& a, const Rgb& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

class SpriteImage {
public:
    SpriteImage(int width, int height) : m_Width(width), m_Height(height), m_Pixels(size_t(width) * height * 4, 0) {}

    int Width() const { return m_Width; }
    int Height() const { return m_Height; }

    // Paints colour over the picture where the shape covers each pixel, the coverage sampled on
    // a 4 x 4 grid per pixel. inside(x, y) takes pixel coordinates relative to the origin.
    void Paint(float originX, float originY, const Rgb& colour, float opacity,
               const std::function<bool(float, float)>& inside)
    {
        PaintShaded(
            originX, originY, [&](int) { return colour; }, opacity, inside);
    }

    // As Paint, the colour chosen per pixel row of the picture.
    void PaintShaded(float originX, float originY, const std::function<Rgb(int)>& rowColour, float opacity,
                     const std::function<bool(float, float)>& inside)
    {
        for (int y = 0; y < m_Height; ++y)
            for (int x = 0; x < m_Width; ++x) {
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx)
                        hits += inside(float(x) + (float(sx) + 0.5f) / 4.0f - originX,
                                       float(y) + (float(sy) + 0.5f) / 4.0f - originY);
                if (hits)
                    Over(x, y, rowColour(y), opacity * float(hits) / 16.0f);
            }
    }

    // "Over" compositing on straight (not premultiplied) alpha, rounded to bytes; pixels outside
    // the picture are ignored.
    void Over(int x, int y, const Rgb& colour, float alpha)
    {
        if (x < 0 || y < 0 || x >= m_Width || y >= m_Height || alpha <= 0.0f)
            return;
        uint8_t* p = &m_Pixels[(size_t(y) * m_Width + x) * 4];
        const float below = p[3] / 255.0f;
        const float out = alpha + below * (1.0f - alpha);
        const float source[3] = {colour.r, colour.g, colour.b};
        for (int c = 0; c < 3; ++c) {
            const float mixed = (source[c] * alpha + p[c] * below * (1.0f - alpha)) / out;
            p[c] = uint8_t(std::lround(std::clamp(mixed, 0.0f, 255.0f)));
        }
        p[3] = uint8_t(std::lround(out * 255.0f));
    }

    bool Write(const std::string& path, const std::string& owner) const
    {
        const std::string png = gfx::EncodePNG(m_Width, m_Height, m_Pixels);
        return !png.empty() && Vesk::WriteFileAtomically(path, png, owner);
    }

private:
    int m_Width, m_Height;
    std::vector<uint8_t> m_Pixels;
};
