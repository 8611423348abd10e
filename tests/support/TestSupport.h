// Shared helpers for the test binaries: scratch directories, the working directory, file reading
// and writing, minimal resource definitions, the source tree and the built executable.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
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

// The process's working directory moved for a test and moved back: Enter remembers where the
// process stood and moves; Leave, or the destructor, moves back. A move that fails fails the test.
// Declare it after the directory it enters, so that it leaves before that directory is removed.
class WorkingDirectory {
public:
    WorkingDirectory() = default;
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    // Moves into `dir`; use as ASSERT_TRUE(m_WorkingDir.Enter(...)). Entering again keeps the first
    // directory to come back to. A process standing in a folder that is gone by now (a test left
    // it in a removed scratch folder) comes back to the source tree.
    [[nodiscard]] ::testing::AssertionResult Enter(const std::string& dir);
    void Leave();

    bool Entered() const { return !m_Previous.empty(); }
    // Where Leave goes back to; empty while not entered.
    const std::string& Previous() const { return m_Previous; }

private:
    std::string m_Previous;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
bool FileExists(const std::string& path);

// Resource definition files under `<dir>/assets` that hold only the defaults: materials,
// sprites, fonts and render targets.
void WriteDefaultDefinitions(const std::string& dir);
// `<dir>/assets/meshes.xml` listing the engine's default mesh (copied in) and then `entries`.
void WriteMeshList(const std::string& dir, const std::string& entries);

// The project's source tree.
std::string SourceDir();
// The built game executable.
std::string GameExecutable();

// Copies the directory tree `from` into `to` (created when missing).
void CopyTree(const std::string& from, const std::string& to);

// What takes down every manager of the layers a binary links, through the same tables the
// program uses: each binary registers it once (a static object in a file of its own). It runs
// after every test suite, so no suite sees what another left, and where a fixture wants a clean
// slate before or after each test.
// A highscore record as "highscore.dat" holds it, built byte by byte: the level name in 255
// bytes, the player's name in 257, the score in 4 little-endian bytes.
std::string HighscoreRecordBytes(const std::string& level, const std::string& name, uint32_t score);

void SetManagerReset(std::function<void()> reset);
void ResetManagers();

} // namespace testsupport
