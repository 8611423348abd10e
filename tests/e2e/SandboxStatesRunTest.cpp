// Every developer state in the running program: started through "initialstate", run for 300
// frames under a short script that presses its keys, it exits cleanly; the picture of its last
// frame is kept under the build tree's artefacts and shows what the state is for.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

// The share (0 to 1) of the sampled pixels of the picture that pass the test.
float Share(const std::string& bytes, const std::function<bool(const Rgb&)>& test)
{
    int samples = 0, passed = 0;
    for (uint32_t y = 0; y < e2e::BmpHeight(bytes); y += 3)
        for (uint32_t x = 0; x < e2e::BmpWidth(bytes); x += 3) {
            const uint32_t rgb = e2e::BmpPixel(bytes, int(x), int(y));
            ++samples;
            passed += test({int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)}) ? 1 : 0;
        }
    return samples ? float(passed) / float(samples) : 0.0f;
}

// A key pressed at a frame and let go `frames` later.
std::string Press(int frame, const std::string& key, int frames = 2)
{
    return std::to_string(frame) + " key down " + key + "\n" + std::to_string(frame + frames) + " key up " + key + "\n";
}

const struct {
    const char* initialState;
    std::string script;
    // The state on top in the last frame, as the probe names it.
    const char* lastState;
    std::function<void(const std::string& picture)> check;
    // A frame pictured on the way (0: none) and what it shows.
    int midFrame = 0;
    std::function<void(const std::string& picture)> midCheck = nullptr;
} kRuns[] = {
    {"CubeTest",
     Press(60, "F") + Press(100, "R") + Press(130, "F") + Press(200, "1") + Press(240, "2") + Press(270, "R"), "",
     [](const std::string& picture) {
         // The test blocks' red, green and blue faces across the grid.
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.r > 150 && c.g < 110 && c.b < 110; }), 0.002f);
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.g > 150 && c.r < 120 && c.b < 120; }), 0.001f);
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.b > 150 && c.r < 120 && c.g < 140; }), 0.001f);
     },
     // The swordsmen in their red tunics, some of them burst into flying cubes.
     160,
     [](const std::string& picture) {
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.r > 150 && c.g < 80 && c.b < 80; }), 0.005f);
     }},
    {"pmarlSandbox", Press(30, "RIGHT", 90) + Press(140, "J") + Press(160, "J") + Press(200, "K"), "pmarlSandboxState",
     [](const std::string& picture) {
         // The arena's ground in its sandy palette fills much of the view.
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.r > c.b + 40 && c.g > c.b + 20; }), 0.3f);
     }},
    {"PhysicsTest",
     Press(10, "T") + Press(40, "I", 40) + Press(40, "L", 40) + Press(100, "SPACE") + Press(150, "K", 30) +
         Press(200, "J", 30) + Press(240, "L", 20) + Press(270, "T") + Press(280, "T"),
     "CPhyState",
     [](const std::string& picture) {
         // The boxes' debug outlines in red, green, blue and magenta, and the white ground.
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.r > 200 && c.g < 60 && c.b > 200; }), 0.0f);
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.r > 200 && c.g > 200 && c.b > 200; }), 0.001f);
     }},
    {"PlimmSandbox",
     Press(20, "Y") + Press(40, "U") + Press(60, "I") + Press(80, "I") + Press(100, "T") + Press(200, "SPACE") +
         Press(240, "P"),
     "",
     [](const std::string& picture) {
         // The portal's violet and cyan motes and the fire's orange.
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.b > 150 && c.b > c.g + 20 && c.r > 60; }), 0.001f);
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.r > 180 && c.g > 120 && c.b < 120; }), 0.0005f);
     }},
    {"UloSandbox", Press(100, "RIGHT", 160) + Press(265, "J") + Press(278, "J") + Press(292, "ESCAPE", 3),
     "CPauseState",
     [](const std::string& picture) {
         // The arena dimmed under the pause screen.
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.r > c.b + 40 && c.g > c.b + 20; }), 0.02f);
     },
     // The arena's ground in its sandy palette while the player fights.
     260,
     [](const std::string& picture) {
         EXPECT_GT(Share(picture, [](const Rgb& c) { return c.r > c.b + 40 && c.g > c.b + 20; }), 0.2f);
     }},
    {"RessaSandbox", Press(100, "UP") + Press(140, "RIGHT") + Press(180, "DOWN"), "", [](const std::string&) {}},
};

class SandboxStatesRunTest : public ::testing::TestWithParam<size_t> {};

TEST_P(SandboxStatesRunTest, RunsItsKeysAndExitsCleanly)
{
    const auto& run = kRuns[GetParam()];
    e2e::RunDirectory dir;
    dir.WriteConfig({{"fullscreen", "0"}, {"initialstate", run.initialState}, {"mute", "1"}});
    testsupport::WriteFile(dir.File("keys.txt"), run.script);
    const std::string shot = dir.File("last.bmp"), midShot = dir.File("mid.bmp"), probe = dir.File("run.probe");
    std::vector<std::string> args = {"--run-dir",      dir.Path(),           "--frames", "300", "--fixed-dt",   "0.016",
                                     "--input-script", dir.File("keys.txt"), "--probe",  probe, "--screenshot", shot};
    if (run.midFrame > 0) {
        args.push_back("--screenshot-at");
        args.push_back(std::to_string(run.midFrame) + ":" + midShot);
    }
    const e2e::RunResult result = e2e::RunGame(args);
    ASSERT_EQ(0, result.exitCode) << result.output;
    EXPECT_EQ(result.output.find("SHADER ERROR"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("CInputScript: "), std::string::npos) << result.output;
    const std::vector<std::string> states = e2e::ProbeStates(probe, 300);
    EXPECT_EQ(run.lastState, states.back());
    const std::string picture = testsupport::ReadFile(shot);
    ASSERT_GT(picture.size(), 54u) << result.output;
    e2e::KeepArtifact(shot, std::string("SandboxStatesRunTest_") + run.initialState + ".bmp");
    run.check(picture);
    if (run.midFrame > 0) {
        const std::string mid = testsupport::ReadFile(midShot);
        ASSERT_GT(mid.size(), 54u);
        e2e::KeepArtifact(midShot, std::string("SandboxStatesRunTest_") + run.initialState + "_mid.bmp");
        run.midCheck(mid);
    }
}

INSTANTIATE_TEST_SUITE_P(EachDeveloperState, SandboxStatesRunTest, ::testing::Range<size_t>(0, std::size(kRuns)),
                         [](const ::testing::TestParamInfo<size_t>& info) { return kRuns[info.param].initialState; });

} // namespace
