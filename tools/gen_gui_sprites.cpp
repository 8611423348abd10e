// Generates the GUI's sprite sheets: the five sprite fonts, the labelled buttons, the in-game
// HUD (bars, icons, prompts, wave plates, score screen), the screens around play (backdrops,
// titles, the controls chart, the how-to-play pages, the credits, the transitions, the pause,
// options and question dialogs with the volume bar) and the highscore screens (table title,
// name-entry panel and letter cursor), their images
// under <assets>/textures and their entries in <assets>/sprites.xml, between the two marker
// comments that this tool owns (the rest of the file is kept as it is).
//
// Visual style shared by every screen:
//   ink      (20, 14, 8)    outlines of letters, button rims and drop shadows
//   gold     (255, 206, 84) button borders and the default font's lower half
//   pale     (255, 244, 176) highlighted borders, the default font's upper half
//   panel    (38, 46, 74) to (24, 28, 48), top to bottom: the button face at rest
//   hover    (64, 78, 124) to (38, 46, 80): the face under the mouse or the keyboard selection
//   pressed  (16, 18, 32) to (28, 32, 54): the face while a click is pending, label 2 px lower
//   ember    (236, 148, 52) the border of a pressed button
// Letters are bold, filled with a top-to-bottom gradient of their colour, ringed by a 3-pixel ink
// outline and a soft shadow, so they read over any part of the game's picture.
//
// Fonts: one 16 x 6 sheet of 32 x 56 cells per colour, one animation per printable ASCII
// character named by the character itself (" " included); the cell width matches the 0.04-screen
// step of a sprite text at scale 1. Buttons: 256 x 64 frames (arrows 64 x 64) stacked as the
// animations "idle", "mouseover" and "mouseclick". HUD sheets stack their frames top to bottom;
// the health and boss bar slices are square-ended so that the game can stretch them.
// Usage: gen_gui_sprites [assets directory, default bin/assets]. Output is deterministic.
#include "SpriteImage.h"
#include "core/AtomicFile.h"
#include "platform/gfx/GlyphRaster.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const Rgb kInk{20, 14, 8}, kGold{255, 206, 84}, kPale{255, 244, 176}, kEmber{236, 148, 52};

struct FontStyle {
    const char* sprite;
    const char* file;
    Rgb top, bottom;
};

const FontStyle kFonts[] = {
    {"GameFont", "gamefont.png", kPale, kGold},
    {"GameFontWhite", "gamefont_white.png", {255, 255, 255}, {206, 214, 228}},
    {"GameFontRed", "gamefont_red.png", {255, 132, 110}, {210, 38, 30}},
    {"GameFontGreen", "gamefont_green.png", {170, 255, 150}, {40, 176, 64}},
    {"GameFontYellow", "gamefont_yellow.png", {255, 250, 150}, {250, 196, 20}},
};

struct ButtonStyle {
    Rgb faceTop, faceBottom, border;
    int labelDrop;
};

const ButtonStyle kButtonFrames[] = {
    {{38, 46, 74}, {24, 28, 48}, kGold, 0},  // idle
    {{64, 78, 124}, {38, 46, 80}, kPale, 0}, // mouseover
    {{16, 18, 32}, {28, 32, 54}, kEmber, 2}, // mouseclick
};

enum class Arrow { None, Left, Right };

struct ButtonSheet {
    std::vector<const char*> sprites; // sprite names sharing the sheet
    const char* file;
    const char* label;
    Arrow arrow;
};

const ButtonSheet kButtons[] = {
    {{"Btn"}, "btn_blank.png", "", Arrow::None},
    {{"BtnPlay"}, "btn_play.png", "Play", Arrow::None},
    {{"BtnLevelSelect"}, "btn_levelselect.png", "Select Level", Arrow::None},
    {{"BtnOptions"}, "btn_options.png", "Options", Arrow::None},
    {{"BtnHowToPlay"}, "btn_howtoplay.png", "How to Play", Arrow::None},
    {{"BtnHighscores"}, "btn_highscores.png", "Highscores", Arrow::None},
    {{"BtnCredits"}, "btn_credits.png", "Credits", Arrow::None},
    {{"BtnQuit"}, "btn_quit.png", "Quit", Arrow::None},
    {{"BtnResume"}, "btn_resume.png", "Resume", Arrow::None},
    {{"BtnRestart"}, "btn_restart.png", "Restart", Arrow::None},
    {{"BtnMenu"}, "btn_menu.png", "Main Menu", Arrow::None},
    {{"BtnYes"}, "btn_yes.png", "Yes", Arrow::None},
    {{"BtnNo"}, "btn_no.png", "No", Arrow::None},
    {{"BtnBack"}, "btn_back.png", "Back", Arrow::None},
    {{"BtnLevel1"}, "btn_level1.png", "Level 1", Arrow::None},
    {{"BtnLevel2"}, "btn_level2.png", "Level 2", Arrow::None},
    {{"BtnLevel3"}, "btn_level3.png", "Level 3", Arrow::None},
    {{"BtnMute"}, "btn_mute.png", "Sound On/Off", Arrow::None},
    {{"BtnFullscreen"}, "btn_fullscreen.png", "Fullscreen", Arrow::None},
    {{"Btn800x600"}, "btn_800x600.png", "800 x 600", Arrow::None},
    {{"Btn1024x768"}, "btn_1024x768.png", "1024 x 768", Arrow::None},
    {{"BtnMaxRes"}, "btn_maxres.png", "Largest", Arrow::None},
    {{"BtnDone"}, "btn_done.png", "Done", Arrow::None},
    {{"BtnPrev", "OptionsVolumeLeft"}, "btn_prev.png", "", Arrow::Left},
    {{"BtnNext", "OptionsVolumeRight"}, "btn_next.png", "", Arrow::Right},
};

constexpr int kCellWidth = 32, kCellHeight = 56, kColumns = 16, kRows = 6;
constexpr float kFontEm = 43.0f;
constexpr int kButtonWidth = 256, kArrowWidth = 64, kButtonHeight = 64;
constexpr float kLabelEm = 30.0f;

// A coverage map the size of a region of the picture, 0..1 per pixel.
struct Coverage {
    int width, height;
    std::vector<float> value;
    Coverage(int w, int h) : width(w), height(h), value(size_t(w) * h, 0.0f) {}
    float At(int x, int y) const
    {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : value[size_t(y) * width + x];
    }
};

// The glyph placed with its pen at (penX, baseline) of a region of the given size.
void Stamp(Coverage& target, const gfx::GlyphBitmap& glyph, float penX, int baseline)
{
    const int left = int(std::lround(penX)) + glyph.left, top = baseline + glyph.top;
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x) {
            const int tx = left + x, ty = top + y;
            if (tx >= 0 && ty >= 0 && tx < target.width && ty < target.height)
                target.value[size_t(ty) * target.width + tx] = glyph.coverage[size_t(y) * glyph.width + x] / 255.0f;
        }
}

// A line of text centred on centreX with its baseline at the given row.
void StampLine(Coverage& target, const gfx::GlyphRasterizer& raster, const std::string& text, float em, float centreX,
               int baseline)
{
    std::vector<gfx::GlyphBitmap> glyphs;
    float width = 0.0f;
    for (char c : text) {
        glyphs.push_back(raster.Rasterize(c, em));
        width += glyphs.back().advance;
    }
    float pen = centreX - width * 0.5f;
    for (const gfx::GlyphBitmap& glyph : glyphs) {
        Stamp(target, glyph, pen, baseline);
        pen += glyph.advance;
    }
}

