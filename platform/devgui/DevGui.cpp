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
    if (message.raw)
        ProcessEvent(*message.raw);
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
