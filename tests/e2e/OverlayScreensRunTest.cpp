// The screens over a running level, headless, as a player's keys take them: level 1 paused with
// Escape, the options opened from the pause (also at 800 x 600 and back to the largest mode),
// the restart question and its No, then Quit and Yes, which ends the program at once with the
// player's volume saved (not the pause's halved one). A picture of each screen is kept under the
// build tree's tests/artifacts/ as OverlayScreensRunTest_<frame>_<screen>.bmp.
#include "ProgramRunner.h"

#include "core/CXmlDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using e2e::Tap;

struct Shot {
    int frame;
    const char* screen;
    const char* state; // on top in that frame
    uint32_t width, height;
};

TEST(OverlayScreensRunTest, PauseOptionsAndQuestionsOverLevelOneThenQuitSavesThePlayersVolume)
{
    e2e::RunDirectory run;
    run.WriteConfig({{"bgm_vol", "0.8"},
                     {"fullscreen", "0"},
                     {"initialstate", "PlayState"},
                     {"levelfile", ""},
                     {"mute", "0"},
                     {"scrn_height", "720"},
                     {"scrn_width", "1280"},
                     {"use_gamepad", "0"}});
    std::string script = "5 mouse move 1880 1050\n";  // the pointer waits in a corner
    script += Tap(300, "ESCAPE");                     // pause
    script += Tap(330, "RIGHT") + Tap(340, "RETURN"); // Options
    for (int frame : {370, 380, 390, 400})            // to 800 x 600
        script += Tap(frame, "RIGHT");
    script += Tap(410, "RETURN");
    script += Tap(440, "LEFT") + Tap(450, "LEFT") + Tap(460, "RETURN");   // Largest
    script += Tap(470, "ESCAPE");                                         // back to the pause
    script += Tap(490, "RIGHT") + Tap(500, "RETURN");                     // Restart?
    script += Tap(530, "ESCAPE");                                         // no
    script += Tap(550, "RIGHT") + Tap(560, "RIGHT") + Tap(570, "RETURN"); // Quit?
    script += Tap(600, "LEFT") + Tap(610, "RETURN");                      // yes
    testsupport::WriteFile(run.File("overlays.txt"), script);

    const Shot shots[] = {
        {320, "pause", "CPauseState", 1920, 1080},
        {360, "options", "OptionState", 1920, 1080},
        {430, "options_800x600", "OptionState", 800, 600},
        {520, "restart_question", "ConfirmationState", 1920, 1080},
        {590, "quit_question", "ConfirmationState", 1920, 1080},
    };
    std::vector<std::string> args = {"--run-dir",      run.Path(),
                                     "--frames",       "900",
                                     "--fixed-dt",     "0.016",
                                     "--input-script", run.File("overlays.txt"),
                                     "--probe",        run.File("overlays.probe")};
    for (const Shot& shot : shots) {
        args.push_back("--screenshot-at");
        args.push_back(std::to_string(shot.frame) + ":" + run.File(shot.screen + std::string(".bmp")));
    }
    const e2e::RunResult result = e2e::RunGame(args);
    EXPECT_EQ(0, result.exitCode) << result.output;

    const std::vector<std::string> states = e2e::ProbeStates(run.File("overlays.probe"), 900);
    EXPECT_EQ("CPlayState", states[290]);
    std::filesystem::create_directories(THRUMMOCK_ARTIFACT_DIR);
    for (const Shot& shot : shots) {
        EXPECT_EQ(shot.state, states[shot.frame]) << shot.screen << " at frame " << shot.frame;
        const std::string picture = testsupport::ReadFile(run.File(shot.screen + std::string(".bmp")));
        EXPECT_EQ(shot.width, e2e::BmpWidth(picture)) << shot.screen;
        EXPECT_EQ(shot.height, e2e::BmpHeight(picture)) << shot.screen;
        testsupport::WriteFile(std::string(THRUMMOCK_ARTIFACT_DIR) + "/OverlayScreensRunTest_" +
                                   std::to_string(shot.frame) + "_" + shot.screen + ".bmp",
                               picture);
    }
    // Yes on Quit ends the program after its frame, long before the frame limit.
    size_t frames = 0;
    while (frames < states.size() && !states[frames].empty())
        ++frames;
    EXPECT_GT(frames, 600u);
    EXPECT_LT(frames, 640u) << "the program ended on Yes";

    Vesk::CXmlDocument config;
    ASSERT_TRUE(config.Load(run.File("assets/systemconfig.xml")));
    EXPECT_STREQ("0.8", config.FindElement("Options/bgm_vol").GetAttribute("val"));
    EXPECT_STREQ("0", config.FindElement("Options/mute").GetAttribute("val"));
    EXPECT_STREQ("PlayState", config.FindElement("Options/initialstate").GetAttribute("val"));
}

} // namespace