// The shape grown by radius pixels with a one-pixel soft edge.
Coverage Dilate(const Coverage& shape, float radius)
{
    Coverage grown(shape.width, shape.height);
    const int reach = int(std::ceil(radius)) + 1;
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x) {
            float best = 0.0f;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    const float edge = std::clamp(radius + 1.0f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
                    best = std::max(best, shape.At(x + dx, y + dy) * edge);
                }
            grown.value[size_t(y) * shape.width + x] = best;
        }
    return grown;
}

// Shadow, outline and gradient fill of a text shape onto the region at (originX, originY).
void PaintText(SpriteImage& image, int originX, int originY, const Coverage& text, float outline, const Rgb& top,
               const Rgb& bottom, float fillTop, float fillBottom)
{
    const Coverage rim = Dilate(text, outline);
    for (int y = 0; y < text.height; ++y)
        for (int x = 0; x < text.width; ++x)
            image.Over(originX + x, originY + y, kInk, 0.45f * rim.At(x - 2, y - 3));
    for (int y = 0; y < text.height; ++y)
        for (int x = 0; x < text.width; ++x)
            image.Over(originX + x, originY + y, kInk, rim.At(x, y));
    for (int y = 0; y < text.height; ++y) {
        const float t = std::clamp((float(y) - fillTop) / std::max(1.0f, fillBottom - fillTop), 0.0f, 1.0f);
        const Rgb colour = Mix(top, bottom, t);
        for (int x = 0; x < text.width; ++x)
            image.Over(originX + x, originY + y, colour, text.At(x, y));
    }
}

std::unique_ptr<gfx::GlyphRasterizer> OpenFirst(const std::vector<std::string>& candidates)
{
    for (const std::string& path : candidates) {
        std::string error;
        if (auto raster = gfx::GlyphRasterizer::Open(path, error))
            return raster;
    }
    std::fprintf(stderr, "gen_gui_sprites: none of the font files could be read (first: %s)\n",
                 candidates.front().c_str());
    return nullptr;
}

std::string XmlEscaped(char c)
{
    switch (c) {
    case '"': return "&quot;";
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    default: return std::string(1, c);
    }
}

bool MakeFont(const gfx::GlyphRasterizer& raster, const FontStyle& style, const std::string& path)
{
    SpriteImage image(kCellWidth * kColumns, kCellHeight * kRows);
    const float ascent = raster.Ascent(kFontEm);
    const int baseline = int(std::lround((float(kCellHeight) + ascent - raster.Descent(kFontEm)) * 0.5f));
    // Capital height, where the gradient turns fully to the lower colour.
    const gfx::GlyphBitmap capital = raster.Rasterize('H', kFontEm);
    for (int code = 32; code < 127; ++code) {
        const int index = code - 32;
        const gfx::GlyphBitmap glyph = raster.Rasterize(code, kFontEm);
        Coverage shape(kCellWidth, kCellHeight);
        Stamp(shape, glyph, (float(kCellWidth) - glyph.advance) * 0.5f, baseline);
        PaintText(image, (index % kColumns) * kCellWidth, (index / kColumns) * kCellHeight, shape, 2.5f, style.top,
                  style.bottom, float(baseline + capital.top), float(baseline));
    }
    return image.Write(path, "gen_gui_sprites");
}

std::string FontEntry(const FontStyle& style)
{
    std::ostringstream xml;
    xml << "  <" << style.sprite << ">\n    <dimension width=\"" << kCellWidth * kColumns << "\" height=\""
        << kCellHeight * kRows << "\" xgrid=\"" << kColumns << "\" ygrid=\"" << kRows << "\"/>\n"
        << "    <texture path=\"assets/textures/" << style.file << "\"/>\n";
    for (int code = 32; code < 127; ++code)
        xml << "    <animation name=\"" << XmlEscaped(char(code)) << "\" fps=\"1\" start=\"" << code - 31 << "\" end=\""
            << code - 31 << "\"/>\n";
    xml << "  </" << style.sprite << ">\n";
    return xml.str();
}

// Inside a rectangle of the given half size with rounded corners, centred on the origin.
std::function<bool(float, float)> RoundedBox(float halfWidth, float halfHeight, float radius)
{
    return [=](float x, float y) {
        const float dx = std::max(std::fabs(x) - (halfWidth - radius), 0.0f);
        const float dy = std::max(std::fabs(y) - (halfHeight - radius), 0.0f);
        return std::fabs(x) <= halfWidth && std::fabs(y) <= halfHeight && std::hypot(dx, dy) <= radius;
    };
}

std::function<bool(float, float)> Triangle(float size, bool right)
{
    return [=](float x, float y) {
        const float along = right ? x : -x;
        return along >= -size * 0.6f && along <= size * 0.6f && std::fabs(y) <= (size * 0.6f - along) * 0.8f;
    };
}

const Rgb kWhiteTop{255, 255, 255}, kWhiteBottom{206, 214, 228}, kNight{16, 18, 32}, kNightLow{28, 32, 54};

using Shape = std::function<bool(float, float)>;

Shape Circle(float radius)
{
    return [=](float x, float y) { return x * x + y * y <= radius * radius; };
}

Shape Rect(float halfWidth, float halfHeight)
{
    return [=](float x, float y) { return std::fabs(x) <= halfWidth && std::fabs(y) <= halfHeight; };
}

// A gradient from top to bottom colour over the rows [from, to] of the picture.
std::function<Rgb(int)> Rows(const Rgb& top, const Rgb& bottom, float from, float to)
{
    return
        [=](int y) { return Mix(top, bottom, std::clamp((float(y) - from) / std::max(1.0f, to - from), 0.0f, 1.0f)); };
}

// The button look on any rounded box: drop shadow, ink rim, coloured border and a shaded face.
void PaintPanel(SpriteImage& image, float cx, float cy, float hw, float hh, float radius, const Rgb& border,
                const Rgb& faceTop, const Rgb& faceBottom)
{
    image.Paint(cx + 2.0f, cy + 3.0f, kInk, 0.5f, RoundedBox(hw, hh, radius));
    image.Paint(cx, cy, kInk, 1.0f, RoundedBox(hw, hh, radius));
    image.Paint(cx, cy, border, 1.0f, RoundedBox(hw - 2.0f, hh - 2.0f, std::max(radius - 2.0f, 1.0f)));
    const Shape inner = RoundedBox(hw - 5.0f, hh - 5.0f, std::max(radius - 5.0f, 1.0f));
    image.PaintShaded(cx, cy, Rows(faceTop, faceBottom, cy - hh, cy + hh), 1.0f, inner);
    image.Paint(cx, cy, kPale, 0.18f, [&](float x, float y) { return y < -hh + 10.0f && inner(x, y); });
}

void PaintFace(SpriteImage& image, int frameTop, int width, const ButtonStyle& style)
{
    PaintPanel(image, float(width) * 0.5f, float(frameTop) + kButtonHeight * 0.5f, float(width) * 0.5f - 3.0f,
               kButtonHeight * 0.5f - 3.0f, 12.0f, style.border, style.faceTop, style.faceBottom);
}

