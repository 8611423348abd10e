// The open/save file service used by the level editor. A request shows its dialog and returns at
// once; the answer arrives later through the request's callback, in the frame the user confirms
// or cancels. The service never changes the working directory. The default service is the
// ImGui browser; tests install the scripted one.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace dialogs {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;
    std::string filter = "*.*"; // patterns separated by ';' ("*.xml"); "", "*" and "*.*" list every file
    std::string initialDirectory;
};

struct FileDialogAnswer {
    bool chosen = false; // false: cancelled
    std::string path;    // the chosen file, absolute
};

using FileDialogCallback = std::function<void(const FileDialogAnswer&)>;

class FileDialogService {
public:
    virtual ~FileDialogService() = default;

    // Shows the dialog; false (and the callback is dropped) while another dialog is showing.
    virtual bool Request(const FileDialogRequest& request, FileDialogCallback callback) = 0;
    virtual bool IsShowing() const = 0;
    // Closes a showing dialog without calling its callback (its requester is going away).
    virtual void Dismiss() = 0;
    // Once per frame, inside the developer GUI's frame: draws the dialog and delivers its answer.
    virtual void Update() = 0;

    bool RequestOpen(FileDialogRequest request, FileDialogCallback callback);
    bool RequestSave(FileDialogRequest request, FileDialogCallback callback);
};

// The service in use; the ImGui browser until another is installed.
FileDialogService& GetFileDialogs();
// Installs a service (null restores the ImGui browser). A showing dialog of the old one is dropped.
void SetFileDialogs(std::unique_ptr<FileDialogService> service);

} // namespace dialogs
