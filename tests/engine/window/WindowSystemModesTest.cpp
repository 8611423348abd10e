// The display-mode list (filter, order, fallback), the resolution choice, the windowed placement
// inside the desktop, mode switches and the main window's creation on the headless driver, whose
// stand-in list is 800x600, 1024x768, 1280x720 and 1920x1080. CTest runs every test in its own
// process, so the singleton starts fresh in each.
#include "platform/win/Video.h"
#include "window/CWindowSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using Vesk::CWindowSystem;
using win::DisplayMode;

namespace {

using Sizes = std::vector<std::pair<int, int>>;

Sizes SizesOf(const std::vector<DisplayMode>& modes)
{
    Sizes out;
    for (const DisplayMode& mode : modes)
        out.emplace_back(mode.width, mode.height);
    return out;
}

DisplayMode Mode(int width, int height, int refresh = 60, int bpp = 32)
{
    return DisplayMode{width, height, bpp, refresh};
}

class HeadlessWindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (win::HasRealDisplay())
            GTEST_SKIP() << "needs the headless driver's fixed mode list";
    }
    CWindowSystem& m_System = CWindowSystem::GetInstance();
};

} // namespace

TEST(DisplayModeFilterTest, KeepsUsableLandscapeModesSortedOnce)
{
    const DisplayMode desktop = Mode(1366, 768);
    const struct {
        const char* name;
        std::vector<DisplayMode> reported;
        Sizes expected;
    } cases[] = {
        {"portrait", {Mode(1080, 1920), Mode(1024, 768)}, {{1024, 768}}},
        {"square", {Mode(1024, 1024), Mode(1280, 720)}, {{1280, 720}}},
        {"narrower than 800", {Mode(640, 480), Mode(799, 600), Mode(800, 600)}, {{800, 600}}},
        {"below 60 Hz", {Mode(1024, 768, 59), Mode(1280, 720, 75)}, {{1280, 720}}},
        {"refresh unknown", {Mode(1024, 768, 0)}, {{1024, 768}}},
        {"below 8 bits", {Mode(1024, 768, 60, 4), Mode(1280, 1024, 60, 8)}, {{1280, 1024}}},
        {"duplicates",
         {Mode(1280, 720, 60), Mode(1280, 720, 75), Mode(800, 600), Mode(1280, 720, 60, 16)},
         {{800, 600}, {1280, 720}}},
        {"unsorted",
         {Mode(1920, 1080), Mode(800, 600), Mode(1280, 1024), Mode(1280, 720)},
         {{800, 600}, {1280, 720}, {1280, 1024}, {1920, 1080}}},
        {"empty: the desktop", {}, {{1366, 768}}},
        {"nothing usable: the desktop", {Mode(640, 480), Mode(1024, 768, 30)}, {{1366, 768}}},
        {"no height", {Mode(800, 0), Mode(900, -5)}, {{1366, 768}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, SizesOf(Vesk::FilterDisplayModes(c.reported, desktop)));
    }
}

TEST(DisplayModeChoiceTest, PrefersTheNearestWidthAtTheNativeAspect)
{
    const std::vector<DisplayMode> modes = {Mode(800, 600),   Mode(1024, 768), Mode(1280, 720),
                                            Mode(1280, 1024), Mode(1366, 768), Mode(1920, 1080)};
    const struct {
        int requested;
        unsigned expected;
    } cases[] = {
        {500, 0},             // nothing nearer at the native aspect: the first mode stays
        {1280, 2},            // exact width and aspect
        {1920, 5}, {1366, 2}, // 1366x768 is a hair off 16:9, so it never beats 1280x720
        {1000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.requested);
        EXPECT_EQ(c.expected, Vesk::ChooseResolutionIndex(modes, c.requested));
    }
    // Ties go to the later mode.
    EXPECT_EQ(1u, Vesk::ChooseResolutionIndex({Mode(1024, 576), Mode(1280, 720), Mode(1920, 1080)}, 1152));
    EXPECT_EQ(0u, Vesk::ChooseResolutionIndex({Mode(1024, 768)}, 500));
    EXPECT_EQ(0u, Vesk::ChooseResolutionIndex({}, 500));
}

// A framed window in a 1920 x 1040 usable area below a 40-pixel top bar, with 8-pixel sides and
// a 30-pixel title bar.
TEST(WindowedPlacementTest, KeepsTheWholeWindowInsideTheUsableArea)
{
    win::Rect area;
    area.left = 0, area.top = 40, area.right = 1920, area.bottom = 1080;
    const win::BorderSizes borders{8, 30, 8, 8};
    const struct {
        const char* name;
        int x, y, width, height;
        int left, top, clientWidth, clientHeight;
    } cases[] = {
        {"fits as asked", 100, 100, 800, 600, 100, 100, 800, 600},
        {"the desktop's own size shrinks at its aspect", 10, 10, 1920, 1080, 10, 70, 1781, 1002},
        {"moved in from the right and bottom edges", 1500, 900, 800, 600, 1112, 472, 800, 600},
        {"moved in from the left and top edges", -50, 0, 640, 480, 8, 70, 640, 480},
        {"taller than the area", 0, 0, 1000, 3000, 8, 70, 334, 1002},
    };
    for (const auto& c : cases) {
        const win::Rect client = Vesk::FitWindowInArea(c.x, c.y, c.width, c.height, borders, area);
        EXPECT_EQ(client.left, c.left) << c.name;
        EXPECT_EQ(client.top, c.top) << c.name;
        EXPECT_EQ(client.Width(), c.clientWidth) << c.name;
        EXPECT_EQ(client.Height(), c.clientHeight) << c.name;
        EXPECT_GE(client.left - borders.left, area.left) << c.name;
        EXPECT_GE(client.top - borders.top, area.top) << c.name;
        EXPECT_LE(client.right + borders.right, area.right) << c.name;
        EXPECT_LE(client.bottom + borders.bottom, area.bottom) << c.name;
    }
}

TEST_F(HeadlessWindowSystemTest, ListsAndLogsTheModes)
{
    ::testing::internal::CaptureStdout();
    m_System.EnumerateDisplayModes();
    EXPECT_EQ("Res: #0: 800 600\nRes: #1: 1024 768\nRes: #2: 1280 720\nRes: #3: 1920 1080\n",
              ::testing::internal::GetCapturedStdout());

    std::vector<std::pair<int, int>> pairs = {{1, 1}};
    m_System.GetDisplayModes(pairs);
    EXPECT_EQ((Sizes{{800, 600}, {1024, 768}, {1280, 720}, {1920, 1080}}), pairs);
    EXPECT_EQ(1920, m_System.GetMaxScreenWidth());
    EXPECT_EQ(1080, m_System.GetMaxScreenHeight());
    EXPECT_TRUE(m_System.IsResolutionSupported(1280, 720));
    EXPECT_FALSE(m_System.IsResolutionSupported(1280, 1024));
}

TEST_F(HeadlessWindowSystemTest, ChoosesAndLogsTheResolution)
{
    m_System.EnumerateDisplayModes();
    int width = 0, height = 0;
    ::testing::internal::CaptureStdout();
    m_System.ChooseResolution(500, width, height);
    EXPECT_EQ("Aspect Ratio: 1920  1080\nChosen Res: 800 600\n", ::testing::internal::GetCapturedStdout());
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);
    EXPECT_EQ(0u, m_System.GetChosenModeIndex());
}