bool MakeButton(const gfx::GlyphRasterizer& raster, const ButtonSheet& sheet, const std::string& path)
{
    const int width = sheet.arrow == Arrow::None ? kButtonWidth : kArrowWidth;
    SpriteImage image(width, kButtonHeight * 3);
    // The label laid out once; each frame paints it at its own drop.
    const float ascent = raster.Ascent(kLabelEm), descent = raster.Descent(kLabelEm);
    for (int frame = 0; frame < 3; ++frame) {
        const ButtonStyle& style = kButtonFrames[frame];
        const int frameTop = frame * kButtonHeight;
        PaintFace(image, frameTop, width, style);
        const Rgb labelTop = frame == 1 ? Rgb{255, 255, 235} : kPale;
        if (sheet.arrow != Arrow::None) {
            const float cx = float(width) * 0.5f, cy = float(frameTop + style.labelDrop) + kButtonHeight * 0.5f;
            const bool right = sheet.arrow == Arrow::Right;
            image.Paint(cx, cy, kInk, 1.0f, Triangle(24.0f, right));
            image.Paint(cx, cy, labelTop, 1.0f, Triangle(17.0f, right));
            continue;
        }
        Coverage text(width, kButtonHeight);
        const int baseline = int(std::lround((float(kButtonHeight) + ascent - descent) * 0.5f)) + style.labelDrop;
        StampLine(text, raster, sheet.label, kLabelEm, float(width) * 0.5f, baseline);
        PaintText(image, 0, frameTop, text, 2.0f, labelTop, kGold, float(baseline) - ascent * 0.7f, float(baseline));
    }
    return image.Write(path, "gen_gui_sprites");
}

std::string ButtonEntries(const ButtonSheet& sheet)
{
    const int width = sheet.arrow == Arrow::None ? kButtonWidth : kArrowWidth;
    std::ostringstream xml;
    for (const char* sprite : sheet.sprites)
        xml << "  <" << sprite << ">\n    <dimension width=\"" << width << "\" height=\"" << kButtonHeight * 3
            << "\" xgrid=\"1\" ygrid=\"3\"/>\n    <texture path=\"assets/textures/" << sheet.file << "\"/>\n"
            << "    <animation name=\"idle\" fps=\"1\" start=\"1\" end=\"1\"/>\n"
            << "    <animation name=\"mouseover\" fps=\"1\" start=\"2\" end=\"2\"/>\n"
            << "    <animation name=\"mouseclick\" fps=\"1\" start=\"3\" end=\"3\"/>\n  </" << sprite << ">\n";
    return xml.str();
}

// ---- The in-game HUD: bars, icons, prompts, the wave plates and the score screen. ----

// A bar frame: the panel rim around a see-through window of the given half size, where the bars
// below it show.
void PaintBarFrame(SpriteImage& image, float windowHw, float windowHh, const Rgb& border)
{
    const float cx = image.Width() * 0.5f, cy = image.Height() * 0.5f;
    const float hw = cx - 1.0f, hh = cy - 1.0f;
    const Shape window = Rect(windowHw, windowHh);
    const auto framed = [&](const Shape& outer) {
        return [=](float x, float y) { return outer(x, y) && !window(x, y); };
    };
    image.Paint(cx, cy, kInk, 1.0f, framed(RoundedBox(hw, hh, 6.0f)));
    image.Paint(cx, cy, border, 1.0f, framed(RoundedBox(hw - 2.0f, hh - 2.0f, 4.0f)));
    image.Paint(cx, cy, kInk, 1.0f, framed(Rect(windowHw + 2.0f, windowHh + 2.0f)));
    image.Paint(cx, cy, kPale, 0.35f, [&](float x, float y) {
        return framed(RoundedBox(hw - 2.0f, hh - 2.0f, 4.0f))(x, y) && y < -hh + 4.0f;
    });
}

// A bar slice filling the whole frame: a gradient with a sheen on its upper third, ink top and
// bottom edges; left and right stay square so that stretched slices join.
void PaintBar(SpriteImage& image, int frameTop, int height, const Rgb& top, const Rgb& bottom)
{
    const float w = float(image.Width());
    const float cy = float(frameTop) + height * 0.5f;
    image.PaintShaded(w * 0.5f, cy, Rows(top, bottom, float(frameTop), float(frameTop + height)), 1.0f,
                      Rect(w * 0.5f, height * 0.5f));
    image.Paint(w * 0.5f, cy, kWhiteTop, 0.3f,
                [&](float, float y) { return y > -height * 0.5f + 1.0f && y < -height / 6.0f; });
    image.Paint(w * 0.5f, cy, kInk, 0.6f, [&](float, float y) { return std::fabs(y) > height * 0.5f - 1.0f; });
}

// Text centred on cx with its capitals centred on cy, outlined and shaded like the fonts.
void PaintLabel(SpriteImage& image, const gfx::GlyphRasterizer& raster, const std::string& text, float em, float cx,
                float cy, const Rgb& top, const Rgb& bottom)
{
    Coverage shape(image.Width(), image.Height());
    const gfx::GlyphBitmap capital = raster.Rasterize('H', em);
    const int baseline = int(std::lround(cy + capital.height * 0.5f));
    StampLine(shape, raster, text, em, cx, baseline);
    PaintText(image, 0, 0, shape, std::max(1.5f, em / 14.0f), top, bottom, float(baseline - capital.height),
              float(baseline));
}

struct HudAnimation {
    const char* name;
    int fps, start, end;
};

// One HUD sheet: frames of width x height stacked top to bottom, each painted by paint(frame).
struct HudSheet {
    const char* sprite;
    const char* file;
    int width, height, frames;
    std::vector<HudAnimation> animations;
    std::function<void(SpriteImage&, const gfx::GlyphRasterizer&, int frame)> paint;
};

void PaintSkull(SpriteImage& image)
{
    const float cx = image.Width() * 0.5f, cy = image.Height() * 0.5f - 3.0f;
    const Rgb bone{240, 232, 210}, boneLow{186, 170, 140};
    const Shape head = [](float x, float y) {
        return x * x + y * y <= 17.0f * 17.0f || (std::fabs(x) <= 10.0f && y >= 0.0f && y <= 20.0f);
    };
    image.Paint(cx + 2.0f, cy + 3.0f, kInk, 0.5f, head);
    image.Paint(cx, cy, kInk, 1.0f, [&](float x, float y) { return head(x * 0.86f, y * 0.86f) || head(x, y - 1.5f); });
    image.PaintShaded(cx, cy, Rows(bone, boneLow, cy - 17.0f, cy + 20.0f), 1.0f, head);
    for (float side : {-1.0f, 1.0f})
        image.Paint(cx + side * 7.0f, cy + 2.0f, kInk, 1.0f, Circle(5.0f));
    image.Paint(cx, cy + 10.0f, kInk, 1.0f,
                [](float x, float y) { return y >= -2.0f && y <= 2.5f && std::fabs(x) <= (y + 2.0f) * 0.6f; });
    for (float x : {-5.0f, 0.0f, 5.0f})
        image.Paint(cx + x, cy + 17.0f, kInk, 1.0f, Rect(0.8f, 3.5f));
}

