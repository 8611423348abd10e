#include "window/CWindowSystem.h"

#include "platform/win/Video.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace Vesk {

namespace {

// Window style words: the window as first created, the framed window after a mode change, and the
// full-screen window (its low bits are the top-most flag's value, meaningless in a style word).
constexpr uint32_t kCreateWindowedStyle = 0x000A0000u;
constexpr uint32_t kWindowedStyle = 0x00CA0000u;
constexpr uint32_t kFullScreenStyle = 0x90080008u;

// While suspended no frame runs; the loop sleeps until a message comes rather than spin.
constexpr int kSuspendedWaitMs = 50;

bool SameSize(const win::DisplayMode& a, const win::DisplayMode& b)
{
    return a.width == b.width && a.height == b.height;
}

double AspectOf(const win::DisplayMode& mode)
{
    return mode.height > 0 ? static_cast<double>(mode.width) / mode.height : 0.0;
}

} // namespace

std::vector<win::DisplayMode> FilterDisplayModes(const std::vector<win::DisplayMode>& reported,
                                                 const win::DisplayMode& whenEmpty)
{
    std::vector<win::DisplayMode> kept;
    for (const win::DisplayMode& mode : reported) {
        const bool refreshOk = mode.refreshHz == 0 || mode.refreshHz >= 60;
        if (mode.bitsPerPixel < 8 || mode.height <= 0 || mode.width <= mode.height || !refreshOk || mode.width < 800)
            continue;
        if (!kept.empty() && SameSize(kept.back(), mode))
            continue;
        kept.push_back(mode);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const win::DisplayMode& a, const win::DisplayMode& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
    kept.erase(std::unique(kept.begin(), kept.end(), SameSize), kept.end());
    if (kept.empty())
        kept.push_back(whenEmpty);
    return kept;
}

unsigned ChooseResolutionIndex(const std::vector<win::DisplayMode>& modes, int requestedWidth)
{
    if (modes.empty())
        return 0;
    const double native = AspectOf(modes.back());
    const auto widthDistance = [requestedWidth](const win::DisplayMode& mode) {
        return std::fabs(static_cast<double>(mode.width) - requestedWidth);
    };
    const auto aspectDistance = [native](const win::DisplayMode& mode) { return std::fabs(native - AspectOf(mode)); };

    unsigned pick = 0;
    for (unsigned i = 1; i < modes.size(); ++i) {
        const win::DisplayMode& mode = modes[i];
        if (widthDistance(mode) <= widthDistance(modes[pick]) && aspectDistance(mode) <= aspectDistance(modes[pick]) &&
            std::fabs(mode.height * native - mode.width) < 10.0)
            pick = i;
    }
    return pick;
}

win::Rect FitWindowInArea(int x, int y, int width, int height, const win::BorderSizes& borders, const win::Rect& area)
{
    const int roomX = std::max(1, area.Width() - borders.left - borders.right);
    const int roomY = std::max(1, area.Height() - borders.top - borders.bottom);
    if (width > roomX || height > roomY) {
        // The side that meets the area first takes all its room; the other follows the aspect.
        const int64_t w = std::max(width, 1), h = std::max(height, 1);
        if (w * roomY > h * roomX) {
            width = roomX;
            height = static_cast<int>(std::max<int64_t>(1, h * roomX / w));
        } else {
            height = roomY;
            width = static_cast<int>(std::max<int64_t>(1, w * roomY / h));
        }
    }
    x = std::clamp(x, area.left + borders.left, area.right - borders.right - width);
    y = std::clamp(y, area.top + borders.top, area.bottom - borders.bottom - height);
    win::Rect client;
    client.left = x;
    client.top = y;
    client.right = x + width;
    client.bottom = y + height;
    return client;
}

bool CWindowSystem::CreateMainWindow(int x, int y, int width, int height, const std::string& title, bool fullscreen)
{
    m_ErrorMessage.clear();
    EnumerateDisplayModes();
    const int exact = FindMode(width, height);
    if (exact >= 0)
        m_ChosenMode = static_cast<unsigned>(exact);
    else
        ChooseResolution(width, width, height);

    win::WindowDesc desc;
    desc.width = width;
    desc.height = height;
    desc.title = title;
    desc.fullscreen = fullscreen;
    if (fullscreen) {
        desc.style = kFullScreenStyle;
        desc.topmost = true;
    } else {
        desc.style = kCreateWindowedStyle;
        desc.x = x;
        desc.y = y;
    }
    m_Window.reset();
    m_Window = win::Window::Create(desc);
    if (!m_Window) {
        m_ErrorMessage = "CWindowSystem:: Unable to create the main window: " + win::Window::LastError();
        return false;
    }

    m_X = x;
    m_Y = y;
    m_Title = title;
    m_Windowed = !fullscreen;
    m_ClientWidth = width;
    m_ClientHeight = height;
    if (m_Windowed)
        PlaceWindowed(width, height);
    GrowByBorders();
    return true;
}

void CWindowSystem::PlaceWindowed(int width, int height)
{
    win::Rect client;
    client.left = m_X;
    client.top = m_Y;
    client.right = m_X + width;
    client.bottom = m_Y + height;
    win::Rect area;
    if (m_Window && win::GetUsableDesktopArea(area))
        client = FitWindowInArea(m_X, m_Y, width, height, m_Window->GetBorderSizes(), area);
    if (m_Window)
        m_Window->SetPlacement(client.left, client.top, client.Width(), client.Height());
    m_ClientWidth = client.Width();
    m_ClientHeight = client.Height();
}

void CWindowSystem::DestroyMainWindow()
{
    m_Window.reset();
    // No window, no client area: nothing reads the last window's size.
    m_ClientWidth = 0;
    m_ClientHeight = 0;
}

void CWindowSystem::EnumerateDisplayModes()
{
    // Keeps the video driver up across the queries.
    const bool video = win::AcquireVideo();
    std::vector<win::DisplayMode> reported;
    win::DisplayMode mode;
    for (int i = 0; win::EnumDisplaySettings(i, mode); ++i)
        reported.push_back(mode);
    m_Modes = FilterDisplayModes(reported, win::GetDesktopMode());
    if (video)
        win::ReleaseVideo();

    for (size_t i = 0; i < m_Modes.size(); ++i)
        std::cout << "Res: #" << i << ": " << m_Modes[i].width << " " << m_Modes[i].height << "\n";
}

const std::vector<win::DisplayMode>& CWindowSystem::Modes()
{
    if (m_Modes.empty())
        EnumerateDisplayModes();
    return m_Modes;
}

int CWindowSystem::FindMode(int width, int height) const
{
    for (size_t i = 0; i < m_Modes.size(); ++i)
        if (m_Modes[i].width == width && m_Modes[i].height == height)
            return static_cast<int>(i);
    return -1;
}

bool CWindowSystem::IsResolutionSupported(int width, int height) const { return FindMode(width, height) >= 0; }

void CWindowSystem::ChooseResolution(int requestedWidth, int& outWidth, int& outHeight)
{
    const std::vector<win::DisplayMode>& modes = Modes();
    std::cout << "Aspect Ratio: " << modes.back().width << "  " << modes.back().height << "\n";
    m_ChosenMode = ChooseResolutionIndex(modes, requestedWidth);
    outWidth = modes[m_ChosenMode].width;
    outHeight = modes[m_ChosenMode].height;
    std::cout << "Chosen Res: " << outWidth << " " << outHeight << "\n";
}

void CWindowSystem::SetResolution(int width, int height)
{
    Modes(); // the list is enumerated on first use
    int index = FindMode(width, height);
    if (index < 0) {
        int chosenWidth = 0, chosenHeight = 0;
        ChooseResolution(width, chosenWidth, chosenHeight);
        index = static_cast<int>(m_ChosenMode);
    }
    ApplyDisplayMode(static_cast<unsigned>(index));
}

void CWindowSystem::ApplyDisplayMode(unsigned index)
{
    const std::vector<win::DisplayMode>& modes = Modes();
    m_ChosenMode = index % static_cast<unsigned>(modes.size());
    const int width = modes[m_ChosenMode].width;
    const int height = modes[m_ChosenMode].height;
    m_WindowWidth = width;
    m_WindowHeight = height;

    if (!m_Windowed) {
        if (m_Window) {
            m_Window->SetTopmost(false);
            m_Window->SetStyle(win::WS_POPUP);
            m_Window->SetPlacement(0, 0, width, height);
            m_Window->SetFullscreen(true, width, height);
            m_Window->Show(win::ShowCommand::Maximize);
        }
        m_ClientWidth = width;
        m_ClientHeight = height;
        if (m_Hooks.resizeBackBuffer)
            m_Hooks.resizeBackBuffer(m_ClientWidth, m_ClientHeight, false);
    } else {
        if (m_Window) {
            m_Window->SetStyle(kWindowedStyle);
            m_Window->SetFullscreen(false, width, height);
            m_Window->Show(win::ShowCommand::Show);
        }
        PlaceWindowed(width, height);
        int backWidth = m_ClientWidth, backHeight = m_ClientHeight;
        if (m_Hooks.resizeBackBuffer)
            m_Hooks.resizeBackBuffer(backWidth, backHeight, true);
        GrowByBorders();
    }
    if (m_Hooks.restoreDevice)
        m_Hooks.restoreDevice();
}

void CWindowSystem::GetDisplayModes(std::vector<std::pair<int, int>>& out) const
{
    out.clear();
    for (const win::DisplayMode& mode : m_Modes)
        out.emplace_back(mode.width, mode.height);
}

int CWindowSystem::GetMaxScreenWidth() const { return m_Modes.empty() ? 0 : m_Modes.back().width; }

int CWindowSystem::GetMaxScreenHeight() const { return m_Modes.empty() ? 0 : m_Modes.back().height; }

void CWindowSystem::ToggleFullScreen()
{
    m_Windowed = !m_Windowed;
    ApplyDisplayMode(m_ChosenMode);
}

void CWindowSystem::GrowByBorders()
{
    const win::BorderSizes borders = m_Window ? m_Window->GetBorderSizes() : win::BorderSizes{};
    m_WindowWidth = m_ClientWidth + borders.left + borders.right;
    m_WindowHeight = m_ClientHeight + borders.top + borders.bottom;
}

void CWindowSystem::PumpMessages()
{
    for (bool running = true; running;) {
        if (m_Hooks.beginFrame)
            m_Hooks.beginFrame();
        win::Message message;
        while (win::PeekMessage(message)) {
            if (message.code == win::WM_QUIT) {
                running = false;
                m_ExitCode = message.exitCode;
                m_Suspended = false;
            } else {
                WndProc(message);
            }
        }
        if (m_Hooks.endFrame)
            m_Hooks.endFrame();
        if (!m_Suspended) {
            if (m_Hooks.runFrame)
                m_Hooks.runFrame();
        } else {
            win::WaitMessage(kSuspendedWaitMs);
        }
    }
}

long CWindowSystem::WndProc(const win::Message& message)
{
    if (m_Hooks.takeMessage && m_Hooks.takeMessage(message))
        return 0;

    const win::MouseMessageKind mouse = win::ClassifyMouseMessage(message.code);
    if (mouse.mouse) {
        Dispatch(MakeEvent(message), !mouse.button ? m_MoveAndWheel : mouse.down ? m_ButtonDown : m_ButtonUp);
        return 0;
    }
    switch (message.code) {
    case win::WM_CREATE:
    case win::WM_MOVE:
    case win::WM_PAINT: return 0;
    case win::WM_DESTROY:
    case win::WM_CLOSE:
    case win::WM_QUIT: win::PostQuitMessage(0); return 0;
    case win::WM_ACTIVATEAPP:
        if (m_Windowed)
            return kDefaultHandling;
        OnActivateApp(message.active);
        return 0;
    case win::WM_KEYDOWN: Dispatch(MakeEvent(message), m_KeyDown); return 0;
    case win::WM_KEYUP: Dispatch(MakeEvent(message), m_KeyUp); return 0;
    default: return kDefaultHandling;
    }
}

void CWindowSystem::OnActivateApp(bool active)
{
    if (!active) {
        if (m_Window)
            m_Window->Show(win::ShowCommand::Minimize);
        m_Suspended = true;
        return;
    }
    m_Suspended = false;
    if (m_Window) {
        m_Window->SetTopmost(false);
        m_Window->SetStyle(win::WS_POPUP);
        m_Window->Show(win::ShowCommand::Default);
    }
    if (m_Hooks.restoreDevice)
        m_Hooks.restoreDevice();
}

WindowEvent CWindowSystem::MakeEvent(const win::Message& message)
{
    WindowEvent event;
    event.message = message.code;
    const win::MouseMessageKind mouse = win::ClassifyMouseMessage(message.code);
    if (message.code == win::WM_KEYDOWN || message.code == win::WM_KEYUP) {
        event.key = message.vk;
    } else if (mouse.button) {
        event.x = message.x;
        event.y = message.y;
        event.left = mouse.mk == win::MK_LBUTTON;
        event.right = mouse.mk == win::MK_RBUTTON;
        event.middle = mouse.mk == win::MK_MBUTTON;
    } else if (mouse.mouse) {
        event.x = message.x;
        event.y = message.y;
        event.left = (message.mk & win::MK_LBUTTON) != 0;
        event.right = (message.mk & win::MK_RBUTTON) != 0;
        event.middle = (message.mk & win::MK_MBUTTON) != 0;
        event.shift = (message.mk & win::MK_SHIFT) != 0;
        event.ctrl = (message.mk & win::MK_CONTROL) != 0;
        if (message.code == win::WM_MOUSEWHEEL) {
            event.wheelDelta = message.wheelDelta;
        } else {
            event.dx = message.x - m_LastMouseX;
            event.dy = message.y - m_LastMouseY;
            m_LastMouseX = message.x;
            m_LastMouseY = message.y;
        }
    }
    return event;
}

void CWindowSystem::Dispatch(const WindowEvent& event, WindowEventCallback callback)
{
    if (callback)
        callback(event);
}

// The cursor is where the last move message left it, so moving the last position to the new
// place shifts it by exactly the cursor's jump and the next move carries no jump.
void CWindowSystem::SetCursorPosition(int x, int y)
{
    if (m_Window)
        m_Window->SetCursorPos(x, y);
    m_LastMouseX = x;
    m_LastMouseY = y;
}

void CWindowSystem::SetCursorX(int x) { SetCursorPosition(x, m_LastMouseY); }

void CWindowSystem::SetCursorY(int y) { SetCursorPosition(m_LastMouseX, y); }

void CWindowSystem::ShowCursor(bool show) { win::Window::ShowCursor(show); }

void CWindowSystem::SetCallbacks(WindowEventCallback keyDown, WindowEventCallback keyUp, WindowEventCallback buttonDown,
                                 WindowEventCallback buttonUp, WindowEventCallback moveAndWheel)
{
    m_KeyDown = keyDown;
    m_KeyUp = keyUp;
    m_ButtonDown = buttonDown;
    m_ButtonUp = buttonUp;
    m_MoveAndWheel = moveAndWheel;
}

} // namespace Vesk
