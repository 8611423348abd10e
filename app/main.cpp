// Entry point: fixes the run directory ("../bin" beside the executable unless a developer option
// names another), runs the game and returns its exit code.
#include "app/Startup.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Process.h"
#include "window/CWindowSystem.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct CommandLine {
    std::string runDirectory;
    Game::DeveloperOptions developer;
    bool valid = true;
};

void PrintUsage()
{
    std::fprintf(
        stderr,
        "usage: thrummock [--run-dir DIR] [--frames N] [--fixed-dt SECONDS] [--input-script FILE]\n"
        "                 [--screenshot FILE] [--screenshot-at FRAME:FILE ...] [--probe FILE]\n"
        "                 [--probe-entity NAME] [--dialog-answers FILE]\n"
        "  --run-dir DIR       run directory holding assets/ (env THRUMMOCK_RUN_DIR; default ../bin "
        "beside the executable)\n"
        "  --frames N          quit after N frames (env THRUMMOCK_FRAMES)\n"
        "  --fixed-dt SECONDS  fixed frame duration in place of the measured one (env THRUMMOCK_FIXED_DT)\n"
        "  --input-script FILE feed the timed key, mouse and pad events of FILE in as the frames run "
        "(env THRUMMOCK_INPUT_SCRIPT)\n"
        "  --screenshot FILE   save the last frame of a --frames run as a BMP file (env THRUMMOCK_SCREENSHOT)\n"
        "  --screenshot-at FRAME:FILE  save the picture of frame FRAME (from 0) as a BMP file; may be given "
        "again\n"
        "  --probe FILE        append one line about the player to FILE after every frame (env THRUMMOCK_PROBE)\n"
        "  --probe-entity NAME end each probe line with the position of the entity NAME (env "
        "THRUMMOCK_PROBE_ENTITY)\n"
        "  --dialog-answers FILE  answer the file dialogs from FILE, one \"choose <path>\" or \"cancel\" a line "
        "(env THRUMMOCK_DIALOG_ANSWERS)\n");
}

bool ParseUnsigned(const std::string& text, uint64_t& out)
{
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || text[0] == '-')
        return false;
    out = value;
    return true;
}

bool ParseSeconds(const std::string& text, float& out)
{
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value >= 0.0f))
        return false;
    out = value;
    return true;
}

// "FRAME:FILE" appended to the list; false (with a message) when it is not of that form.
bool ParseTimedScreenshot(const std::string& text, std::vector<std::pair<uint64_t, std::string>>& list)
{
    const size_t colon = text.find(':');
    uint64_t frame = 0;
    if (colon == std::string::npos || colon + 1 == text.size() || !ParseUnsigned(text.substr(0, colon), frame)) {
        std::fprintf(stderr, "thrummock: bad --screenshot-at '%s' (FRAME:FILE)\n", text.c_str());
        return false;
    }
    list.emplace_back(frame, text.substr(colon + 1));
    return true;
}

// Environment values first, then the command line, which wins.
CommandLine ParseCommandLine(int argc, char** argv)
{
    CommandLine line;
    std::string runDir = win::GetEnvironmentVariable("THRUMMOCK_RUN_DIR");
    std::string frames = win::GetEnvironmentVariable("THRUMMOCK_FRAMES");
    std::string fixedDt = win::GetEnvironmentVariable("THRUMMOCK_FIXED_DT");
    line.developer.inputScript = win::GetEnvironmentVariable("THRUMMOCK_INPUT_SCRIPT");
    line.developer.screenshot = win::GetEnvironmentVariable("THRUMMOCK_SCREENSHOT");
    line.developer.probe = win::GetEnvironmentVariable("THRUMMOCK_PROBE");
    line.developer.probeEntity = win::GetEnvironmentVariable("THRUMMOCK_PROBE_ENTITY");
    line.developer.dialogAnswers = win::GetEnvironmentVariable("THRUMMOCK_DIALOG_ANSWERS");
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--run-dir" && hasValue)
            runDir = argv[++i];
        else if (arg == "--frames" && hasValue)
            frames = argv[++i];
        else if (arg == "--fixed-dt" && hasValue)
            fixedDt = argv[++i];
        else if (arg == "--input-script" && hasValue)
            line.developer.inputScript = argv[++i];
        else if (arg == "--screenshot" && hasValue)
            line.developer.screenshot = argv[++i];
        else if (arg == "--probe" && hasValue)
            line.developer.probe = argv[++i];
        else if (arg == "--probe-entity" && hasValue)
            line.developer.probeEntity = argv[++i];
        else if (arg == "--dialog-answers" && hasValue)
            line.developer.dialogAnswers = argv[++i];
        else if (arg == "--screenshot-at" && hasValue)
            line.valid = ParseTimedScreenshot(argv[++i], line.developer.timedScreenshots) && line.valid;
        else {
            std::fprintf(stderr, "thrummock: unknown or incomplete option '%s'\n", arg.c_str());
            line.valid = false;
        }
    }
    if (!frames.empty() && !ParseUnsigned(frames, line.developer.frameLimit)) {
        std::fprintf(stderr, "thrummock: bad frame count '%s'\n", frames.c_str());
        line.valid = false;
    }
    if (!fixedDt.empty() && !ParseSeconds(fixedDt, line.developer.fixedTimeStep)) {
        std::fprintf(stderr, "thrummock: bad fixed time step '%s'\n", fixedDt.c_str());
        line.valid = false;
    }
    line.runDirectory = runDir.empty() ? win::GetModuleDirectory() + "/../bin" : runDir;
    // The run directory becomes the working directory, so relative paths are fixed now.
    std::vector<std::string*> paths = {&line.developer.inputScript, &line.developer.screenshot, &line.developer.probe,
                                       &line.developer.dialogAnswers};
    for (auto& shot : line.developer.timedScreenshots)
        paths.push_back(&shot.second);
    for (std::string* path : paths)
        if (!path->empty() && (*path)[0] != '/')
            *path = win::GetCurrentDirectory() + "/" + *path;
    return line;
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = ParseCommandLine(argc, argv);
    if (!line.valid) {
        PrintUsage();
        return 2;
    }
    if (!win::SetCurrentDirectory(line.runDirectory)) {
        win::MessageBox(nullptr, "Cannot enter the run directory " + line.runDirectory, "Error");
        return 1;
    }
    const int result = Game::RunGame(line.developer);
    Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    const int exitCode = result != 0 ? result : window.GetExitCode();
    window.DestroyMainWindow();
    return exitCode;
}
