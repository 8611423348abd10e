// Runs the built game executable on a scratch copy of bin/ and captures its output and exit, and
// reads the pixels of the screenshots it saves.
#pragma once

#include "support/TestSupport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct RunResult {
    int exitCode = -1;  // the process's exit status, or 128 + signal
    std::string output; // standard output and standard error together
};

// A scratch run directory holding a copy of the repository's bin/.
class RunDirectory {
public:
    RunDirectory();
    const std::string& Path() const { return m_Bin; }
    std::string File(const std::string& relative) const { return m_Bin + "/" + relative; }
    // Replaces "assets/systemconfig.xml" with the given option values.
    void WriteConfig(const std::vector<std::pair<std::string, std::string>>& options) const;

private:
    testsupport::ScratchDir m_Dir;
    std::string m_Bin;
};

// Runs the game with the arguments and extra environment entries ("NAME=value").
RunResult RunGame(const std::vector<std::string>& args, const std::vector<std::string>& env = {});

// The name of the game state on top in each of the first `frames` frames of a probe file ("state="
// of its lines; empty names for frames the file does not reach).
std::vector<std::string> ProbeStates(const std::string& probePath, size_t frames);

// Copies a file (a screenshot) into the build tree's artefacts for a person to look at.
void KeepArtifact(const std::string& file, const std::string& name);

// How many times the piece occurs in the text (overlapping ones counted).
size_t Count(const std::string& text, const std::string& piece);

// A 24-bit BMP file's contents: width, height, and the RGB of the pixel at (x, y) from the top.
uint32_t BmpWidth(const std::string& bytes);
uint32_t BmpHeight(const std::string& bytes);
uint32_t BmpPixel(const std::string& bytes, int x, int y);

// An input-script key tap: down at the frame, up `held` frames later.
std::string Tap(int frame, const char* key, int held = 2);

// A field of the probe line of the frame; empty when the frame or the field is missing.
std::string ProbeField(const std::string& probe, int frame, const std::string& key);

} // namespace e2e
