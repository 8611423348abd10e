#include "platform/devgui/DevGui.h"

#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <cstring>

namespace devgui {

DevGui::DevGui() = default;

DevGui::~DevGui() { Shutdown(); }

void DevGui::Init(const win::Window* window, bool withRenderer)
{
    Init(window ? window->NativeHandle() : nullptr, withRenderer);
}

void DevGui::Init(SDL_Window* window, bool withRenderer)
{
    Shutdown();
    m_Context = ImGui::CreateContext();
    ImGui::SetCurrentContext(m_Context);
    ImGuiIO& io = ImGui::GetIO();
    // Nothing is written into the working directory, and the cursor's visibility stays the game
    // states' business.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    ImGui::StyleColorsDark();

    m_Window = window;
    if (window)
        ImGui_ImplSDL2_InitForOpenGL(window, SDL_GL_GetCurrentContext());
    m_Renderer = window && withRenderer && SDL_GL_GetCurrentContext() && ImGui_ImplOpenGL3_Init("#version 330 core");
}

void DevGui::Shutdown()
{
    if (!m_Context)
        return;
    ImGui::SetCurrentContext(m_Context);
    if (m_Renderer)
        ImGui_ImplOpenGL3_Shutdown();
    if (m_Window)
        ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext(m_Context);
    m_Context = nullptr;
    m_LastEvent.reset();
    m_ScriptedMouse = ScriptedMouse();
    m_Window = nullptr;
    m_Renderer = false;
}

void DevGui::SetWindowSize(int width, int height)
{
    m_Width = width;
    m_Height = height;
}

void DevGui::ProcessMessage(const win::Message& message)
{
    if (message.raw) {
        ProcessEvent(*message.raw);
        return;
    }
    const win::MouseMessageKind kind = win::ClassifyMouseMessage(message.code);
    if (!kind.mouse)
        return;
    ScriptedMouse& mouse = m_ScriptedMouse;
    mouse.active = true;
    if (message.x >= 0 && message.y >= 0) {
        mouse.x = static_cast<float>(message.x);
        mouse.y = static_cast<float>(message.y);
    }
    if (message.code == win::WM_MOUSEWHEEL)
        mouse.wheel += static_cast<float>(message.wheelDelta) / static_cast<float>(win::WHEEL_DELTA);
    const int button = kind.mk == win::MK_LBUTTON   ? 0
                       : kind.mk == win::MK_RBUTTON ? 1
                       : kind.mk == win::MK_MBUTTON ? 2
                                                    : -1;
    if (kind.button && button >= 0) {
        mouse.down[button] = kind.down;
        mouse.pressed[button] = mouse.pressed[button] || kind.down;
    }
}

void DevGui::ApplyScriptedMouse()
{
    ScriptedMouse& mouse = m_ScriptedMouse;
    if (!mouse.active)
        return;
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = ImVec2(mouse.x, mouse.y);
    io.MouseWheel += mouse.wheel;
    mouse.wheel = 0.0f;
    for (int i = 0; i < 3; ++i) {
        io.MouseDown[i] = mouse.down[i] || mouse.pressed[i];
        mouse.pressed[i] = false;
    }
}

void DevGui::ProcessEvent(const SDL_Event& event)
{
    if (!m_Context || !m_Window)
        return;
    if (m_LastEvent && std::memcmp(m_LastEvent.get(), &event, sizeof event) == 0)
        return;
    if (!m_LastEvent)
        m_LastEvent = std::make_unique<SDL_Event>();
    *m_LastEvent = event;
    ImGui::SetCurrentContext(m_Context);
    ImGui_ImplSDL2_ProcessEvent(&event);
}

bool DevGui::WantsMouse() const { return m_Context && ImGui::GetIO().WantCaptureMouse; }

bool DevGui::WantsKeyboard() const { return m_Context && ImGui::GetIO().WantCaptureKeyboard; }

bool DevGui::WantsTextInput() const { return m_Context && ImGui::GetIO().WantTextInput; }

bool DevGui::BeginFrame()
{
    if (!m_Renderer)
        return false;
    ImGui::SetCurrentContext(m_Context);
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ApplyScriptedMouse();
    ImGuiIO& io = ImGui::GetIO();
    if (io.DisplaySize.x <= 0.0f && m_Width > 0 && m_Height > 0)
        io.DisplaySize = ImVec2(static_cast<float>(m_Width), static_cast<float>(m_Height));
    ImGui::NewFrame();
    return true;
}

void DevGui::EndFrame()
{
    ImGui::Render();
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
}

} // namespace devgui