TEST_F(HeadlessWindowSystemTest, ModeIndicesWrapAndSetResolutionFallsBackToTheChoice)
{
    const struct {
        unsigned index;
        unsigned applied;
        int width, height;
    } applies[] = {{5, 1, 1024, 768}, {4, 0, 800, 600}, {3, 3, 1920, 1080}, {2u - 4u, 2, 1280, 720}};
    int backWidth = 0, backHeight = 0, restores = 0;
    Vesk::WindowHooks hooks;
    hooks.resizeBackBuffer = [&](int& width, int& height, bool) {
        backWidth = width;
        backHeight = height;
    };
    hooks.restoreDevice = [&] { ++restores; };
    m_System.SetHooks(hooks);
    for (const auto& c : applies) {
        SCOPED_TRACE(c.index);
        m_System.ApplyDisplayMode(c.index);
        EXPECT_EQ(c.applied, m_System.GetChosenModeIndex());
        EXPECT_EQ(c.width, m_System.GetClientWidth());
        EXPECT_EQ(c.height, m_System.GetClientHeight());
        EXPECT_EQ(c.width, backWidth) << "the back buffer follows the mode";
        EXPECT_EQ(c.height, backHeight);
    }
    EXPECT_EQ(4, restores) << "every mode change restores the device";
    m_System.SetHooks({});

    m_System.SetResolution(1280, 720);
    EXPECT_EQ(2u, m_System.GetChosenModeIndex());
    m_System.SetResolution(1000, 700); // no such mode: the choice for width 1000
    EXPECT_EQ(0u, m_System.GetChosenModeIndex());
    EXPECT_EQ(800, m_System.GetClientWidth());
}

