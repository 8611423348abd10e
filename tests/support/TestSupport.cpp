#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

ScratchDir::ScratchDir()
{
    std::string pattern = (fs::temp_directory_path() / "thrummock-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_Path = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    fs::remove_all(m_Path, ec);
}

WorkingDirectory::~WorkingDirectory() { Leave(); }

::testing::AssertionResult WorkingDirectory::Enter(const std::string& dir)
{
    std::error_code ec;
    if (m_Previous.empty()) {
        const fs::path current = fs::current_path(ec);
        m_Previous = ec ? SourceDir() : current.string();
    }
    fs::current_path(dir, ec);
    if (ec)
        return ::testing::AssertionFailure() << "cannot enter " << dir << ": " << ec.message();
    return ::testing::AssertionSuccess();
}

void WorkingDirectory::Leave()
{
    if (m_Previous.empty())
        return;
    std::error_code ec;
    fs::current_path(m_Previous, ec);
    if (ec)
        ADD_FAILURE() << "cannot go back to " << m_Previous << ": " << ec.message();
    m_Previous.clear();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::string& path, const std::string& contents)
{
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

bool FileExists(const std::string& path) { return fs::exists(path); }

void WriteDefaultDefinitions(const std::string& dir)
{
    WriteFile(dir + "/assets/materials.xml", "<materials><default/></materials>");
    WriteFile(dir + "/assets/sprites.xml", "<sprites/>");
    WriteFile(dir + "/assets/fonts.xml", "<fonts><default/></fonts>");
    WriteFile(dir + "/assets/rendertargets.xml", "<rendertargets><default/></rendertargets>");
}

void WriteMeshList(const std::string& dir, const std::string& entries)
{
    WriteFile(dir + "/assets/meshes/default.x", ReadFile(SourceDir() + "/bin/assets/meshes/default.x"));
    WriteFile(dir + "/assets/meshes.xml",
              "<meshes><default path=\"assets/meshes/default.x\"/>" + entries + "</meshes>");
}

std::string SourceDir() { return THRUMMOCK_SOURCE_DIR; }

std::string GameExecutable() { return THRUMMOCK_EXE; }

void CopyTree(const std::string& from, const std::string& to)
{
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

namespace {

std::function<void()>& ManagerReset()
{
    static std::function<void()> reset;
    return reset;
}

class SuiteEndReset : public ::testing::EmptyTestEventListener {
public:
    void OnTestSuiteEnd(const ::testing::TestSuite&) override { ResetManagers(); }
};

} // namespace

void SetManagerReset(std::function<void()> reset) { ManagerReset() = std::move(reset); }

void ResetManagers()
{
    if (ManagerReset())
        ManagerReset()();
}

std::string HighscoreRecordBytes(const std::string& level, const std::string& name, uint32_t score)
{
    std::string bytes(516, '\0');
    bytes.replace(0, level.size(), level);
    bytes.replace(255, name.size(), name);
    for (int i = 0; i < 4; ++i)
        bytes[512 + i] = static_cast<char>((score >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace testsupport

// Sanitizer builds: GCC 12's leak checker misreads some heap addresses as glibc's header of a
// dynamically allocated thread-local block and then scans a bogus range at exit (a crash that
// comes and goes with the heap layout). Mesa's driver allocates such a block when it builds
// mipmaps, so those blocks are left untracked; the driver's own memory is not ours to check.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("THRUMMOCK_NO_MESSAGEBOX", "1", 0);
    // Game processes started by the end-to-end tests need the same leak-checker setting.
    setenv("ASAN_OPTIONS", __asan_default_options(), 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new testsupport::SuiteEndReset());
    return RUN_ALL_TESTS();
}
