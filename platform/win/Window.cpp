#include "platform/win/Window.h"

#include "platform/win/Video.h"

#include <SDL.h>

#include <algorithm>

namespace win {

namespace {

std::string& LastErrorText()
{
    static std::string text;
    return text;
}

} // namespace

const std::string& Window::LastError() { return LastErrorText(); }

std::unique_ptr<Window> Window::Create(const WindowDesc& desc)
{
    if (!AcquireVideo()) {
        LastErrorText() = std::string("no video driver: ") + SDL_GetError();
        return nullptr;
    }
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (desc.style & WS_POPUP)
        flags |= SDL_WINDOW_BORDERLESS;
    if (desc.topmost)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    const int x = desc.fullscreen ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : desc.x;
    const int y = desc.fullscreen ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : desc.y;
    const int width = std::max(desc.width, 1);
    const int height = std::max(desc.height, 1);

    SDL_Window* handle = SDL_CreateWindow(desc.title.c_str(), x, y, width, height, flags | SDL_WINDOW_OPENGL);
    if (handle)
        KeepLoadedLibraries();
    else
        handle = SDL_CreateWindow(desc.title.c_str(), x, y, width, height, flags);
    if (!handle) {
        LastErrorText() = SDL_GetError();
        ReleaseVideo();
        return nullptr;
    }

    std::unique_ptr<Window> window(new Window());
    window->m_Window = handle;
    window->m_Style = desc.style;
    window->m_Title = desc.title;
    if (desc.fullscreen)
        window->SetFullscreen(true, width, height);
    if (desc.style & WS_VISIBLE)
        window->Show(ShowCommand::Show);
    return window;
}

Window::~Window()
{
    SDL_DestroyWindow(m_Window);
    ReleaseVideo();
}

void Window::SetStyle(uint32_t style)
{
    m_Style = style;
    SDL_SetWindowBordered(m_Window, (style & WS_POPUP) ? SDL_FALSE : SDL_TRUE);
}

void Window::SetTopmost(bool topmost) { SDL_SetWindowAlwaysOnTop(m_Window, topmost ? SDL_TRUE : SDL_FALSE); }

void Window::SetPlacement(int x, int y, int clientWidth, int clientHeight)
{
    SDL_SetWindowPosition(m_Window, x, y);
    SDL_SetWindowSize(m_Window, std::max(clientWidth, 1), std::max(clientHeight, 1));
}

void Window::Show(ShowCommand command)
{
    switch (command) {
    case ShowCommand::Hide: SDL_HideWindow(m_Window); break;
    case ShowCommand::Show: SDL_ShowWindow(m_Window); break;
    case ShowCommand::Default:
    case ShowCommand::Restore:
        SDL_ShowWindow(m_Window);
        if (IsMinimized())
            SDL_RestoreWindow(m_Window);
        SDL_RaiseWindow(m_Window);
        break;
    case ShowCommand::Maximize:
        SDL_ShowWindow(m_Window);
        // A full-screen window already covers the display; maximising it upsets some window managers.
        if (!IsFullscreen())
            SDL_MaximizeWindow(m_Window);
        SDL_RaiseWindow(m_Window);
        break;
    case ShowCommand::Minimize: SDL_MinimizeWindow(m_Window); break;
    }
}

void Window::SetFullscreen(bool fullscreen, int width, int height)
{
    if (!fullscreen) {
        SDL_SetWindowFullscreen(m_Window, 0);
        return;
    }
    SDL_SetWindowSize(m_Window, std::max(width, 1), std::max(height, 1));
    // Exclusive full screen at the display's mode closest to the size; the desktop otherwise.
    SDL_DisplayMode wanted = {};
    wanted.w = width;
    wanted.h = height;
    SDL_SetWindowDisplayMode(m_Window, &wanted);
    if (SDL_SetWindowFullscreen(m_Window, SDL_WINDOW_FULLSCREEN) != 0)
        SDL_SetWindowFullscreen(m_Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool Window::IsFullscreen() const { return (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_FULLSCREEN) != 0; }

bool Window::IsMinimized() const { return (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_MINIMIZED) != 0; }

bool Window::HasFocus() const { return (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_INPUT_FOCUS) != 0; }

Rect Window::GetWindowRect() const
{
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(m_Window, &x, &y);
    SDL_GetWindowSize(m_Window, &width, &height);
    const BorderSizes borders = GetBorderSizes();
    return Rect{x - borders.left, y - borders.top, x + width + borders.right, y + height + borders.bottom};
}

void Window::GetClientSize(int& width, int& height) const { SDL_GetWindowSize(m_Window, &width, &height); }

BorderSizes Window::GetBorderSizes() const
{
    BorderSizes borders;
    if (SDL_GetWindowBordersSize(m_Window, &borders.top, &borders.left, &borders.bottom, &borders.right) != 0)
        return BorderSizes{};
    return borders;
}

void Window::SetTitle(const std::string& title)
{
    m_Title = title;
    SDL_SetWindowTitle(m_Window, title.c_str());
}

void Window::SetCursorPos(int x, int y) { SDL_WarpMouseInWindow(m_Window, x, y); }

void Window::ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

uint32_t Window::GetId() const { return SDL_GetWindowID(m_Window); }

} // namespace win
