// A file-dialog service answered from a script: tests queue answers (choose a path, or cancel)
// and read back what was requested, and a running program can read its answers from a file.
// Each showing dialog takes the next queued answer at the next Update; with no answer queued it
// stays showing, as a user who has not decided yet.
#pragma once

#include "platform/dialogs/FileDialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace dialogs {

class ScriptedFileDialogs : public FileDialogService {
public:
    void QueueChoice(const std::string& path) { m_Answers.push_back({true, path}); }
    void QueueCancel() { m_Answers.push_back({false, std::string()}); }
    // Queues the answers of a file, one a line: "choose <path>" (a relative path is taken from
    // the working directory now) or "cancel"; blank lines and lines starting with '#' are
    // skipped. Lines of another form are skipped with a message in problems, one a line with
    // its number. False when the file cannot be read.
    bool QueueAnswersFromFile(const std::string& path, std::string& problems);

    const std::vector<FileDialogRequest>& GetRequests() const { return m_Requests; }

    bool Request(const FileDialogRequest& request, FileDialogCallback callback) override;
    bool IsShowing() const override { return m_Showing; }
    void Dismiss() override;
    void Update() override;

private:
    std::deque<FileDialogAnswer> m_Answers;
    std::vector<FileDialogRequest> m_Requests;
    FileDialogCallback m_Callback;
    bool m_Showing = false;
};

} // namespace dialogs
