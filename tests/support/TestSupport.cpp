#include "support/TestSupport.h"

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

static std::string EnvOr(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

std::string SourceDir() { return EnvOr("THRUMMOCK_SOURCE_DIR", "."); }

std::string GameExecutable() { return EnvOr("THRUMMOCK_EXE", "thrummock"); }

void CopyTree(const std::string& from, const std::string& to)
{
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

} // namespace testsupport
