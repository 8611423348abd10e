// The built program driven headless by an input script: a scripted Ctrl+R restarts the first
// state exactly as the key presses of a player would. The runs open with the physics test, a
// state that reports its lifecycle on standard output.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <string>

using e2e::RunDirectory;
using e2e::RunGame;

namespace {

TEST(InputScriptRunTest, ScriptedCtrlRRestartsTheState)
{
    RunDirectory run;
    run.WriteConfig({{"initialstate", "PhysicsTest"}, {"mute", "1"}, {"fullscreen", "0"}});
    testsupport::WriteFile(run.File("restart.txt"), "2 key down CONTROL\n"
                                                    "3 key down R\n"
                                                    "4 key up R\n"
                                                    "5 key up CONTROL\n"
                                                    "6 key down R\n" // R alone restarts nothing
                                                    "7 key up R\n");
    const e2e::RunResult result = RunGame(
        {"--run-dir", run.Path(), "--frames", "10", "--fixed-dt", "0.016", "--input-script", run.File("restart.txt")});
    EXPECT_EQ(0, result.exitCode) << result.output;
    const std::string restart = "state CPhyState: Exit\nstate CPhyState: Enter\n";
    EXPECT_NE(std::string::npos, result.output.find(restart)) << result.output;
    EXPECT_EQ(2u, e2e::Count(result.output, "state CPhyState: Enter")) << result.output;
}

TEST(InputScriptRunTest, BadLinesAreReportedAndAMissingScriptStopsTheStart)
{
    RunDirectory run;
    run.WriteConfig({{"initialstate", "PhysicsTest"}, {"mute", "1"}, {"fullscreen", "0"}});
    testsupport::WriteFile(run.File("script.txt"), "1 key down CONTROL\n"
                                                   "1 key smash R\n"
                                                   "2 key down F9\n");
    e2e::RunResult result =
        RunGame({"--frames", "5", "--fixed-dt", "0.016"},
                {"THRUMMOCK_RUN_DIR=" + run.Path(), "THRUMMOCK_INPUT_SCRIPT=" + run.File("script.txt")});
    EXPECT_EQ(0, result.exitCode) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("script.txt line 2: ")) << result.output;
    EXPECT_EQ(2u, e2e::Count(result.output, "state CPhyState: Enter")) << "Ctrl+F9 still restarts\n" << result.output;

    result = RunGame({"--run-dir", run.Path(), "--frames", "5", "--input-script", run.File("absent.txt")});
    EXPECT_NE(0, result.exitCode) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("absent.txt")) << result.output;
    EXPECT_EQ(std::string::npos, result.output.find("state CPhyState: Enter")) << result.output;
}

} // namespace