// The orb of a power slot, lit from the upper left.
void PaintOrb(SpriteImage& image, int frameTop, const Rgb& top, const Rgb& bottom, const Rgb& glow)
{
    const float cx = image.Width() * 0.5f, cy = float(frameTop) + image.Width() * 0.5f, r = cx - 4.0f;
    image.Paint(cx, cy, glow, 0.35f, Circle(r + 3.0f));
    image.Paint(cx, cy, kInk, 1.0f, Circle(r));
    image.PaintShaded(cx, cy, Rows(top, bottom, cy - r, cy + r), 1.0f, Circle(r - 2.5f));
    image.Paint(cx - r * 0.3f, cy - r * 0.35f, kWhiteTop, 0.55f,
                [=](float x, float y) { return x * x / (r * r * 0.12f) + y * y / (r * r * 0.05f) <= 1.0f; });
}

// A keyboard key cap, or a round pad button, as the glyph of an input prompt.
void PaintInputGlyph(SpriteImage& image, float cx, float cy, bool pad)
{
    if (pad) {
        image.Paint(cx, cy, kInk, 1.0f, Circle(13.0f));
        image.PaintShaded(cx, cy, Rows({120, 220, 120}, {30, 140, 50}, cy - 11.0f, cy + 11.0f), 1.0f, Circle(10.5f));
        image.Paint(cx - 3.0f, cy - 4.0f, kWhiteTop, 0.45f, Circle(4.0f));
    } else {
        image.Paint(cx, cy, kInk, 1.0f, RoundedBox(14.0f, 13.0f, 4.0f));
        image.PaintShaded(cx, cy, Rows(kWhiteTop, kWhiteBottom, cy - 11.0f, cy + 11.0f), 1.0f,
                          RoundedBox(11.5f, 10.5f, 3.0f));
        image.Paint(cx, cy + 3.0f, kInk, 0.25f, Rect(8.0f, 5.0f));
    }
}

std::vector<HudSheet> HudSheets()
{
    const Rgb green{170, 255, 150}, greenLow{40, 176, 64}, red{255, 132, 110}, redLow{210, 38, 30};
    const Rgb yellow{255, 250, 150}, yellowLow{250, 196, 20};
    const auto still = [](const char* name) { return std::vector<HudAnimation>{{name, 1, 1, 1}}; };
    const auto prompt = std::vector<HudAnimation>{{"idle", 1, 1, 1}, {"idleController", 1, 2, 2}};
    return {
        {"WaveStartBanner", "hud_banner.png", 512, 96, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintPanel(image, 256.0f, 48.0f, 250.0f, 40.0f, 16.0f, kGold, {64, 78, 124}, {24, 28, 48});
             PaintLabel(image, raster, "GET READY!", 52.0f, 256.0f, 47.0f, kPale, kGold);
         }},
        {"wave_number", "hud_wave_number.png", 180, 44, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintPanel(image, 74.0f, 22.0f, 70.0f, 19.0f, 10.0f, kGold, {38, 46, 74}, {24, 28, 48});
             image.Paint(109.0f, 22.0f, kInk, 1.0f, RoundedBox(31.0f, 14.0f, 7.0f));
             image.PaintShaded(109.0f, 22.0f, Rows(kNight, kNightLow, 9.0f, 35.0f), 1.0f,
                               RoundedBox(29.0f, 12.0f, 6.0f));
             PaintLabel(image, raster, "WAVE", 20.0f, 43.0f, 22.0f, kPale, kGold);
         }},
        {"wavebg", "hud_wavebg.png", 800, 64, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             // A band across the screen whose ends fade out.
             for (int y = 4; y < 60; ++y)
                 for (int x = 0; x < 800; ++x) {
                     const float fade = std::clamp(std::min(float(x), 799.0f - float(x)) / 160.0f, 0.0f, 1.0f);
                     const bool rim = y < 7 || y >= 57, ink = y < 5 || y >= 59;
                     const Rgb colour = ink   ? kInk
                                        : rim ? kGold
                                              : Mix({38, 46, 74}, {16, 18, 32}, float(y - 7) / 50.0f);
                     image.Over(x, y, colour, fade * (rim || ink ? 1.0f : 0.8f));
                 }
         }},
        {"P1HealthBarFrame", "hud_health_frame.png", 164, 30, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintBarFrame(image, 72.0f, 7.0f, kGold); }},
        {"P1HealthBarCurrent", "hud_health_current.png", 64, 14, 1, still("idle"),
         [=](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintBar(image, 0, 14, green, greenLow); }},
        {"P1HealthBarCurrentRed", "hud_health_red.png", 64, 14, 1, still("idle"),
         [=](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintBar(image, 0, 14, red, redLow); }},
        {"P1HealthBarBacking", "hud_health_backing.png", 150, 18, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintBar(image, 0, 18, kNight, kNightLow); }},
        {"ComboBar", "hud_combo_bar.png", 64, 10, 1, still("idle"),
         [=](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             PaintBar(image, 0, 10, yellow, yellowLow);
             image.Paint(32.0f, 5.0f, kInk, 0.8f, [](float x, float) { return std::fabs(x) > 31.0f; });
         }},
        {"SkullCounter", "hud_skull.png", 48, 48, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintSkull(image); }},
        {"P1ManaBarFrame", "hud_mana_frame.png", 124, 22, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintBarFrame(image, 54.0f, 4.0f, kGold); }},
        {"P1ManaBarBacking", "hud_mana_backing.png", 112, 12, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             PaintBar(image, 0, 12, {30, 40, 90}, {16, 18, 48});
         }},
        {"msg_revive", "hud_msg_revive.png", 310, 48, 2, prompt,
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int frame) {
             const float cy = frame * 48.0f + 24.0f;
             PaintPanel(image, 155.0f, cy, 151.0f, 21.0f, 10.0f, kGold, {38, 46, 74}, {24, 28, 48});
             PaintLabel(image, raster, "PRESS", 18.0f, 48.0f, cy, kWhiteTop, kWhiteBottom);
             PaintInputGlyph(image, 97.0f, cy, frame == 1);
             PaintLabel(image, raster, "ATTACK TO REVIVE", 18.0f, 203.0f, cy, kPale, kGold);
         }},
        // The game puts it just above the power slots, so its letters keep to the upper rows.
        {"msg_charge", "hud_msg_charge.png", 220, 56, 2, prompt,
         [=](SpriteImage& image, const gfx::GlyphRasterizer& raster, int frame) {
             const float top = frame * 56.0f;
             PaintLabel(image, raster, frame == 1 ? "HOLD SPECIAL BUTTON" : "HOLD SPECIAL KEY", 12.0f, 110.0f,
                        top + 8.0f, kWhiteTop, kWhiteBottom);
             PaintLabel(image, raster, "CHARGE!", 22.0f, 110.0f, top + 28.0f, yellow, yellowLow);
         }},
        {"powerslot_blank", "hud_powerslot_blank.png", 56, 56, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             image.Paint(30.0f, 31.0f, kInk, 0.5f, Circle(26.0f));
             image.Paint(28.0f, 28.0f, kInk, 1.0f, Circle(26.0f));
             image.PaintShaded(28.0f, 28.0f, Rows(kPale, kGold, 4.0f, 52.0f), 1.0f, Circle(24.0f));
             image.Paint(28.0f, 28.0f, kInk, 1.0f, Circle(20.5f));
             image.PaintShaded(28.0f, 28.0f, Rows(kNight, kNightLow, 8.0f, 48.0f), 1.0f, Circle(19.0f));
         }},
        {"powerslot_active",
         "hud_powerslot_active.png",
         44,
         44,
         4,
         {{"idle", 1, 1, 1}, {"active", 1, 2, 2}, {"blink", 8, 3, 4}},
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int frame) {
             static const Rgb kOrbs[4][3] = {{{120, 124, 150}, {54, 58, 84}, {90, 96, 130}},
                                             {kPale, kEmber, kEmber},
                                             {{255, 255, 255}, kPale, kPale},
                                             {kPale, kEmber, kEmber}};
             PaintOrb(image, frame * 44, kOrbs[frame][0], kOrbs[frame][1], kOrbs[frame][2]);
         }},
        {"BossHealthBarFrame", "hud_boss_frame.png", 212, 32, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintBarFrame(image, 96.0f, 7.0f, kEmber); }},
        {"BossHealthBarCurrent", "hud_boss_current.png", 256, 14, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             PaintBar(image, 0, 14, {236, 140, 255}, {120, 30, 160});
         }},
        {"BossHealthBarBacking", "hud_boss_backing.png", 198, 18, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintBar(image, 0, 18, kNight, kNightLow); }},
        {"ScoreBackdrop", "hud_score_backdrop.png", 16, 128, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             for (int y = 0; y < 128; ++y)
                 for (int x = 0; x < 16; ++x) {
                     const int edge = std::min(y, 127 - y);
                     const Rgb colour = edge == 2  ? kGold
                                        : edge < 4 ? kInk
                                                   : Mix({38, 46, 74}, kNight, float(y) / 127.0f);
                     image.Over(x, y, colour, edge < 2 ? 0.0f : edge < 4 ? 1.0f : 0.78f);
                 }
         }},
        // The physics sandbox's three overlapping 2D pictures, one per display layer.
        {"Red", "dev_red.png", 96, 96, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintPanel(image, 48.0f, 48.0f, 44.0f, 44.0f, 12.0f, kPale, {236, 70, 64}, {150, 24, 30});
             PaintLabel(image, raster, "3", 40.0f, 48.0f, 48.0f, kWhiteTop, kWhiteBottom);
         }},
        {"Green", "dev_green.png", 96, 96, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintPanel(image, 48.0f, 48.0f, 44.0f, 44.0f, 12.0f, kPale, {90, 220, 96}, {24, 120, 44});
             PaintLabel(image, raster, "2", 40.0f, 48.0f, 48.0f, kWhiteTop, kWhiteBottom);
         }},
        {"Blue", "dev_blue.png", 96, 96, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintPanel(image, 48.0f, 48.0f, 44.0f, 44.0f, 12.0f, kPale, {80, 130, 240}, {28, 46, 150});
             PaintLabel(image, raster, "1", 40.0f, 48.0f, 48.0f, kWhiteTop, kWhiteBottom);
         }},
        // The effects sandbox's skill-pocket plate.
        {"SkillPocket", "dev_skillpocket.png", 160, 160, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintPanel(image, 80.0f, 80.0f, 74.0f, 74.0f, 18.0f, kGold, {64, 78, 124}, {24, 28, 48});
             PaintLabel(image, raster, "SKILL", 30.0f, 80.0f, 62.0f, kPale, kGold);
             PaintLabel(image, raster, "POCKET", 30.0f, 80.0f, 98.0f, kPale, kGold);
         }},
        {"ScorePrompt", "hud_score_prompt.png", 420, 40, 1, still("idle"),
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintLabel(image, raster, "PRESS ENTER TO CONTINUE", 24.0f, 210.0f, 20.0f, kWhiteTop, kWhiteBottom);
         }},
        {"ScoreTitle", "hud_score_title.png", 480, 96, 1, still("idle"),
         [=](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             image.Paint(240.0f, 80.0f, kInk, 1.0f, RoundedBox(200.0f, 5.0f, 4.0f));
             image.PaintShaded(240.0f, 80.0f, Rows(kPale, kGold, 76.0f, 84.0f), 1.0f, RoundedBox(198.0f, 3.0f, 3.0f));
             PaintLabel(image, raster, "STAGE CLEAR!", 60.0f, 240.0f, 40.0f, yellow, yellowLow);
         }},
    };
}

