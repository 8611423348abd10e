// An ImGui context without any window or renderer for tests: frames run and produce draw data
// that nobody draws, and input is fed through ImGui's own input fields.
#pragma once

#include <imgui.h>

namespace imguitest {

class HeadlessContext {
public:
    HeadlessContext(float width = 1024.0f, float height = 768.0f);
    ~HeadlessContext();
    HeadlessContext(const HeadlessContext&) = delete;
    HeadlessContext& operator=(const HeadlessContext&) = delete;

    void NewFrame();
    void EndFrame();
    // One frame with the key held (ImGuiKey_ value), then one with it released.
    template <typename Draw>
    void PressKey(ImGuiKey key, Draw draw)
    {
        Frame(draw, key, true);
        Frame(draw, key, false);
    }
    template <typename Draw>
    void Frame(Draw draw, ImGuiKey key = ImGuiKey_COUNT, bool down = false)
    {
        if (key != ImGuiKey_COUNT)
            ImGui::GetIO().KeysDown[ImGui::GetIO().KeyMap[key]] = down;
        NewFrame();
        draw();
        EndFrame();
    }
    void Type(const char* text) { ImGui::GetIO().AddInputCharactersUTF8(text); }

private:
    ImGuiContext* m_Context;
};

} // namespace imguitest
