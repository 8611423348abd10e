// The program's one main window over SDL: creation windowed or full screen, Windows-style
// style words (WS_POPUP borderless, otherwise framed), placement by client area, show
// commands, border sizes and the title. The GL context belongs to the graphics layer, which
// reaches the SDL window through NativeHandle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Window;

namespace win {

enum : uint32_t {
    WS_POPUP = 0x80000000u,
    WS_VISIBLE = 0x10000000u,
    WS_CAPTION = 0x00C00000u,
    WS_SYSMENU = 0x00080000u,
    WS_MINIMIZEBOX = 0x00020000u,
};

enum class ShowCommand { Default, Show, Hide, Maximize, Minimize, Restore };

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct BorderSizes {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct WindowDesc {
    int x = 0, y = 0;
    int width = 640, height = 480; // client size
    std::string title;
    bool fullscreen = false;
    bool topmost = false;
    uint32_t style = 0; // WS_ bits
};

class Window {
public:
    // Null when the window could not be made (the reason is in LastError()).
    static std::unique_ptr<Window> Create(const WindowDesc& desc);
    static const std::string& LastError();

    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void SetStyle(uint32_t style);
    uint32_t GetStyle() const { return m_Style; }
    void SetTopmost(bool topmost);

    // Moves the window so its client area starts at (x, y) and has the given size.
    void SetPlacement(int x, int y, int clientWidth, int clientHeight);
    void Show(ShowCommand command);
    void SetFullscreen(bool fullscreen, int width, int height);
    bool IsFullscreen() const;
    bool IsMinimized() const;
    bool HasFocus() const;

    // Outer rectangle in screen pixels, frame included.
    Rect GetWindowRect() const;
    void GetClientSize(int& width, int& height) const;
    BorderSizes GetBorderSizes() const;

    void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return m_Title; }

    // Cursor placement in client pixels and visibility.
    void SetCursorPos(int x, int y);
    static void ShowCursor(bool show);

    SDL_Window* NativeHandle() const { return m_Window; }
    uint32_t GetId() const;

private:
    Window() = default;

    SDL_Window* m_Window = nullptr;
    uint32_t m_Style = 0;
    std::string m_Title;
};

} // namespace win
