// Generates the sprite sheets' images under bin/assets/textures: "animcursor.png", the GUI
// cursor, a 4 x 2 grid of 64-pixel frames, a softly pulsing ring in the first row ("idle") and a
// brighter ring with four turning ticks in the second ("active"). The fallback sprite's image
// comes from gen_default_textures.
// Usage: gen_sprites [output directory, default bin/assets/textures]. Output is deterministic.
#include "core/AtomicFile.h"
#include "platform/gfx/ImageWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Rgb {
    float r, g, b;
};

class Image {
public:
    Image(int width, int height) : m_Width(width), m_Height(height), m_Pixels(size_t(width) * height * 4, 0) {}

    // Paints colour over the picture where the shape covers each pixel, the coverage sampled on
    // a 4 x 4 grid per pixel. inside(x, y) takes pixel coordinates relative to the origin.
    void Paint(float originX, float originY, const Rgb& colour, float opacity,
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
                    Over(x, y, colour, opacity * float(hits) / 16.0f);
            }
    }

    std::string Png() const { return gfx::EncodePNG(m_Width, m_Height, m_Pixels); }

private:
    // "Over" compositing on straight (not premultiplied) alpha, rounded to bytes.
    void Over(int x, int y, const Rgb& colour, float alpha)
    {
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

    int m_Width, m_Height;
    std::vector<uint8_t> m_Pixels;
};

bool Write(const std::string& path, const Image& image)
{
    const std::string png = image.Png();
    return !png.empty() && Vesk::WriteFileAtomically(path, png, "gen_sprites");
}

constexpr int kFrame = 64;
constexpr float kPi = 3.14159265f;

std::function<bool(float, float)> Ring(float radius, float thickness)
{
    return [=](float x, float y) { return std::fabs(std::hypot(x, y) - radius) <= thickness * 0.5f; };
}

std::function<bool(float, float)> Disc(float radius)
{
    return [=](float x, float y) { return std::hypot(x, y) <= radius; };
}

// Four ticks outside the ring, pointing at the centre, turned by the angle.
std::function<bool(float, float)> Ticks(float angle, float inner, float outer, float halfWidth)
{
    return [=](float x, float y) {
        for (int i = 0; i < 4; ++i) {
            const float a = angle + float(i) * kPi * 0.5f;
            const float along = x * std::cos(a) + y * std::sin(a);
            const float across = -x * std::sin(a) + y * std::cos(a);
            // Narrowing towards the centre.
            const float width = halfWidth * (along - inner) / (outer - inner);
            if (along >= inner && along <= outer && std::fabs(across) <= width)
                return true;
        }
        return false;
    };
}

bool MakeCursor(const std::string& path)
{
    const Rgb outline{40, 24, 8}, gold{255, 206, 84}, pale{255, 244, 176};
    Image image(4 * kFrame, 2 * kFrame);
    for (int i = 0; i < 4; ++i) {
        const float cx = float(i * kFrame) + kFrame * 0.5f, cy = kFrame * 0.5f;
        const float pulse = std::sin(float(i) * kPi * 0.5f);
        image.Paint(cx, cy, gold, 0.25f + 0.1f * pulse, Ring(21.0f + pulse, 10.0f));
        image.Paint(cx, cy, outline, 1.0f, Ring(20.0f + pulse, 6.0f));
        image.Paint(cx, cy, gold, 1.0f, Ring(20.0f + pulse, 3.0f));
        image.Paint(cx, cy, outline, 1.0f, Disc(4.5f));
        image.Paint(cx, cy, gold, 1.0f, Disc(3.0f));
    }
    for (int i = 0; i < 4; ++i) {
        const float cx = float(i * kFrame) + kFrame * 0.5f, cy = kFrame * 1.5f;
        const float angle = float(i) * kPi / 8.0f;
        image.Paint(cx, cy, pale, 0.45f, Ring(18.0f, 12.0f));
        image.Paint(cx, cy, outline, 1.0f, Ticks(angle, 20.0f, 31.0f, 5.0f));
        image.Paint(cx, cy, pale, 1.0f, Ticks(angle, 21.5f, 29.5f, 3.0f));
        image.Paint(cx, cy, outline, 1.0f, Ring(17.0f, 7.0f));
        image.Paint(cx, cy, pale, 1.0f, Ring(17.0f, 4.0f));
        image.Paint(cx, cy, outline, 1.0f, Disc(5.0f));
        image.Paint(cx, cy, pale, 1.0f, Disc(3.5f));
    }
    return Write(path, image);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "bin/assets/textures";
    const struct {
        const char* file;
        bool (*make)(const std::string&);
    } outputs[] = {
        {"animcursor.png", MakeCursor},
    };
    int failures = 0;
    for (const auto& output : outputs) {
        const std::string path = dir + "/" + output.file;
        if (!output.make(path)) {
            std::fprintf(stderr, "gen_sprites: could not write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
