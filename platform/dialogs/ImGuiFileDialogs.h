// The file dialog drawn with Dear ImGui inside the developer GUI's frame: the folder's listing,
// a path field, OK and Cancel, and a replace question before a save overwrites a file.
#pragma once

#include "platform/dialogs/FileBrowser.h"
#include "platform/dialogs/FileDialogs.h"

namespace dialogs {

class ImGuiFileDialogs : public FileDialogService {
public:
    bool Request(const FileDialogRequest& request, FileDialogCallback callback) override;
    bool IsShowing() const override { return m_Showing; }
    void Dismiss() override;
    // Must run between the GUI frame's start and its render.
    void Update() override;

    FileBrowser& GetBrowser() { return m_Browser; }

private:
    void DrawListing();
    void DrawPathRow();
    void DrawReplaceQuestion();
    void Finish();

    FileBrowser m_Browser;
    FileDialogCallback m_Callback;
    bool m_Showing = false;
    bool m_FocusPath = false;
};

} // namespace dialogs
