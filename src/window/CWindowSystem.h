// The one main window: display-mode list and choice, creation windowed or full screen, mode
// switches, the run loop's message pump, the window procedure that turns window messages into
// input callbacks, and the cursor helpers. What it needs of the layers above it (the input frame,
// the game frame, the developer panels' share of messages, the renderer's back buffer) it reaches
// through hooks that the frame loop installs.
#pragma once

#include "core/CSingleton.h"
#include "platform/win/DisplayModes.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Vesk {

// What the input callbacks receive for one window message.
struct WindowEvent {
    uint32_t message = 0; // WM_ code
    uint32_t key = 0;     // key messages: virtual-key code
    int32_t x = 0, y = 0; // mouse messages: client position
    int32_t dx = 0, dy = 0;
    int32_t wheelDelta = 0;
    bool left = false, right = false, middle = false, shift = false;
    bool ctrl = false;
};

using WindowEventCallback = void (*)(WindowEvent);

// The run loop's and the mode switches' calls into the layers above; an empty hook does nothing.
struct WindowHooks {
    std::function<void()> beginFrame; // each turn of the run loop, before its messages
    std::function<void()> endFrame;   // after the turn's messages
    std::function<void()> runFrame;   // the turn's frame; not while the window is suspended
    // Offered every message first; true when the message was taken and goes no further.
    std::function<bool(const win::Message&)> takeMessage;
    // A display-mode change: sizes the back buffer for the mode and writes back the size it took.
    std::function<void(int& width, int& height, bool windowed)> resizeBackBuffer;
    // After a display-mode change or when the application is activated again.
    std::function<void()> restoreDevice;
};

// Keeps the modes that pass the display filter, sorted by width then height, without
// duplicates. A refresh rate of 0 (unknown) passes. When no mode passes, the list holds
// `whenEmpty` alone, so that the list is never empty.
std::vector<win::DisplayMode> FilterDisplayModes(const std::vector<win::DisplayMode>& reported,
                                                 const win::DisplayMode& whenEmpty);

// Index of the listed mode nearest the requested width with the native aspect (that of the last
// mode); 0 for an empty list.
unsigned ChooseResolutionIndex(const std::vector<win::DisplayMode>& modes, int requestedWidth);

// The client rectangle of a framed window asked for at (x, y) with the given client size, kept
// so that the whole window, borders included, lies inside the area: the client shrinks (keeping
// its aspect ratio) when the window is larger than the area, then moves in from the edges.
win::Rect FitWindowInArea(int x, int y, int width, int height, const win::BorderSizes& borders, const win::Rect& area);

class CWindowSystem : public CSingleton<CWindowSystem> {
public:
    bool CreateMainWindow(int x, int y, int width, int height, const std::string& title, bool fullscreen);
    void DestroyMainWindow();

    void EnumerateDisplayModes();
    bool IsResolutionSupported(int width, int height) const;
    void ChooseResolution(int requestedWidth, int& outWidth, int& outHeight);
    void SetResolution(int width, int height);
    void ApplyDisplayMode(unsigned index);
    void GetDisplayModes(std::vector<std::pair<int, int>>& out) const;
    unsigned GetDisplayModeCount() const { return static_cast<unsigned>(m_Modes.size()); }
    unsigned GetChosenModeIndex() const { return m_ChosenMode; }
    int GetMaxScreenWidth() const;
    int GetMaxScreenHeight() const;
    void ToggleFullScreen();

    // The run loop: returns when the quit message arrives; its exit code is kept.
    void PumpMessages();
    // Handles one window message; returns 0 when handled, kDefaultHandling when the message is
    // left to the platform's default handling.
    long WndProc(const win::Message& message);
    static constexpr long kDefaultHandling = 1;

    void SetCursorPosition(int x, int y);
    void SetCursorX(int x);
    void SetCursorY(int y);
    void ShowCursor(bool show);

    // Installs the input callbacks (the input manager installs one function in all of them).
    void SetCallbacks(WindowEventCallback keyDown, WindowEventCallback keyUp, WindowEventCallback buttonDown,
                      WindowEventCallback buttonUp, WindowEventCallback moveAndWheel);

    void SetHooks(WindowHooks hooks) { m_Hooks = std::move(hooks); }

    int GetWindowWidth() const { return m_WindowWidth; }
    int GetWindowHeight() const { return m_WindowHeight; }
    int GetClientWidth() const { return m_ClientWidth; }
    int GetClientHeight() const { return m_ClientHeight; }
    bool IsWindowed() const { return m_Windowed; }
    bool IsSuspended() const { return m_Suspended; }
    int GetExitCode() const { return m_ExitCode; }
    win::Window* GetWindow() const { return m_Window.get(); }
    const std::string& GetTitle() const { return m_Title; }

    // The event record a mouse or key message produces; a move updates the last mouse position.
    WindowEvent MakeEvent(const win::Message& message);

private:
    // The mode list, enumerated on first use; never empty.
    const std::vector<win::DisplayMode>& Modes();
    int FindMode(int width, int height) const;
    void OnActivateApp(bool active);
    void Dispatch(const WindowEvent& event, WindowEventCallback callback);
    void GrowByBorders();
    // Places the framed window at (m_X, m_Y) with the client size, inside the desktop's usable
    // area where there is a desktop; the client size becomes what was placed.
    void PlaceWindowed(int width, int height);

    std::unique_ptr<win::Window> m_Window;
    std::vector<win::DisplayMode> m_Modes;
    unsigned m_ChosenMode = 0;
    bool m_Windowed = true;
    bool m_Suspended = false;
    int m_X = 0, m_Y = 0;
    int m_WindowWidth = 0, m_WindowHeight = 0;
    int m_ClientWidth = 0, m_ClientHeight = 0;
    int m_LastMouseX = 0, m_LastMouseY = 0;
    int m_ExitCode = 0;
    std::string m_Title;
    WindowHooks m_Hooks;
    WindowEventCallback m_KeyDown = nullptr, m_KeyUp = nullptr, m_ButtonDown = nullptr, m_ButtonUp = nullptr,
                        m_MoveAndWheel = nullptr;
};

} // namespace Vesk
