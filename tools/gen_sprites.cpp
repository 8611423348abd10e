// Generates the sprite sheets' images under bin/assets/textures: "animcursor.png", the GUI
// cursor, a 4 x 2 grid of 160-pixel frames (drawn at a quarter size, so a 40-pixel ring on a
// 1280-pixel-wide screen), a softly pulsing ring in the first row ("idle") and a
// brighter ring with four turning ticks in the second ("active"). The fallback sprite's image
// comes from gen_default_textures.
// Usage: gen_sprites [output directory, default bin/assets/textures]. Output is deterministic.
#include "GeneratorOutputs.h"
#include "SpriteImage.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

bool Write(const std::string& path, const SpriteImage& image) { return image.Write(path, "gen_sprites"); }

constexpr int kFrame = 160;
// The ring was designed on 64-pixel frames; its sizes scale with the frame.
constexpr float kUnit = kFrame / 64.0f;
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
    SpriteImage image(4 * kFrame, 2 * kFrame);
    for (int i = 0; i < 4; ++i) {
        const float cx = float(i * kFrame) + kFrame * 0.5f, cy = kFrame * 0.5f;
        const float pulse = std::sin(float(i) * kPi * 0.5f);
        image.Paint(cx, cy, gold, 0.25f + 0.1f * pulse, Ring((21.0f + pulse) * kUnit, 10.0f * kUnit));
        image.Paint(cx, cy, outline, 1.0f, Ring((20.0f + pulse) * kUnit, 6.0f * kUnit));
        image.Paint(cx, cy, gold, 1.0f, Ring((20.0f + pulse) * kUnit, 3.0f * kUnit));
        image.Paint(cx, cy, outline, 1.0f, Disc(4.5f * kUnit));
        image.Paint(cx, cy, gold, 1.0f, Disc(3.0f * kUnit));
    }
    for (int i = 0; i < 4; ++i) {
        const float cx = float(i * kFrame) + kFrame * 0.5f, cy = kFrame * 1.5f;
        const float angle = float(i) * kPi / 8.0f;
        image.Paint(cx, cy, pale, 0.45f, Ring(18.0f * kUnit, 12.0f * kUnit));
        image.Paint(cx, cy, outline, 1.0f, Ticks(angle, 20.0f * kUnit, 31.0f * kUnit, 5.0f * kUnit));
        image.Paint(cx, cy, pale, 1.0f, Ticks(angle, 21.5f * kUnit, 29.5f * kUnit, 3.0f * kUnit));
        image.Paint(cx, cy, outline, 1.0f, Ring(17.0f * kUnit, 7.0f * kUnit));
        image.Paint(cx, cy, pale, 1.0f, Ring(17.0f * kUnit, 4.0f * kUnit));
        image.Paint(cx, cy, outline, 1.0f, Disc(5.0f * kUnit));
        image.Paint(cx, cy, pale, 1.0f, Disc(3.5f * kUnit));
    }
    return Write(path, image);
}

} // namespace

int main(int argc, char** argv)
{
    return WriteOutputs("gen_sprites", argc, argv, "bin/assets/textures",
                        {
                            {"animcursor.png", MakeCursor},
                        });
}
