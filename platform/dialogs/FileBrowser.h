// What the file browser dialog does, apart from drawing it: the folder shown and its listing
// (sub-folders, then the files that pass the filter), the typed path, and the checks behind OK
// (an open needs an existing file; a save needs an existing folder and asks before replacing a
// file). Paths are resolved against the shown folder; the working directory is never changed.
#pragma once

#include "platform/dialogs/FileDialogs.h"

#include <string>
#include <vector>

namespace dialogs {

struct DirectoryEntry {
    std::string name;
    bool directory = false;
};

// True when the file name matches one of the filter's patterns ('*' and '?' wildcards, ';'
// between patterns); "", "*" and "*.*" match every name.
bool MatchesFilter(const std::string& fileName, const std::string& filter);

class FileBrowser {
public:
    enum class Outcome { Pending, Chosen, AskOverwrite, Cancelled };

    // Starts in the request's folder, or the working directory when that folder is missing.
    void Start(const FileDialogRequest& request);

    const FileDialogRequest& GetRequest() const { return m_Request; }
    const std::string& GetDirectory() const { return m_Directory; }
    // ".." first (except at the root), then folders, then files, each by name.
    const std::vector<DirectoryEntry>& GetEntries() const { return m_Entries; }
    // The text of the path field: a name in the shown folder, or a relative or absolute path.
    std::string& TypedPath() { return m_Typed; }
    // The last problem to show the user (missing file, missing folder, unreadable folder), or "".
    const std::string& GetMessage() const { return m_Message; }
    const std::string& GetChosenPath() const { return m_Chosen; }
    Outcome GetOutcome() const { return m_Outcome; }

    // A folder entry is entered; a file entry becomes the typed path.
    void Select(size_t entry);
    // Shows another folder (relative to the shown one); false with a message when it is missing.
    bool ChangeDirectory(const std::string& path);

    // OK: a typed folder is entered; otherwise the typed file is checked for the dialog's kind.
    Outcome Confirm();
    // The answer to the overwrite question of a save.
    Outcome AnswerOverwrite(bool replace);
    Outcome Cancel();

private:
    std::string Resolve(const std::string& path) const;
    void Refresh();

    FileDialogRequest m_Request;
    std::string m_Directory;
    std::vector<DirectoryEntry> m_Entries;
    std::string m_Typed;
    std::string m_Message;
    std::string m_Chosen;
    Outcome m_Outcome = Outcome::Pending;
};

} // namespace dialogs