// ---- The screens around play: backdrops, titles, the controls chart, the how-to-play pages,
// the credits, the title page and the transitions. ----

float LineWidth(const gfx::GlyphRasterizer& raster, const std::string& text, float em)
{
    float width = 0.0f;
    for (char c : text)
        width += raster.Rasterize(c, em).advance;
    return width;
}

// One line of text centred on cx with its capitals centred on cy, outlined and shaded like the
// fonts; only the band of rows around the line is worked on, so tall pictures stay quick.
void PaintLine(SpriteImage& image, const gfx::GlyphRasterizer& raster, const std::string& text, float em, float cx,
               float cy, const Rgb& top, const Rgb& bottom)
{
    const int band = int(em * 2.0f) + 8;
    const int originY = int(std::lround(cy)) - band / 2;
    Coverage shape(image.Width(), band);
    const gfx::GlyphBitmap capital = raster.Rasterize('H', em);
    const int baseline = band / 2 + int(std::lround(capital.height * 0.5f));
    StampLine(shape, raster, text, em, cx, baseline);
    PaintText(image, 0, originY, shape, std::max(1.5f, em / 14.0f), top, bottom, float(baseline - capital.height),
              float(baseline));
}

// As PaintLine, with the line's left end at x.
void PaintLineFrom(SpriteImage& image, const gfx::GlyphRasterizer& raster, const std::string& text, float em, float x,
                   float cy, const Rgb& top, const Rgb& bottom)
{
    PaintLine(image, raster, text, em, x + LineWidth(raster, text, em) * 0.5f, cy, top, bottom);
}

const Rgb kYellow{255, 250, 150}, kYellowLow{250, 196, 20}, kPanelTop{38, 46, 74};

// A title: yellow letters over a gold underline.
void PaintTitle(SpriteImage& image, const gfx::GlyphRasterizer& raster, const std::string& text, float em)
{
    const float cx = image.Width() * 0.5f, lineY = image.Height() - 12.0f;
    image.Paint(cx, lineY, kInk, 1.0f, RoundedBox(cx - 40.0f, 5.0f, 4.0f));
    image.PaintShaded(cx, lineY, Rows(kPale, kGold, lineY - 4.0f, lineY + 4.0f), 1.0f,
                      RoundedBox(cx - 42.0f, 3.0f, 3.0f));
    PaintLine(image, raster, text, em, cx, (image.Height() - 16.0f) * 0.5f, kYellow, kYellowLow);
}

// A row of a controls list: the action in gold on the left, the input in white on the right.
void PaintControlRow(SpriteImage& image, const gfx::GlyphRasterizer& raster, float left, float right, float cy,
                     const std::string& action, const std::string& input, float em)
{
    PaintLineFrom(image, raster, action, em, left, cy, kPale, kGold);
    PaintLine(image, raster, input, em, right - LineWidth(raster, input, em) * 0.5f, cy, kWhiteTop, kWhiteBottom);
}

