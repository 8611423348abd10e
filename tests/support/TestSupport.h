// Shared helpers for the test binaries: scratch directories, file reading and writing, the
// source tree and the built executable.
#pragma once

#include <string>

namespace testsupport {

// A fresh empty directory under the system's temporary folder, removed by the destructor.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return m_Path; }
    std::string File(const std::string& relative) const { return m_Path + "/" + relative; }

private:
    std::string m_Path;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
bool FileExists(const std::string& path);

// The project's source tree.
std::string SourceDir();
// The built game executable.
std::string GameExecutable();

// Copies the directory tree `from` into `to` (created when missing).
void CopyTree(const std::string& from, const std::string& to);

} // namespace testsupport
