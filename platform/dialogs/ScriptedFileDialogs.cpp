#include "platform/dialogs/ScriptedFileDialogs.h"

namespace dialogs {

bool ScriptedFileDialogs::Request(const FileDialogRequest& request, FileDialogCallback callback)
{
    if (m_Showing)
        return false;
    m_Requests.push_back(request);
    m_Callback = std::move(callback);
    m_Showing = true;
    return true;
}

void ScriptedFileDialogs::Dismiss()
{
    m_Showing = false;
    m_Callback = nullptr;
}

void ScriptedFileDialogs::Update()
{
    if (!m_Showing || m_Answers.empty())
        return;
    const FileDialogAnswer answer = m_Answers.front();
    m_Answers.pop_front();
    // Closed before the call, so the callback may request the next dialog.
    FileDialogCallback callback = std::move(m_Callback);
    Dismiss();
    if (callback)
        callback(answer);
}

} // namespace dialogs