// A full-screen cover of few pixels that the screens stretch: a navy gradient top to bottom,
// with a gold and ink rim along the bottom rows when rimmed.
void PaintCover(SpriteImage& image, int frameTop, int height, bool rimmed)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const int fromBottom = height - 1 - y;
            const Rgb colour = rimmed && fromBottom < 2   ? kInk
                               : rimmed && fromBottom < 5 ? kGold
                                                          : Mix(kPanelTop, kNight, float(y) / float(height - 1));
            image.Over(x, frameTop + y, colour, 1.0f);
        }
}

HudSheet ControlRow(const char* sprite, const char* file, const char* action, const char* input)
{
    return {sprite,
            file,
            460,
            40,
            1,
            {{"idle", 1, 1, 1}},
            [=](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
                PaintControlRow(image, raster, 12.0f, 448.0f, 20.0f, action, input, 22.0f);
            }};
}

HudSheet TitleSheet(const char* sprite, const char* file, const char* text, int width, float em)
{
    return {sprite,
            file,
            width,
            80,
            1,
            {{"idle", 1, 1, 1}},
            [=](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) { PaintTitle(image, raster, text, em); }};
}

// A block of lines in white, centred, one every `spacing` rows from the top.
HudSheet TextBlock(const char* sprite, const char* file, int width, int height, float em, float spacing,
                   std::vector<std::string> lines)
{
    return {sprite,
            file,
            width,
            height,
            1,
            {{"idle", 1, 1, 1}},
            [=](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
                for (size_t i = 0; i < lines.size(); ++i)
                    PaintLine(image, raster, lines[i], em, width * 0.5f, spacing * (float(i) + 0.5f), kWhiteTop,
                              kWhiteBottom);
            }};
}

// The credits: headings in gold, names and words in white, read from the top down.
void PaintCredits(SpriteImage& image, const gfx::GlyphRasterizer& raster)
{
    struct Line {
        char kind; // 'T' title, 'H' heading, 'L' line, ' ' gap
        const char* text;
    };
    static const Line kLines[] = {
        {'T', "THRUMMOCK"},
        {'L', "a side-scrolling voxel brawler"},
        {' ', ""},
        {'H', "GAME DESIGN"},
        {'L', "The Thrummock team"},
        {' ', ""},
        {'H', "PROGRAMMING"},
        {'L', "Engine, renderer and physics glue"},
        {'L', "Fighters, waves and bosses"},
        {'L', "Menus, cameras and the level editor"},
        {'L', "The Thrummock team"},
        {' ', ""},
        {'H', "VOXEL ART"},
        {'L', "Every hero, kobold, golem and island"},
        {'L', "built cube by cube by our generators"},
        {' ', ""},
        {'H', "SOUND AND MUSIC"},
        {'L', "Synthesized from scratch, note by note"},
        {' ', ""},
        {'H', "LEVELS"},
        {'L', "Pixeled Pitfight"},
        {'L', "Jade Jamboree"},
        {'L', "Heretic Hallway"},
        {' ', ""},
        {'H', "BUILT WITH"},
        {'L', "SDL2 and SDL_mixer"},
        {'L', "OpenGL 3.3"},
        {'L', "Bullet Physics"},
        {'L', "Dear ImGui"},
        {'L', "TinyXML-2"},
        {'L', "Liberation and DejaVu fonts"},
        {' ', ""},
        {'H', "PLAY TESTING"},
        {'L', "Everyone who fell off the arena"},
        {'L', "and pressed attack to get back up"},
        {' ', ""},
        {' ', ""},
        {'T', "THANKS FOR PLAYING!"},
    };
    float y = 60.0f;
    const float cx = image.Width() * 0.5f;
    for (const Line& line : kLines) {
        switch (line.kind) {
        case 'T':
            PaintLine(image, raster, line.text, 44.0f, cx, y, kYellow, kYellowLow);
            y += 80.0f;
            break;
        case 'H':
            PaintLine(image, raster, line.text, 30.0f, cx, y, kPale, kGold);
            y += 54.0f;
            break;
        case 'L':
            PaintLine(image, raster, line.text, 24.0f, cx, y, kWhiteTop, kWhiteBottom);
            y += 40.0f;
            break;
        default: y += 44.0f;
        }
    }
}

// The music volume of the options screen: "MUSIC" and ten steps, the first `lit` of them lit, the
// steps rising in height from left to right.
void PaintVolumeBar(SpriteImage& image, const gfx::GlyphRasterizer& raster, int frameTop, int lit)
{
    const float top = float(frameTop);
    PaintPanel(image, 180.0f, top + 24.0f, 177.0f, 21.0f, 10.0f, kGold, {38, 46, 74}, {24, 28, 48});
    PaintLabel(image, raster, "MUSIC", 17.0f, 52.0f, top + 24.0f, kPale, kGold);
    for (int step = 0; step < 10; ++step) {
        const float cx = 114.0f + 22.0f * float(step), height = 8.0f + 2.0f * float(step);
        const float cy = top + 37.0f - height * 0.5f;
        image.Paint(cx, cy, kInk, 1.0f, RoundedBox(8.0f, height * 0.5f + 1.5f, 2.5f));
        if (step < lit)
            image.PaintShaded(cx, cy, Rows(kYellow, kYellowLow, cy - height * 0.5f, cy + height * 0.5f), 1.0f,
                              RoundedBox(6.5f, height * 0.5f, 2.0f));
        else
            image.Paint(cx, cy, kNight, 1.0f, RoundedBox(6.5f, height * 0.5f, 2.0f));
    }
}

// A question or a line of a dialog in white, centred.
HudSheet QuestionSheet(const char* sprite, const char* file, const char* text)
{
    return {sprite,
            file,
            520,
            52,
            1,
            {{"idle", 1, 1, 1}},
            [=](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
                PaintLine(image, raster, text, 28.0f, 260.0f, 26.0f, kWhiteTop, kWhiteBottom);
            }};
}

// A plain panel of the buttons' look to lay a dialog on.
HudSheet PanelSheet(const char* sprite, const char* file, int width, int height)
{
    return {
        sprite, file, width, height, 1, {{"idle", 1, 1, 1}}, [=](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
            PaintPanel(image, width * 0.5f, height * 0.5f, width * 0.5f - 6.0f, height * 0.5f - 6.0f, 20.0f, kGold,
                       {38, 46, 74}, {16, 18, 32});
        }};
}

