// Generates the skill crests' images under bin/assets/textures: "flamecrest.png",
// "windcrest.png" and "lightningcrest.png", one 128 x 128 frame each (the sprites "FlameCrest",
// "WindCrest" and "LightningCrest" of sprites.xml). Each is a heraldic shield with an ink outline,
// a bright rim, a top-to-bottom gradient field and its emblem on a soft glow:
//   flame      red field, gold rim, an orange flame with a yellow and a pale core
//   wind       pale cyan-green field, silver rim, a white swirl with streaks
//   lightning  deep blue field, gold rim, a yellow bolt with a pale core
// Usage: gen_skill_sprites [output directory, default bin/assets/textures]. Output is
// deterministic.
#include "GeneratorOutputs.h"
#include "SpriteImage.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Shape = std::function<bool(float, float)>;

constexpr int kSize = 128;
constexpr float kCentre = kSize * 0.5f;
constexpr float kPi = 3.14159265f;

const Rgb kInk{20, 14, 8};
const Rgb kWhite{255, 255, 255};

// Shield centred on the origin: flat top with rounded corners, straight sides down to a little
// below the middle, then curving in to a point at the bottom.
Shape Shield(float halfWidth, float halfHeight)
{
    return [=](float x, float y) {
        const float top = -halfHeight, shoulder = halfHeight * 0.1f, corner = halfWidth * 0.25f;
        if (y < top || y > halfHeight)
            return false;
        if (y <= shoulder) {
            if (std::fabs(x) > halfWidth)
                return false;
            // Rounded top corners.
            const float cx = std::fabs(x) - (halfWidth - corner), cy = y - (top + corner);
            return cx <= 0.0f || cy >= 0.0f || std::hypot(cx, cy) <= corner;
        }
        const float t = (y - shoulder) / (halfHeight - shoulder);
        return std::fabs(x) <= halfWidth * std::pow(std::cos(t * kPi * 0.5f), 0.7f);
    };
}

// The shape moved by (dx, dy).
Shape Moved(const Shape& shape, float dx, float dy)
{
    return [=](float x, float y) { return shape(x - dx, y - dy); };
}

// The shape grown by about radius pixels (sampled on a ring of eight points and the centre).
Shape Grown(const Shape& shape, float radius)
{
    return [=](float x, float y) {
        if (shape(x, y))
            return true;
        for (int i = 0; i < 8; ++i) {
            const float a = float(i) * kPi * 0.25f;
            if (shape(x + radius * std::cos(a), y + radius * std::sin(a)))
                return true;
        }
        return false;
    };
}

// A flame tongue standing on the origin's disc of the radius, its tip height above the disc's
// centre, the sides curling with a flicker that grows towards the tip.
Shape Flame(float radius, float height, float flicker)
{
    return [=](float x, float y) {
        if (std::hypot(x, y) <= radius)
            return true;
        if (y > 0.0f || y < -height)
            return false;
        const float t = -y / height; // 0 at the disc's centre, 1 at the tip
        const float sway = flicker * std::sin(t * kPi * 1.6f) * t;
        return std::fabs(x - sway) <= radius * std::pow(1.0f - t, 1.4f);
    };
}

// A swirl: an Archimedean spiral arm from angle 0 to sweep, its thickness tapering to the end.
Shape Swirl(float startRadius, float growth, float sweep, float thickness)
{
    return [=](float x, float y) {
        const float r = std::hypot(x, y);
        float angle = std::atan2(y, x);
        if (angle < 0.0f)
            angle += 2.0f * kPi;
        for (int turn = 0; turn < 3; ++turn) {
            const float a = angle + float(turn) * 2.0f * kPi;
            if (a > sweep)
                break;
            const float armRadius = startRadius + growth * a;
            const float halfThick = thickness * 0.5f * (1.0f - 0.7f * a / sweep);
            if (std::fabs(r - armRadius) <= halfThick)
                return true;
        }
        return false;
    };
}

// A horizontal streak from x0 to x1 at the height, pointed at both ends and thickest past the
// middle.
Shape Streak(float x0, float x1, float y, float thickness)
{
    return [=](float px, float py) {
        if (px < x0 || px > x1)
            return false;
        const float t = (px - x0) / (x1 - x0);
        return std::fabs(py - y) <= thickness * 0.5f * std::sin(kPi * std::pow(t, 0.6f));
    };
}

// Even-odd fill of a closed polygon.
Shape Polygon(std::vector<float> points)
{
    return [points = std::move(points)](float x, float y) {
        bool inside = false;
        const size_t n = points.size() / 2;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const float xi = points[2 * i], yi = points[2 * i + 1], xj = points[2 * j], yj = points[2 * j + 1];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
        }
        return inside;
    };
}

struct CrestStyle {
    Rgb rim, fieldTop, fieldBottom, glow;
};

