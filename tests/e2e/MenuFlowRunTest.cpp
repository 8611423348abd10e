// The way from the shipped start to a played level, headless, as a player's keys take it: the
// controls screen, the title page, the title flight to the main menu, the credits and back, the
// five how-to-play pages and back, the level selection, the flight into level 1 with its two
// transitions, and level 1 taking the player's input. The probe names the state on top in every
// frame; a picture of every screen is kept under the build tree's tests/artifacts/ as
// MenuFlowRunTest_<frame>_<screen>.bmp.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using e2e::ProbeField;
using e2e::Tap;

struct Shot {
    int frame;
    const char* screen;
    const char* state; // on top in that frame
};

TEST(MenuFlowRunTest, FromTheControlsScreenThroughEveryMenuScreenIntoLevelOne)
{
    e2e::RunDirectory run;
    std::string script = "5 mouse move 1880 1050\n"; // the pointer waits in a corner
    script += Tap(25, "RETURN");                     // controls -> title page
    script += Tap(185, "SPACE");                     // title page -> title flight
    for (int frame : {345, 352, 359, 366})           // down to Credits
        script += Tap(frame, "S");
    script += Tap(373, "RETURN");                                 // credits
    script += Tap(680, "ESCAPE");                                 // skip to the end, back
    script += Tap(750, "W") + Tap(757, "W") + Tap(764, "RETURN"); // How to Play
    for (int frame : {785, 800, 815, 830, 845})                   // pages 2, 3, 4, 5, 1
        script += Tap(frame, "RETURN");
    script += Tap(855, "ESCAPE");                                   // back to the menu
    script += Tap(862, "UP") + Tap(869, "UP") + Tap(876, "RETURN"); // level selection
    script += Tap(900, "RETURN");                                   // level 1
    script += "1460 key down D\n1520 key up D\n";                   // the player walks right
    testsupport::WriteFile(run.File("flow.txt"), script);

    const Shot shots[] = {
        {20, "controls", "CtrlState"},
        {180, "title", "MenuState"},
        {340, "menu", "MenuState"},
        {676, "credits", "CCreditsState"},
        {780, "howtoplay1", "HowToPlayState"},
        {795, "howtoplay2", "HowToPlayState"},
        {810, "howtoplay3", "HowToPlayState"},
        {825, "howtoplay4", "HowToPlayState"},
        {840, "howtoplay5", "HowToPlayState"},
        {895, "levelselection", "CLevelSelectionState"},
        {950, "levelflight", "MenuState"},
        {1060, "transitin", "TransitInState"},
        {1215, "transitout", "TransitOutState"},
        {1520, "play", "CPlayState"},
    };
    std::vector<std::string> args = {
        "--run-dir", run.Path(),       "--frames",           "1800",    "--fixed-dt",
        "0.016",     "--input-script", run.File("flow.txt"), "--probe", run.File("flow.probe")};
    for (const Shot& shot : shots) {
        args.push_back("--screenshot-at");
        args.push_back(std::to_string(shot.frame) + ":" + run.File(shot.screen + std::string(".bmp")));
    }
    const e2e::RunResult result = e2e::RunGame(args);
    EXPECT_EQ(0, result.exitCode) << result.output;

    const std::vector<std::string> states = e2e::ProbeStates(run.File("flow.probe"), 1530);
    std::filesystem::create_directories(THRUMMOCK_ARTIFACT_DIR);
    for (const Shot& shot : shots) {
        EXPECT_EQ(shot.state, states[shot.frame]) << shot.screen << " at frame " << shot.frame;
        const std::string file = run.File(shot.screen + std::string(".bmp"));
        const std::string bytes = testsupport::ReadFile(file);
        EXPECT_GT(e2e::BmpWidth(bytes), 0u) << shot.screen;
        std::error_code error;
        std::filesystem::copy_file(file,
                                   std::string(THRUMMOCK_ARTIFACT_DIR) + "/MenuFlowRunTest_" +
                                       std::to_string(shot.frame) + "_" + shot.screen + ".bmp",
                                   std::filesystem::copy_options::overwrite_existing, error);
        EXPECT_FALSE(error) << file;
    }
    // Level 1 runs and the player walks on the keys.
    const std::string probe = testsupport::ReadFile(run.File("flow.probe"));
    EXPECT_EQ("arena2", ProbeField(probe, 1460, "level")) << "the player is in level 1";
    EXPECT_GT(std::atof(ProbeField(probe, 1520, "x").c_str()), std::atof(ProbeField(probe, 1460, "x").c_str()) + 10.0)
        << "and walks on the player's keys";
}

} // namespace
