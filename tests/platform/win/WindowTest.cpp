// A real window on the headless video driver: creation, placement by client area, full screen,
// the display-mode stand-in list, and the video subsystem's reference count.
#include "platform/win/Window.h"
#include "platform/win/DisplayModes.h"
#include "platform/win/Video.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace win;

namespace {

WindowDesc Desc(int width, int height, uint32_t style)
{
    WindowDesc desc;
    desc.x = 10;
    desc.y = 10;
    desc.width = width;
    desc.height = height;
    desc.title = "Window test";
    desc.style = style;
    return desc;
}

} // namespace

TEST(WindowTest, CreatesPlacesAndReadsBackTheClientSize)
{
    std::unique_ptr<Window> window = Window::Create(Desc(500, 280, WS_SYSMENU | WS_MINIMIZEBOX));
    ASSERT_NE(nullptr, window) << Window::LastError();
    ASSERT_NE(nullptr, window->NativeHandle());

    int width = 0, height = 0;
    window->GetClientSize(width, height);
    EXPECT_EQ(500, width);
    EXPECT_EQ(280, height);

    window->SetPlacement(20, 30, 640, 480);
    window->GetClientSize(width, height);
    EXPECT_EQ(640, width);
    EXPECT_EQ(480, height);
    const Rect outer = window->GetWindowRect();
    const BorderSizes borders = window->GetBorderSizes();
    EXPECT_EQ(640 + borders.left + borders.right, outer.Width());
    EXPECT_EQ(480 + borders.top + borders.bottom, outer.Height());

    window->SetTitle("Renamed");
    EXPECT_EQ("Renamed", window->GetTitle());
    EXPECT_STREQ("Renamed", SDL_GetWindowTitle(window->NativeHandle()));
}

TEST(WindowTest, StyleWordChoosesTheFrameAndVisibility)
{
    std::unique_ptr<Window> popup = Window::Create(Desc(320, 200, WS_POPUP | WS_VISIBLE));
    ASSERT_NE(nullptr, popup) << Window::LastError();
    const Uint32 flags = SDL_GetWindowFlags(popup->NativeHandle());
    EXPECT_TRUE(flags & SDL_WINDOW_BORDERLESS);
    EXPECT_TRUE(flags & SDL_WINDOW_SHOWN);

    std::unique_ptr<Window> hidden = Window::Create(Desc(320, 200, WS_SYSMENU));
    ASSERT_NE(nullptr, hidden);
    EXPECT_FALSE(SDL_GetWindowFlags(hidden->NativeHandle()) & SDL_WINDOW_SHOWN);
}

TEST(WindowTest, FullScreenKeepsTheRequestedSizeAndReturns)
{
    WindowDesc desc = Desc(1280, 720, 0x90080008u);
    desc.fullscreen = true;
    desc.topmost = true;
    std::unique_ptr<Window> window = Window::Create(desc);
    ASSERT_NE(nullptr, window) << Window::LastError();
    EXPECT_TRUE(window->IsFullscreen());
    int width = 0, height = 0;
    window->GetClientSize(width, height);
    EXPECT_EQ(1280, width);
    EXPECT_EQ(720, height);

    window->SetFullscreen(false, 0, 0);
    EXPECT_FALSE(window->IsFullscreen());
    window->SetFullscreen(true, 800, 600);
    EXPECT_TRUE(window->IsFullscreen());
    window->GetClientSize(width, height);
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);
}

TEST(DisplayModesTest, HeadlessDriversOfferTheFixedList)
{
    if (HasRealDisplay())
        GTEST_SKIP() << "a real display reports its own modes";
    const std::vector<DisplayMode>& fallback = FallbackDisplayModes();
    ASSERT_EQ(4u, fallback.size());
    std::vector<DisplayMode> listed;
    DisplayMode mode;
    for (int i = 0; EnumDisplaySettings(i, mode) && i < 100; ++i)
        listed.push_back(mode);
    ASSERT_EQ(fallback.size(), listed.size());
    const int sizes[4][2] = {{800, 600}, {1024, 768}, {1280, 720}, {1920, 1080}};
    for (size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(sizes[i][0], listed[i].width);
        EXPECT_EQ(sizes[i][1], listed[i].height);
        EXPECT_EQ(32, listed[i].bitsPerPixel);
        EXPECT_EQ(60, listed[i].refreshHz);
    }
    EXPECT_FALSE(EnumDisplaySettings(-1, mode));

    const DisplayMode desktop = GetDesktopMode();
    EXPECT_GT(desktop.width, 0);
    EXPECT_GT(desktop.height, 0);
    EXPECT_GE(desktop.bitsPerPixel, 8);
}

TEST(VideoTest, StaysUpUntilTheLastUserReleasesIt)
{
    ASSERT_EQ(0u, SDL_WasInit(SDL_INIT_VIDEO));
    ASSERT_TRUE(AcquireVideo());
    ASSERT_TRUE(AcquireVideo());
    ReleaseVideo();
    EXPECT_NE(0u, SDL_WasInit(SDL_INIT_VIDEO));
    ReleaseVideo();
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_VIDEO));
    ReleaseVideo(); // one release too many is harmless
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_VIDEO));
}
