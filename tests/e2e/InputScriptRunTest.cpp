// The built program driven headless by an input script: a scripted Ctrl+R restarts the first
// state exactly as the key presses of a player would. The runs open with the side-scrolling
// sandbox, whose restart loads the level again, so the player walked off stands at its start (the
// player takes the keys from about frame 105 on).
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using e2e::RunDirectory;
using e2e::RunGame;

namespace {

// The player's x by frame number from a probe file (NaN where the line has none); a frame written
// twice keeps its last line.
std::map<int, float> ProbeX(const std::string& probePath)
{
    std::map<int, float> xs;
    std::istringstream lines(testsupport::ReadFile(probePath));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("frame=", 0) != 0)
            continue;
        const size_t at = line.find(" x=");
        xs[std::stoi(line.substr(6))] = at == std::string::npos ? std::nanf("") : std::stof(line.substr(at + 3));
    }
    return xs;
}

constexpr float kStartX = 80.0f; // where the shipped first level's player starts

TEST(InputScriptRunTest, ScriptedCtrlRRestartsTheState)
{
    RunDirectory run;
    run.WriteConfig({{"initialstate", "pmarlSandbox"}, {"mute", "1"}, {"fullscreen", "0"}});
    testsupport::WriteFile(run.File("restart.txt"), "106 key down RIGHT\n"
                                                    "110 key down R\n" // R alone restarts nothing
                                                    "111 key up R\n"
                                                    "118 key up RIGHT\n"
                                                    "120 key down CONTROL\n"
                                                    "121 key down R\n"
                                                    "122 key up R\n"
                                                    "123 key up CONTROL\n");
    const std::string probe = run.File("run.probe");
    const e2e::RunResult result = RunGame({"--run-dir", run.Path(), "--frames", "130", "--fixed-dt", "0.016",
                                           "--input-script", run.File("restart.txt"), "--probe", probe});
    EXPECT_EQ(0, result.exitCode) << result.output;
    std::map<int, float> x = ProbeX(probe);
    ASSERT_GE(x.size(), 130u) << result.output;
    EXPECT_GT(x[109], kStartX) << "walking off its start";
    EXPECT_GT(x[119], x[109] + 1.0f) << "R alone restarts nothing";
    EXPECT_NEAR(x[129], kStartX, 0.01f) << "back at its start after the restart";
}

TEST(InputScriptRunTest, BadLinesAreReportedAndAMissingScriptStopsTheStart)
{
    RunDirectory run;
    run.WriteConfig({{"initialstate", "pmarlSandbox"}, {"mute", "1"}, {"fullscreen", "0"}});
    testsupport::WriteFile(run.File("script.txt"), "110 key down RIGHT\n"
                                                   "120 key up RIGHT\n"
                                                   "121 key down CONTROL\n"
                                                   "121 key smash R\n"
                                                   "122 key down F9\n");
    const std::string probe = run.File("run.probe");
    e2e::RunResult result =
        RunGame({"--frames", "126", "--fixed-dt", "0.016", "--probe", probe},
                {"THRUMMOCK_RUN_DIR=" + run.Path(), "THRUMMOCK_INPUT_SCRIPT=" + run.File("script.txt")});
    EXPECT_EQ(0, result.exitCode) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("script.txt line 4: ")) << result.output;
    std::map<int, float> x = ProbeX(probe);
    ASSERT_GE(x.size(), 126u) << result.output;
    EXPECT_GT(x[120], kStartX + 1.0f);
    EXPECT_NEAR(x[125], kStartX, 0.01f) << "Ctrl+F9 still restarts";

    const std::string absentProbe = run.File("absent.probe");
    result = RunGame(
        {"--run-dir", run.Path(), "--frames", "5", "--input-script", run.File("absent.txt"), "--probe", absentProbe});
    EXPECT_NE(0, result.exitCode) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("absent.txt")) << result.output;
    EXPECT_FALSE(testsupport::FileExists(absentProbe)) << "no frame ran";
}

} // namespace