TEST_F(HeadlessWindowSystemTest, SmallRequestCreatesTheWindowAtTheChosenMode)
{
    ASSERT_TRUE(m_System.CreateMainWindow(10, 10, 500, 280, "Thrummock", false)) << m_System.GetErrorMessage();
    win::Window* window = m_System.GetWindow();
    ASSERT_NE(nullptr, window);
    int width = 0, height = 0;
    window->GetClientSize(width, height);
    EXPECT_EQ(800, width);
    EXPECT_EQ(600, height);
    EXPECT_EQ(800, m_System.GetClientWidth());
    EXPECT_EQ(600, m_System.GetClientHeight());
    EXPECT_GE(m_System.GetWindowWidth(), 800);
    EXPECT_TRUE(m_System.IsWindowed());
    EXPECT_FALSE(window->IsFullscreen());
    EXPECT_EQ("Thrummock", window->GetTitle());

    m_System.SetResolution(m_System.GetMaxScreenWidth(), m_System.GetMaxScreenHeight());
    window->GetClientSize(width, height);
    EXPECT_EQ(1920, width);
    EXPECT_EQ(1080, height);
    EXPECT_EQ(1920, m_System.GetClientWidth());

    m_System.ToggleFullScreen();
    EXPECT_FALSE(m_System.IsWindowed());
    EXPECT_TRUE(window->IsFullscreen());
    window->GetClientSize(width, height);
    EXPECT_EQ(1920, width);
    EXPECT_EQ(1080, height);

    m_System.ToggleFullScreen();
    EXPECT_TRUE(m_System.IsWindowed());
    EXPECT_FALSE(window->IsFullscreen());
    m_System.DestroyMainWindow();
    EXPECT_EQ(nullptr, m_System.GetWindow());
}

TEST_F(HeadlessWindowSystemTest, FullScreenWindowAtAnExactMode)
{
    ASSERT_TRUE(m_System.CreateMainWindow(10, 10, 1280, 720, "Thrummock", true)) << m_System.GetErrorMessage();
    EXPECT_FALSE(m_System.IsWindowed());
    EXPECT_EQ(2u, m_System.GetChosenModeIndex());
    EXPECT_TRUE(m_System.GetWindow()->IsFullscreen());
    EXPECT_EQ(1280, m_System.GetClientWidth());
    m_System.DestroyMainWindow();
}

TEST(WindowSystemCreationTest, WithoutAVideoDriverCreationFailsWithAMessage)
{
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = previous ? previous : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    CWindowSystem& system = CWindowSystem::GetInstance();
    const bool created = system.CreateMainWindow(10, 10, 500, 280, "Thrummock", false);
    if (previous)
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_VIDEODRIVER");

    EXPECT_FALSE(created);
    EXPECT_EQ(nullptr, system.GetWindow());
    EXPECT_EQ(0u, system.GetErrorMessage().rfind("CWindowSystem:: Unable to create the main window: ", 0))
        << system.GetErrorMessage();
    EXPECT_GT(system.GetDisplayModeCount(), 0u);
}
