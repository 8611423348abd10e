#include "ImGuiHeadless.h"

namespace imguitest {

HeadlessContext::HeadlessContext(float width, float height) : m_Context(ImGui::CreateContext())
{
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.DisplaySize = ImVec2(width, height);
    io.DeltaTime = 1.0f / 60.0f;
    for (int key = 0; key < ImGuiKey_COUNT; ++key)
        io.KeyMap[key] = key;
    unsigned char* pixels = nullptr;
    int w = 0, h = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);
}

HeadlessContext::~HeadlessContext() { ImGui::DestroyContext(m_Context); }

void HeadlessContext::NewFrame() { ImGui::NewFrame(); }

void HeadlessContext::EndFrame() { ImGui::Render(); }

} // namespace imguitest