// The shield, its outline, rim, gradient field and a sheen on the upper left.
void PaintShield(SpriteImage& image, const CrestStyle& style)
{
    const float halfWidth = 50.0f, halfHeight = 58.0f;
    const Shape outer = Shield(halfWidth, halfHeight);
    const Shape field = Shield(halfWidth - 7.0f, halfHeight - 8.0f);
    image.Paint(kCentre + 2.0f, kCentre + 3.0f, kInk, 0.35f, Grown(outer, 2.0f)); // shadow
    image.Paint(kCentre, kCentre, kInk, 1.0f, Grown(outer, 2.5f));
    image.Paint(kCentre, kCentre, style.rim, 1.0f, outer);
    const Shape fieldEdge = Grown(field, 1.5f);
    image.Paint(kCentre, kCentre, kInk, 1.0f, fieldEdge);
    const float top = kCentre - (halfHeight - 8.0f), height = 2.0f * (halfHeight - 8.0f);
    image.PaintShaded(
        kCentre, kCentre,
        [&](int y) {
            return Mix(style.fieldTop, style.fieldBottom, std::clamp((float(y) - top) / height, 0.0f, 1.0f));
        },
        1.0f, field);
    // A soft light on the upper left of the field and a bright edge on the rim.
    image.Paint(kCentre, kCentre, kWhite, 0.16f, [&](float x, float y) { return field(x, y) && x + y < -28.0f; });
    image.Paint(kCentre, kCentre, kWhite, 0.45f,
                [&](float x, float y) { return outer(x, y) && !fieldEdge(x, y) && x + y < -40.0f; });
    image.Paint(kCentre, kCentre, style.glow, 0.22f, [](float x, float y) { return std::hypot(x, y + 4.0f) <= 34.0f; });
    image.Paint(kCentre, kCentre, style.glow, 0.22f, [](float x, float y) { return std::hypot(x, y + 4.0f) <= 24.0f; });
}

// Ink outline, then the colour, of one emblem part.
void PaintInked(SpriteImage& image, const Shape& shape, const Rgb& colour, float outline)
{
    image.Paint(kCentre, kCentre, kInk, 1.0f, Grown(shape, outline));
    image.Paint(kCentre, kCentre, colour, 1.0f, shape);
}

bool MakeFlame(const std::string& path)
{
    SpriteImage image(kSize, kSize);
    PaintShield(image, {{255, 196, 84}, {214, 58, 30}, {112, 18, 12}, {255, 150, 60}});
    const Shape outer = Moved(Flame(17.0f, 46.0f, 5.0f), 0.0f, 12.0f);
    const Shape left = Moved(Flame(8.0f, 26.0f, -4.0f), -15.0f, 18.0f);
    const Shape right = Moved(Flame(8.0f, 24.0f, 4.0f), 15.0f, 19.0f);
    PaintInked(image, left, {255, 104, 28}, 2.5f);
    PaintInked(image, right, {255, 104, 28}, 2.5f);
    PaintInked(image, outer, {255, 128, 32}, 3.0f);
    image.Paint(kCentre, kCentre, {255, 206, 72}, 1.0f, Moved(Flame(11.0f, 30.0f, 3.0f), 0.0f, 15.0f));
    image.Paint(kCentre, kCentre, {255, 246, 196}, 1.0f, Moved(Flame(5.5f, 15.0f, 1.5f), 0.0f, 19.0f));
    return image.Write(path, "gen_skill_sprites");
}

bool MakeWind(const std::string& path)
{
    SpriteImage image(kSize, kSize);
    PaintShield(image, {{232, 244, 246}, {150, 236, 214}, {34, 128, 140}, {220, 255, 250}});
    const Rgb white{246, 255, 252}, mint{176, 246, 226};
    const Shape swirl = Moved(Swirl(4.0f, 3.4f, 2.6f * kPi, 10.0f), 6.0f, -6.0f);
    PaintInked(image, swirl, white, 2.5f);
    const Shape streaks[] = {Streak(-38.0f, 0.0f, 12.0f, 6.0f), Streak(-30.0f, 14.0f, 24.0f, 5.0f),
                             Streak(-34.0f, 2.0f, 36.0f, 4.0f)};
    for (const Shape& streak : streaks)
        PaintInked(image, streak, mint, 2.0f);
    image.Paint(kCentre, kCentre, white, 0.8f, Moved(Swirl(4.0f, 3.4f, 1.2f * kPi, 4.0f), 6.0f, -6.0f));
    return image.Write(path, "gen_skill_sprites");
}

bool MakeLightning(const std::string& path)
{
    SpriteImage image(kSize, kSize);
    PaintShield(image, {{255, 214, 90}, {58, 96, 214}, {18, 26, 92}, {140, 190, 255}});
    const Shape bolt =
        Polygon({8.0f, -40.0f, -20.0f, 4.0f, -3.0f, 4.0f, -12.0f, 38.0f, 22.0f, -10.0f, 4.0f, -10.0f, 18.0f, -40.0f});
    const Shape core =
        Polygon({7.0f, -33.0f, -13.0f, 1.0f, 1.0f, 1.0f, -6.0f, 25.0f, 15.0f, -7.0f, 1.0f, -7.0f, 12.0f, -33.0f});
    image.Paint(kCentre, kCentre, {255, 250, 160}, 0.3f, Grown(bolt, 7.0f));
    PaintInked(image, bolt, {255, 220, 48}, 3.0f);
    image.Paint(kCentre, kCentre, {255, 252, 214}, 1.0f, core);
    return image.Write(path, "gen_skill_sprites");
}

} // namespace

int main(int argc, char** argv)
{
    return WriteOutputs("gen_skill_sprites", argc, argv, "bin/assets/textures",
                        {
                            {"flamecrest.png", MakeFlame},
                            {"windcrest.png", MakeWind},
                            {"lightningcrest.png", MakeLightning},
                        });
}