std::vector<HudSheet> ScreenSheets()
{
    static const char* const kVolumeSteps[] = {"vol0", "vol1", "vol2", "vol3", "vol4", "vol5",
                                               "vol6", "vol7", "vol8", "vol9", "vol10"};
    std::vector<HudAnimation> volume;
    for (int step = 0; step <= 10; ++step)
        volume.push_back({kVolumeSteps[step], 1, step + 1, step + 1});
    const auto still = std::vector<HudAnimation>{{"idle", 1, 1, 1}};
    const auto button = std::vector<HudAnimation>{{"idle", 1, 1, 1}, {"mouseover", 1, 1, 1}, {"mouseclick", 1, 1, 1}};
    // White covers that the screens stretch and fade.
    const auto white = [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
        image.Paint(2.0f, 2.0f, kWhiteTop, 1.0f, Rect(3.0f, 3.0f));
    };
    return {
        {"ScreenBackdrop", "screen_backdrop.png", 8, 112, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintCover(image, 0, 112, false); }},
        {"TransitCurtain", "screen_curtain.png", 8, 224, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintCover(image, 0, 224, true); }},
        // A button nobody sees: the transitions time themselves with its fading tween.
        {"TransitTimer", "screen_timer.png", 4, 4, 1, button, [](SpriteImage&, const gfx::GlyphRasterizer&, int) {}},
        {"SplashBG", "screen_white.png", 4, 4, 1, still, white},
        {"whiteout", "screen_whiteout.png", 4, 4, 1, still, white},
        // A dark band that fades out to its top and bottom, behind the title page's prompt.
        {"blackout", "screen_blackout.png", 8, 64, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             for (int y = 0; y < 64; ++y)
                 for (int x = 0; x < 8; ++x)
                     image.Over(x, y, kNight,
                                0.75f * std::clamp(1.6f * (1.0f - std::fabs(float(y) - 31.5f) / 32.0f), 0.0f, 1.0f));
         }},
        {"PressTitle", "screen_press_title.png", 420, 48, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintLine(image, raster, "PRESS ANY KEY", 30.0f, 210.0f, 24.0f, kWhiteTop, kWhiteBottom);
         }},
        {"SplashLogo", "screen_logo.png", 600, 200, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintPanel(image, 300.0f, 100.0f, 292.0f, 92.0f, 22.0f, kGold, {64, 78, 124}, {24, 28, 48});
             PaintLine(image, raster, "THRUMMOCK", 76.0f, 300.0f, 82.0f, kYellow, kYellowLow);
             PaintLine(image, raster, "A VOXEL BRAWLER", 22.0f, 300.0f, 150.0f, kWhiteTop, kWhiteBottom);
         }},
        {"ScreenPanel", "screen_panel.png", 540, 380, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             PaintPanel(image, 270.0f, 190.0f, 264.0f, 184.0f, 20.0f, kGold, {38, 46, 74}, {16, 18, 32});
         }},
        TitleSheet("TitleControls", "screen_title_controls.png", "CONTROLS", 420, 44.0f),
        TitleSheet("TitleLevelSelect", "screen_title_levels.png", "SELECT A LEVEL", 460, 40.0f),
        {"CtrlChart", "screen_controls_chart.png", 700, 290, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintPanel(image, 350.0f, 145.0f, 344.0f, 139.0f, 18.0f, kGold, {38, 46, 74}, {16, 18, 32});
             PaintLine(image, raster, "KEYBOARD", 24.0f, 190.0f, 34.0f, kYellow, kYellowLow);
             PaintLine(image, raster, "GAMEPAD", 24.0f, 530.0f, 34.0f, kYellow, kYellowLow);
             image.Paint(360.0f, 160.0f, kGold, 0.6f, Rect(1.0f, 110.0f));
             const char* const rows[][3] = {
                 {"MOVE", "ARROWS / WASD", "LEFT STICK"}, {"ATTACK", "J / C", "X"}, {"DODGE", "K / X", "A"},
                 {"SPECIAL", "L / Z  (HOLD)", "B / RT"},  {"ZOOM", "-", "HOLD LT"}, {"PAUSE", "ESC", "START"}};
             for (int i = 0; i < 6; ++i) {
                 const float cy = 76.0f + 36.0f * float(i);
                 PaintControlRow(image, raster, 28.0f, 340.0f, cy, rows[i][0], rows[i][1], 19.0f);
                 PaintLine(image, raster, rows[i][2], 19.0f, 530.0f, cy, kWhiteTop, kWhiteBottom);
             }
         }},
        {"PressContinue", "screen_press_continue.png", 460, 40, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintLine(image, raster, "PRESS ENTER OR SPACE TO GO ON", 22.0f, 230.0f, 20.0f, kWhiteTop, kWhiteBottom);
         }},
        {"CreditsText", "screen_credits.png", 600, 2000, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) { PaintCredits(image, raster); }},
        // What lies over a level or the title scene (pause, options, questions) dims it.
        {"ScreenShade", "screen_shade.png", 4, 4, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) {
             image.Paint(2.0f, 2.0f, kNight, 0.62f, Rect(3.0f, 3.0f));
         }},
        PanelSheet("PausePanel", "screen_pause_panel.png", 600, 240),
        PanelSheet("OptionsPanel", "screen_options_panel.png", 640, 400),
        PanelSheet("ConfirmPanel", "screen_confirm_panel.png", 540, 200),
        TitleSheet("TitlePause", "screen_title_pause.png", "PAUSED", 420, 44.0f),
        TitleSheet("TitleOptions", "screen_title_options.png", "OPTIONS", 420, 44.0f),
        {"OptionsVolume", "screen_volume.png", 360, 48, 11, volume,
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int frame) {
             PaintVolumeBar(image, raster, frame * 48, frame);
         }},
        QuestionSheet("ConfirmQuit", "screen_confirm_quit.png", "QUIT THE GAME?"),
        QuestionSheet("ConfirmMenu", "screen_confirm_menu.png", "LEAVE THE LEVEL FOR THE MENU?"),
        QuestionSheet("ConfirmRestart", "screen_confirm_restart.png", "RESTART THE LEVEL?"),
        TitleSheet("KEYBD1_Title", "howto_keyboard1_title.png", "KEYBOARD: ARROWS", 460, 34.0f),
        ControlRow("KEYBD1_Move", "howto_keyboard1_move.png", "MOVE", "ARROW KEYS"),
        ControlRow("KEYBD1_Dodge", "howto_keyboard1_dodge.png", "DODGE", "X"),
        ControlRow("KEYBD1_Atk", "howto_keyboard1_attack.png", "ATTACK", "C"),
        ControlRow("KEYBD1_Special", "howto_keyboard1_charge.png", "SPECIAL", "Z  (HOLD TO CHARGE)"),
        TitleSheet("KEYBD2_Title", "howto_keyboard2_title.png", "KEYBOARD: W A S D", 460, 34.0f),
        ControlRow("KEYBD2_Move", "howto_keyboard2_move.png", "MOVE", "W A S D"),
        ControlRow("KEYBD2_Dodge", "howto_keyboard2_dodge.png", "DODGE", "K"),
        ControlRow("KEYBD2_Atk", "howto_keyboard2_attack.png", "ATTACK", "J"),
        ControlRow("KEYBD2_Special", "howto_keyboard2_charge.png", "SPECIAL", "L  (HOLD TO CHARGE)"),
        TitleSheet("CTRL_Title", "howto_pad_title.png", "GAMEPAD", 460, 34.0f),
        ControlRow("CTRL_Move", "howto_pad_move.png", "MOVE", "LEFT STICK"),
        ControlRow("CTRL_Dodge", "howto_pad_dodge.png", "DODGE", "A"),
        ControlRow("CTRL_Atk", "howto_pad_attack.png", "ATTACK", "X"),
        ControlRow("CTRL_Special", "howto_pad_charge.png", "SPECIAL", "B OR RIGHT TRIGGER"),
        TitleSheet("INSTR_Title", "howto_title.png", "HOW TO PLAY", 460, 34.0f),
        TextBlock("INSTR_Text1", "howto_text1.png", 480, 200, 18.0f, 33.0f,
                  {"Kobolds, boars, skeletons, ghosts and golems", "storm the arena in waves.",
                   "Beat every wave to clear the level.", "Dodge to roll out of harm's way",
                   "and strike back while they recover.", "Knocked out? Press attack to get back up."}),
        TextBlock("INSTR_Text2", "howto_text2.png", 480, 200, 18.0f, 33.0f,
                  {"Land hit after hit to build your combo.", "Grab the crests that enemies drop:",
                   "they power up your special attack.", "Hold special to charge it, let go to strike.",
                   "Score: every foe and combo counts,", "every hit you take and every fall costs."}),
    };
}

