#include "platform/dialogs/FileBrowser.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace dialogs {

namespace {

bool MatchPattern(const char* pattern, const char* name)
{
    // Iterative wildcard match with one backtrack point for the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

bool IsDirectory(const fs::path& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

} // namespace

bool MatchesFilter(const std::string& fileName, const std::string& filter)
{
    size_t begin = 0;
    bool anyPattern = false;
    while (begin <= filter.size()) {
        size_t end = filter.find(';', begin);
        if (end == std::string::npos)
            end = filter.size();
        std::string pattern = filter.substr(begin, end - begin);
        pattern.erase(0, pattern.find_first_not_of(' '));
        pattern.erase(pattern.find_last_not_of(' ') + 1);
        if (!pattern.empty()) {
            anyPattern = true;
            if (pattern == "*.*" || MatchPattern(pattern.c_str(), fileName.c_str()))
                return true;
        }
        begin = end + 1;
    }
    return !anyPattern;
}

void FileBrowser::Start(const FileDialogRequest& request)
{
    m_Request = request;
    m_Typed.clear();
    m_Message.clear();
    m_Chosen.clear();
    m_Outcome = Outcome::Pending;
    std::error_code ec;
    m_Directory = fs::current_path(ec).string();
    if (request.initialDirectory.empty() || !ChangeDirectory(request.initialDirectory))
        Refresh();
}

std::string FileBrowser::Resolve(const std::string& path) const
{
    fs::path p(path);
    if (p.is_relative())
        p = fs::path(m_Directory) / p;
    std::string resolved = p.lexically_normal().string();
    // A folder keeps no trailing separator, except the root itself.
    while (resolved.size() > 1 && resolved.back() == '/')
        resolved.pop_back();
    return resolved;
}

bool FileBrowser::ChangeDirectory(const std::string& path)
{
    const std::string target = Resolve(path);
    if (!IsDirectory(target)) {
        m_Message = "Folder not found: " + target;
        return false;
    }
    m_Directory = target;
    m_Message.clear();
    Refresh();
    return true;
}

void FileBrowser::Refresh()
{
    m_Entries.clear();
    std::vector<DirectoryEntry> folders, files;
    std::error_code ec;
    for (fs::directory_iterator it(m_Directory, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (IsDirectory(it->path()))
            folders.push_back({name, true});
        else if (MatchesFilter(name, m_Request.filter))
            files.push_back({name, false});
    }
    if (ec)
        m_Message = "Cannot read folder " + m_Directory + ": " + ec.message();
    auto byName = [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    if (fs::path(m_Directory).has_relative_path())
        m_Entries.push_back({"..", true});
    m_Entries.insert(m_Entries.end(), folders.begin(), folders.end());
    m_Entries.insert(m_Entries.end(), files.begin(), files.end());
}

void FileBrowser::Select(size_t entry)
{
    if (entry >= m_Entries.size())
        return;
    const DirectoryEntry chosen = m_Entries[entry];
    if (chosen.directory)
        ChangeDirectory(chosen.name);
    else
        m_Typed = chosen.name;
}

FileBrowser::Outcome FileBrowser::Confirm()
{
    if (m_Outcome != Outcome::Pending)
        return m_Outcome;
    if (m_Typed.empty()) {
        m_Message = "Type or choose a file name.";
        return m_Outcome;
    }
    const std::string path = Resolve(m_Typed);
    if (IsDirectory(path)) {
        if (ChangeDirectory(path))
            m_Typed.clear();
        return m_Outcome;
    }
    std::error_code ec;
    if (m_Request.kind == FileDialogKind::Open) {
        if (!fs::is_regular_file(path, ec)) {
            m_Message = "File not found: " + path;
            return m_Outcome;
        }
        m_Chosen = path;
        return m_Outcome = Outcome::Chosen;
    }
    if (!IsDirectory(fs::path(path).parent_path())) {
        m_Message = "Folder not found: " + fs::path(path).parent_path().string();
        return m_Outcome;
    }
    m_Chosen = path;
    m_Message.clear();
    return m_Outcome = fs::exists(path, ec) ? Outcome::AskOverwrite : Outcome::Chosen;
}

FileBrowser::Outcome FileBrowser::AnswerOverwrite(bool replace)
{
    if (m_Outcome != Outcome::AskOverwrite)
        return m_Outcome;
    if (replace)
        return m_Outcome = Outcome::Chosen;
    m_Chosen.clear();
    return m_Outcome = Outcome::Pending;
}

FileBrowser::Outcome FileBrowser::Cancel()
{
    m_Chosen.clear();
    return m_Outcome = Outcome::Cancelled;
}

} // namespace dialogs
