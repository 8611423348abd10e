#include "platform/dialogs/ScriptedFileDialogs.h"

#include <filesystem>
#include <fstream>

namespace dialogs {

bool ScriptedFileDialogs::QueueAnswersFromFile(const std::string& path, std::string& problems)
{
    std::ifstream in(path);
    if (!in)
        return false;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const size_t last = line.find_last_not_of(" \t\r");
        const std::string text = line.substr(first, last + 1 - first);
        if (text == "cancel") {
            QueueCancel();
        } else if (text.rfind("choose ", 0) == 0 && text.find_first_not_of(' ', 7) != std::string::npos) {
            std::error_code error;
            const std::filesystem::path chosen(text.substr(text.find_first_not_of(' ', 7)));
            QueueChoice(std::filesystem::absolute(chosen, error).lexically_normal().string());
        } else {
            problems += path + ":" + std::to_string(number) + ": expected \"choose <path>\" or \"cancel\"\n";
        }
    }
    return true;
}

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
