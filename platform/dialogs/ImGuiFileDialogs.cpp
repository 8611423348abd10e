#include "platform/dialogs/ImGuiFileDialogs.h"

#include <imgui.h>
#include <imgui_stdlib.h>

namespace dialogs {

namespace {

const char* const kReplacePopup = "Replace file?";

} // namespace

bool ImGuiFileDialogs::Request(const FileDialogRequest& request, FileDialogCallback callback)
{
    if (m_Showing)
        return false;
    m_Browser.Start(request);
    m_Callback = std::move(callback);
    m_Showing = true;
    m_FocusPath = true;
    return true;
}

void ImGuiFileDialogs::Dismiss()
{
    m_Showing = false;
    m_Callback = nullptr;
}

void ImGuiFileDialogs::Update()
{
    if (!m_Showing || !ImGui::GetCurrentContext())
        return;
    const ImGuiIO& io = ImGui::GetIO();
    ImGui::SetNextWindowPos(ImVec2(io.DisplaySize.x * 0.5f, io.DisplaySize.y * 0.5f), ImGuiCond_Appearing,
                            ImVec2(0.5f, 0.5f));
    ImGui::SetNextWindowSize(ImVec2(520.0f, 380.0f), ImGuiCond_Appearing);
    // "###" keeps one window identity whatever the title says.
    const std::string title = m_Browser.GetRequest().title + "###FileDialog";
    bool open = true;
    if (ImGui::Begin(title.c_str(), &open, ImGuiWindowFlags_NoCollapse)) {
        ImGui::TextUnformatted(m_Browser.GetDirectory().c_str());
        DrawListing();
        DrawPathRow();
        if (!m_Browser.GetMessage().empty())
            ImGui::TextColored(ImVec4(1.0f, 0.45f, 0.35f, 1.0f), "%s", m_Browser.GetMessage().c_str());
        DrawReplaceQuestion();
    }
    ImGui::End();
    if (!open)
        m_Browser.Cancel();
    Finish();
}

void ImGuiFileDialogs::DrawListing()
{
    const float rowsBelow = ImGui::GetFrameHeightWithSpacing() * 2.0f + ImGui::GetTextLineHeightWithSpacing();
    if (ImGui::BeginChild("Listing", ImVec2(0.0f, -rowsBelow), true)) {
        const std::vector<DirectoryEntry>& entries = m_Browser.GetEntries();
        size_t clicked = entries.size();
        bool doubleClicked = false;
        for (size_t i = 0; i < entries.size(); ++i) {
            const DirectoryEntry& entry = entries[i];
            const std::string label =
                (entry.directory ? "[" + entry.name + "]" : entry.name) + "##" + std::to_string(i);
            const bool selected = !entry.directory && entry.name == m_Browser.TypedPath();
            if (ImGui::Selectable(label.c_str(), selected, ImGuiSelectableFlags_AllowDoubleClick)) {
                clicked = i;
                doubleClicked = ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left);
            }
        }
        // Acted on after the loop: entering a folder replaces the listing being walked.
        if (clicked < entries.size()) {
            const bool file = !entries[clicked].directory;
            m_Browser.Select(clicked);
            if (file && doubleClicked)
                m_Browser.Confirm();
        }
    }
    ImGui::EndChild();
}

void ImGuiFileDialogs::DrawPathRow()
{
    const ImGuiStyle& style = ImGui::GetStyle();
    const float buttons = ImGui::CalcTextSize("Cancel").x + ImGui::CalcTextSize("OK").x + style.FramePadding.x * 4.0f +
                          style.ItemSpacing.x * 2.0f;
    ImGui::SetNextItemWidth(-buttons);
    if (m_FocusPath) {
        ImGui::SetKeyboardFocusHere();
        m_FocusPath = false;
    }
    const bool entered = ImGui::InputText("##Path", &m_Browser.TypedPath(), ImGuiInputTextFlags_EnterReturnsTrue);
    ImGui::SameLine();
    if (ImGui::Button("OK") || entered)
        m_Browser.Confirm();
    ImGui::SameLine();
    if (ImGui::Button("Cancel"))
        m_Browser.Cancel();
}

void ImGuiFileDialogs::DrawReplaceQuestion()
{
    if (m_Browser.GetOutcome() == FileBrowser::Outcome::AskOverwrite && !ImGui::IsPopupOpen(kReplacePopup))
        ImGui::OpenPopup(kReplacePopup);
    if (!ImGui::BeginPopupModal(kReplacePopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return;
    ImGui::Text("%s already exists.\nDo you want to replace it?", m_Browser.GetChosenPath().c_str());
    const bool yes = ImGui::Button("Yes");
    ImGui::SameLine();
    const bool no = ImGui::Button("No");
    if (yes || no) {
        m_Browser.AnswerOverwrite(yes);
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

void ImGuiFileDialogs::Finish()
{
    const FileBrowser::Outcome outcome = m_Browser.GetOutcome();
    if (outcome != FileBrowser::Outcome::Chosen && outcome != FileBrowser::Outcome::Cancelled)
        return;
    FileDialogAnswer answer;
    answer.chosen = outcome == FileBrowser::Outcome::Chosen;
    answer.path = m_Browser.GetChosenPath();
    // Closed before the call, so the callback may request the next dialog.
    FileDialogCallback callback = std::move(m_Callback);
    Dismiss();
    if (callback)
        callback(answer);
}

} // namespace dialogs
