#include "ProgramRunner.h"

#include <sstream>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace e2e {

RunDirectory::RunDirectory() : m_Bin(m_Dir.File("bin"))
{
    testsupport::CopyTree(testsupport::SourceDir() + "/bin", m_Bin);
}

void RunDirectory::WriteConfig(const std::vector<std::pair<std::string, std::string>>& options) const
{
    std::string xml = "<?xml version=\"1.0\"?>\n<Options>\n";
    for (const auto& [key, value] : options)
        xml += "  <" + key + " val=\"" + value + "\"/>\n";
    xml += "</Options>\n";
    testsupport::WriteFile(File("assets/systemconfig.xml"), xml);
}

static std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

RunResult RunGame(const std::vector<std::string>& args, const std::vector<std::string>& env)
{
    std::string command = "env";
    for (const std::string& entry : env)
        command += " " + Quote(entry);
    command += " " + Quote(testsupport::GameExecutable());
    for (const std::string& arg : args)
        command += " " + Quote(arg);
    command += " 2>&1";

    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.exitCode = 128 + WTERMSIG(status);
    return result;
}

std::vector<std::string> ProbeStates(const std::string& probePath, size_t frames)
{
    std::vector<std::string> states;
    std::istringstream lines(testsupport::ReadFile(probePath));
    for (std::string line; states.size() < frames && std::getline(lines, line);) {
        const size_t at = line.find(" state=");
        const size_t from = at == std::string::npos ? line.size() : at + 7;
        states.push_back(line.substr(from, line.find(' ', from) - from));
    }
    states.resize(frames);
    return states;
}

size_t Count(const std::string& text, const std::string& piece)
{
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

static uint32_t Read32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

uint32_t BmpWidth(const std::string& bytes) { return Read32(bytes, 18); }

uint32_t BmpHeight(const std::string& bytes) { return Read32(bytes, 22); }

uint32_t BmpPixel(const std::string& bytes, int x, int y)
{
    const size_t rowBytes = (static_cast<size_t>(BmpWidth(bytes)) * 3 + 3) & ~size_t(3);
    const size_t at =
        54 + rowBytes * static_cast<size_t>(static_cast<int>(BmpHeight(bytes)) - 1 - y) + static_cast<size_t>(x) * 3;
    return uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint8_t(bytes[at]);
}

void KeepArtifact(const std::string& file, const std::string& name)
{
    std::filesystem::create_directories(THRUMMOCK_ARTIFACT_DIR);
    std::error_code error;
    std::filesystem::copy_file(file, std::string(THRUMMOCK_ARTIFACT_DIR) + "/" + name,
                               std::filesystem::copy_options::overwrite_existing, error);
    EXPECT_FALSE(error) << file << ": " << error.message();
}

std::string Tap(int frame, const char* key, int held)
{
    return std::to_string(frame) + " key down " + key + "\n" + std::to_string(frame + held) + " key up " + key + "\n";
}

std::string ProbeField(const std::string& probe, int frame, const std::string& key)
{
    std::istringstream lines(probe);
    const std::string start = "frame=" + std::to_string(frame) + " ";
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, start.size(), start) != 0)
            continue;
        const size_t at = line.find(" " + key + "=");
        if (at == std::string::npos)
            return {};
        const size_t from = at + key.size() + 2;
        return line.substr(from, line.find(' ', from) - from);
    }
    return {};
}

} // namespace e2e
