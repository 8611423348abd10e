// Generates the GUI's sprite sheets: the five sprite fonts and the labelled buttons, their images
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
// animations "idle", "mouseover" and "mouseclick".
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

void PaintFace(SpriteImage& image, int frameTop, int width, const ButtonStyle& style)
{
    const float cx = float(width) * 0.5f, cy = float(frameTop) + kButtonHeight * 0.5f;
    const float hw = float(width) * 0.5f - 3.0f, hh = kButtonHeight * 0.5f - 3.0f;
    image.Paint(cx + 2.0f, cy + 3.0f, kInk, 0.5f, RoundedBox(hw, hh, 12.0f));
    image.Paint(cx, cy, kInk, 1.0f, RoundedBox(hw, hh, 12.0f));
    image.Paint(cx, cy, style.border, 1.0f, RoundedBox(hw - 2.0f, hh - 2.0f, 10.0f));
    const auto inner = RoundedBox(hw - 5.0f, hh - 5.0f, 7.0f);
    image.PaintShaded(
        cx, cy,
        [&](int y) { return Mix(style.faceTop, style.faceBottom, float(y - frameTop) / float(kButtonHeight - 1)); },
        1.0f, inner);
    // A thin sheen under the upper rim.
    image.Paint(cx, cy, kPale, 0.18f, [&](float x, float y) { return y < -hh + 12.0f && inner(x, y); });
}

bool MakeButton(const gfx::GlyphRasterizer& raster, const ButtonSheet& sheet, const std::string& path)
{
    const int width = sheet.arrow == Arrow::None ? kButtonWidth : kArrowWidth;
    SpriteImage image(width, kButtonHeight * 3);
    // The label laid out once; each frame paints it at its own drop.
    std::vector<gfx::GlyphBitmap> glyphs;
    float textWidth = 0.0f;
    for (const char* c = sheet.label; *c; ++c) {
        glyphs.push_back(raster.Rasterize(*c, kLabelEm));
        textWidth += glyphs.back().advance;
    }
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
        float pen = (float(width) - textWidth) * 0.5f;
        for (const gfx::GlyphBitmap& glyph : glyphs) {
            Stamp(text, glyph, pen, baseline);
            pen += glyph.advance;
        }
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
    if (failures)
        std::fprintf(stderr, "gen_gui_sprites: %d sheets could not be written\n", failures);
    return failures || !WriteSpriteEntries(assets + "/sprites.xml", entries) ? 1 : 0;
}