// ---- The highscore screens: the table's title and the name entry's panel, title, controls line
// and letter cursor. ----

// An arrow pointing up, the letter cursor of the name entry; the entry turns it over for the
// cursor below the letter.
void PaintCursor(SpriteImage& image)
{
    const float cx = image.Width() * 0.5f, cy = image.Height() * 0.5f + 2.0f;
    const auto arrow = [](float halfWidth, float height) {
        return [=](float x, float y) {
            const float fromTop = y + height * 0.5f;
            return fromTop >= 0.0f && fromTop <= height && std::fabs(x) <= halfWidth * fromTop / height;
        };
    };
    image.Paint(cx + 2.0f, cy + 3.0f, kInk, 0.5f, arrow(40.0f, 44.0f));
    image.Paint(cx, cy, kInk, 1.0f, arrow(40.0f, 44.0f));
    image.PaintShaded(cx, cy + 2.0f, Rows(kPale, kGold, cy - 16.0f, cy + 22.0f), 1.0f, arrow(31.0f, 34.0f));
    image.Paint(cx, cy - 6.0f, kWhiteTop, 0.35f, arrow(12.0f, 14.0f));
}

// The name entry's panel: a dark inset slot behind each of the three letters, which stand 80
// units apart on the panel's middle row.
void PaintEntryPanel(SpriteImage& image)
{
    const float cx = image.Width() * 0.5f, cy = image.Height() * 0.5f;
    PaintPanel(image, cx, cy, cx - 4.0f, cy - 4.0f, 22.0f, kGold, {38, 46, 74}, {16, 18, 32});
    for (float dx : {-80.0f, 0.0f, 80.0f}) {
        image.Paint(cx + dx, cy, kInk, 1.0f, RoundedBox(27.0f, 36.0f, 8.0f));
        image.Paint(cx + dx, cy, kGold, 0.55f, RoundedBox(25.0f, 34.0f, 7.0f));
        image.PaintShaded(cx + dx, cy, Rows(kNight, kNightLow, cy - 32.0f, cy + 32.0f), 1.0f,
                          RoundedBox(23.0f, 32.0f, 6.0f));
    }
}

std::vector<HudSheet> HighscoreSheets()
{
    const auto still = std::vector<HudAnimation>{{"idle", 1, 1, 1}};
    return {
        TitleSheet("TitleHighscores", "screen_title_highscores.png", "HIGHSCORES", 460, 40.0f),
        TitleSheet("HighscoreEntryTitle", "highscore_entry_title.png", "NEW HIGHSCORE!", 460, 36.0f),
        {"HighscoreEntryPanel", "highscore_entry_panel.png", 400, 360, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintEntryPanel(image); }},
        {"HighscoreEntryHint", "highscore_entry_hint.png", 400, 60, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer& raster, int) {
             PaintLine(image, raster, "UP / DOWN: LETTER    LEFT / RIGHT: MOVE", 15.0f, 200.0f, 16.0f, kWhiteTop,
                       kWhiteBottom);
             PaintLine(image, raster, "ENTER OR PAD A: DONE", 17.0f, 200.0f, 43.0f, kPale, kGold);
         }},
        {"HighscoreCursor", "highscore_cursor.png", 96, 56, 1, still,
         [](SpriteImage& image, const gfx::GlyphRasterizer&, int) { PaintCursor(image); }},
    };
}

bool MakeHudSheet(const gfx::GlyphRasterizer& raster, const HudSheet& sheet, const std::string& path)
{
    SpriteImage image(sheet.width, sheet.height * sheet.frames);
    for (int frame = 0; frame < sheet.frames; ++frame)
        sheet.paint(image, raster, frame);
    return image.Write(path, "gen_gui_sprites");
}

std::string HudEntry(const HudSheet& sheet)
{
    std::ostringstream xml;
    xml << "  <" << sheet.sprite << ">\n    <dimension width=\"" << sheet.width << "\" height=\""
        << sheet.height * sheet.frames << "\" xgrid=\"1\" ygrid=\"" << sheet.frames << "\"/>\n"
        << "    <texture path=\"assets/textures/" << sheet.file << "\"/>\n";
    for (const HudAnimation& a : sheet.animations)
        xml << "    <animation name=\"" << a.name << "\" fps=\"" << a.fps << "\" start=\"" << a.start << "\" end=\""
            << a.end << "\"/>\n";
    xml << "  </" << sheet.sprite << ">\n";
    return xml.str();
}

// Replaces the generated block of sprites.xml (inserted before the closing tag the first time).
bool WriteSpriteEntries(const std::string& path, const std::string& entries)
{
    const std::string begin = "  <!-- gen_gui_sprites: begin -->\n", end = "  <!-- gen_gui_sprites: end -->\n";
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string xml = buffer.str();
    const size_t from = xml.find(begin), to = xml.find(end);
    const std::string block = begin + entries + end;
    if (from != std::string::npos && to != std::string::npos && to > from)
        xml.replace(from, to + end.size() - from, block);
    else if (const size_t close = xml.rfind("</sprites>"); close != std::string::npos)
        xml.insert(close, block);
    else {
        std::fprintf(stderr, "gen_gui_sprites: %s has no sprites element\n", path.c_str());
        return false;
    }
    return Vesk::WriteFileAtomically(path, xml, "gen_gui_sprites");
}

} // namespace

int main(int argc, char** argv)
{
    const std::string assets = argc > 1 ? argv[1] : "bin/assets";
    const auto mono = OpenFirst({"/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
                                 "/usr/share/fonts/truetype/liberation2/LiberationMono-Bold.ttf"});
    const auto sans = OpenFirst({"/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
                                 "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
                                 "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"});
    if (!mono || !sans)
        return 1;
    int failures = 0;
    std::string entries;
    for (const FontStyle& style : kFonts) {
        if (!MakeFont(*mono, style, assets + "/textures/" + style.file))
            ++failures;
        entries += FontEntry(style);
    }
    for (const ButtonSheet& sheet : kButtons) {
        if (!MakeButton(*sans, sheet, assets + "/textures/" + sheet.file))
            ++failures;
        entries += ButtonEntries(sheet);
    }
    std::vector<HudSheet> sheets = HudSheets();
    for (HudSheet& sheet : ScreenSheets())
        sheets.push_back(std::move(sheet));
    for (HudSheet& sheet : HighscoreSheets())
        sheets.push_back(std::move(sheet));
    for (const HudSheet& sheet : sheets) {
        if (!MakeHudSheet(*sans, sheet, assets + "/textures/" + sheet.file))
            ++failures;
        entries += HudEntry(sheet);
    }
    if (failures)
        std::fprintf(stderr, "gen_gui_sprites: %d sheets could not be written\n", failures);
    return failures || !WriteSpriteEntries(assets + "/sprites.xml", entries) ? 1 : 0;
}
