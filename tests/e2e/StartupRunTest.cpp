// The built program, run headless on a scratch copy of bin/: start-up log, first state, the
// developer options and the exit code.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

using e2e::RunDirectory;
using e2e::RunGame;

TEST(ProgramRunTest, StartsLogsEveryStepRunsFramesAndExitsCleanly)
{
    RunDirectory run;
    const e2e::RunResult result =
        RunGame({"--run-dir", run.Path(), "--frames", "5", "--fixed-dt", "0.016", "--probe", run.File("run.probe")});
    EXPECT_EQ(0, result.exitCode) << result.output;
    EXPECT_EQ("Window Initialized\nMinidump Initialized\nProfiler Initialized\nTimer Initialized\n"
              "Camera Manager Initialized\nRenderer Initialized\nPhysics Initialized\n"
              "DevGUI Component Initialized\nResource Manager Initialized\n"
              "Debug Output Manager Initialized\nCDisplay2D System Initialized\n"
              "CParticle System Initialized\nAudio System Initialized\nSceneGraph Initialized\n",
              testsupport::ReadFile(run.File("startup.log")));
    EXPECT_EQ(std::vector<std::string>(5, "CtrlState"), e2e::ProbeStates(run.File("run.probe"), 5))
        << "the shipped configuration opens with the controls screen";
}

TEST(ProgramRunTest, FirstStateFollowsInitialState)
{
    const std::pair<const char*, const char*> cases[] = {
        {"PhysicsTest", "CPhyState"},
        {"menustate", "CtrlState"},
        {"MenuState", "MenuState"},
        {"CtrlState", "CtrlState"},
    };
    for (const auto& [initialState, expected] : cases) {
        RunDirectory run;
        run.WriteConfig({{"initialstate", initialState}, {"mute", "1"}, {"fullscreen", "0"}});
        const e2e::RunResult result =
            RunGame({"--frames", "2", "--probe", run.File("run.probe")}, {"THRUMMOCK_RUN_DIR=" + run.Path()});
        EXPECT_EQ(0, result.exitCode) << result.output;
        EXPECT_EQ(std::vector<std::string>(2, expected), e2e::ProbeStates(run.File("run.probe"), 2)) << initialState;
    }
}

TEST(ProgramRunTest, ThePlayStateLoadsItsLevelRunsAndExitsCleanly)
{
    RunDirectory run;
    run.WriteConfig({{"initialstate", "PlayState"}, {"mute", "1"}, {"fullscreen", "0"}});
    const e2e::RunResult result =
        RunGame({"--frames", "5", "--fixed-dt", "0.016"}, {"THRUMMOCK_RUN_DIR=" + run.Path()});
    EXPECT_EQ(0, result.exitCode) << result.output;
    EXPECT_EQ(std::string::npos, result.output.find("state ")) << "no placeholder state ran\n" << result.output;
    EXPECT_EQ(std::string::npos, result.output.find("Failed to load level file")) << result.output;
}

TEST(ProgramRunTest, MissingConfigurationFallsBackToTheControlsScreen)
{
    RunDirectory run;
    std::remove(run.File("assets/systemconfig.xml").c_str());
    const e2e::RunResult result = RunGame({"--run-dir", run.Path(), "--frames", "2", "--probe", run.File("run.probe")});
    EXPECT_EQ(0, result.exitCode) << result.output;
    EXPECT_EQ(std::vector<std::string>(2, "CtrlState"), e2e::ProbeStates(run.File("run.probe"), 2));
}

TEST(ProgramRunTest, AMissingDefinitionFileStopsStartupAtTheResourceManager)
{
    RunDirectory run;
    std::remove(run.File("assets/fonts.xml").c_str());
    const e2e::RunResult result = RunGame({"--run-dir", run.Path(), "--frames", "2"});
    EXPECT_NE(0, result.exitCode) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("CResourceManager:: Path assets/fonts.xml not found"))
        << result.output;
    const std::string log = testsupport::ReadFile(run.File("startup.log"));
    EXPECT_EQ(log.size() - std::string("DevGUI Component Initialized\n").size(),
              log.find("DevGUI Component Initialized"))
        << log;
}

TEST(ProgramRunTest, BadOptionsOrRunDirectoryExitNonZero)
{
    EXPECT_NE(0, RunGame({"--frames", "many"}).exitCode);
    EXPECT_NE(0, RunGame({"--run-dir", "/nonexistent/thrummock"}).exitCode);
}
