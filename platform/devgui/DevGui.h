// The developer GUI's platform side: the Dear ImGui context with its SDL2 backend (window
// events) and OpenGL3 backend (drawing on the window's current GL context), the panels'
// registry and their drawing. Without a window or GL context the registry still works, but
// nothing is drawn. Everything ImGui draws in one frame goes between BeginFrame and EndFrame.
#pragma once

#include "platform/devgui/PanelView.h"
#include "platform/devgui/Panels.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

#include <memory>

union SDL_Event;
struct SDL_Window;
struct ImGuiContext;

namespace devgui {

class DevGui {
public:
    DevGui();
    ~DevGui();
    DevGui(const DevGui&) = delete;
    DevGui& operator=(const DevGui&) = delete;

    // Makes the context; attaches the window's events when there is a window, and drawing when
    // withRenderer is set and a GL context is current on it.
    void Init(const win::Window* window, bool withRenderer);
    void Init(SDL_Window* window, bool withRenderer);
    // Releases the backends' GL objects and the context; the bars stay in the registry.
    void Shutdown();
    bool IsInitialised() const { return m_Context != nullptr; }
    bool CanDraw() const { return m_Renderer; }

    Panels& GetPanels() { return m_Panels; }

    // The display size used when no window gives one.
    void SetWindowSize(int width, int height);

    // Every window event goes to ImGui first. The window layer may hand one event over with
    // several messages (text of several characters); ImGui takes it once.
    void ProcessEvent(const SDL_Event& event);
    // The event behind a window message, when it has one. A mouse message without one (an input
    // script's) moves and presses ImGui's mouse in place of SDL's from then on.
    void ProcessMessage(const win::Message& message);
    // What ImGui wants for itself, as of its last frame.
    bool WantsMouse() const;
    bool WantsKeyboard() const;
    bool WantsTextInput() const;

    // False (and nothing to draw or end) when nothing can be drawn.
    bool BeginFrame();
    // The bars and the help window; what the user did with them is carried out here.
    void DrawPanels() { m_View.Draw(m_Panels); }
    // Renders everything drawn since BeginFrame.
    void EndFrame();

private:
    Panels m_Panels;
    PanelView m_View;
    ImGuiContext* m_Context = nullptr;
    SDL_Window* m_Window = nullptr;
    // The mouse of messages without an SDL event: where it is, the buttons held, and the
    // buttons pressed since the last frame (a press and release within one frame still clicks).
    struct ScriptedMouse {
        bool active = false;
        float x = 0.0f, y = 0.0f, wheel = 0.0f;
        bool down[3] = {false, false, false};
        bool pressed[3] = {false, false, false};
    };
    void ApplyScriptedMouse();

    std::unique_ptr<SDL_Event> m_LastEvent;
    ScriptedMouse m_ScriptedMouse;
    bool m_Renderer = false;
    int m_Width = 0, m_Height = 0;
};

} // namespace devgui
