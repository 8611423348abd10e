#include "platform/win/DisplayModes.h"

#include "platform/win/Video.h"

#include <SDL.h>

namespace win {

namespace {

// Holds the video subsystem for the length of one query.
class VideoScope {
public:
    VideoScope() : m_Ok(AcquireVideo()) {}
    ~VideoScope()
    {
        if (m_Ok)
            ReleaseVideo();
    }
    VideoScope(const VideoScope&) = delete;
    VideoScope& operator=(const VideoScope&) = delete;
    bool Ok() const { return m_Ok; }

private:
    bool m_Ok;
};

DisplayMode FromSdl(const SDL_DisplayMode& mode)
{
    DisplayMode out;
    out.width = mode.w;
    out.height = mode.h;
    out.bitsPerPixel = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    out.refreshHz = mode.refresh_rate;
    return out;
}

// The headless drivers report a single placeholder mode; they get the fixed list instead.
bool UsesFallbackList() { return !HasRealDisplay() || SDL_GetNumDisplayModes(0) < 1; }

} // namespace

const std::vector<DisplayMode>& FallbackDisplayModes()
{
    static const std::vector<DisplayMode> modes = {
        {800, 600, 32, 60}, {1024, 768, 32, 60}, {1280, 720, 32, 60}, {1920, 1080, 32, 60}};
    return modes;
}

bool EnumDisplaySettings(int index, DisplayMode& out)
{
    if (index < 0)
        return false;
    VideoScope video;
    if (!video.Ok() || UsesFallbackList()) {
        const std::vector<DisplayMode>& modes = FallbackDisplayModes();
        if (static_cast<size_t>(index) >= modes.size())
            return false;
        out = modes[static_cast<size_t>(index)];
        return true;
    }
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, index, &mode) != 0)
        return false;
    out = FromSdl(mode);
    return true;
}

bool GetUsableDesktopArea(Rect& out)
{
    VideoScope video;
    SDL_Rect area;
    if (!video.Ok() || !HasRealDisplay() || SDL_GetDisplayUsableBounds(0, &area) != 0 || area.w <= 0 || area.h <= 0)
        return false;
    out.left = area.x;
    out.top = area.y;
    out.right = area.x + area.w;
    out.bottom = area.y + area.h;
    return true;
}

DisplayMode GetDesktopMode()
{
    VideoScope video;
    SDL_DisplayMode mode;
    if (video.Ok() && SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        DisplayMode out = FromSdl(mode);
        if (out.bitsPerPixel == 0)
            out.bitsPerPixel = 32;
        return out;
    }
    return DisplayMode{1280, 720, 32, 60};
}

} // namespace win
