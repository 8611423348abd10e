// A played level to the highscore table in the running program, headless, as a player's keys take
// it: the test level "testarena" (one wave of three kobolds) started through "levelfile", a player
// who keeps swinging until the wave is beaten, the score screen, the name entry "ABC", the way
// back to the title page and the main menu, and the highscore table with the new record. The
// run's copy of the level is named "arena2" (with its wave file beside it), so that the record
// lands on the table's first page. The frames of the script leave the fight 16 seconds: it takes
// about 12.5. A picture of every screen is kept under the build tree's tests/artifacts/ as
// HighscoreRunTest_<frame>_<screen>.bmp.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

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

constexpr int kFightEnd = 1000;     // the wave is beaten by then
constexpr int kScoreConfirm = 1510; // the score screen takes 7.9 s after the wave to accept it
constexpr int kLettersFrom = 1610;  // the name entry opens a second after that confirmation
constexpr int kNameConfirm = 1680;  // "ABC" entered
constexpr int kTitleKey = 2030;     // the transitions have brought the title page back
constexpr int kMenuKeys = 2200;     // the title flight has brought the main menu
constexpr int kTableBack = 2260;    // the table has been looked at
constexpr int kFrames = 2280;

TEST(HighscoreRunTest, TheTestLevelPlayedToItsScoreScreenEntersABCAndTheTableShowsIt)
{
    e2e::RunDirectory run;
    std::string level = testsupport::ReadFile(run.File("assets/levels/testarena.xml"));
    const std::string name = "levelname=\"testarena\"";
    ASSERT_NE(std::string::npos, level.find(name));
    level.replace(level.find(name), name.size(), "levelname=\"arena2\"");
    testsupport::WriteFile(run.File("assets/levels/testarena.xml"), level);
    testsupport::WriteFile(run.File("assets/scripts/wave/arena2.xml"),
                           testsupport::ReadFile(run.File("assets/scripts/wave/testarena.xml")));
    run.WriteConfig({{"initialstate", "PlayState"}, {"levelfile", "assets/levels/testarena.xml"}, {"mute", "1"}});

    std::string script = "5 mouse move 1880 1050\n"; // the pointer waits in a corner
    for (int frame = 150; frame < kFightEnd; frame += 10)
        script += Tap(frame, "J", 3); // swing after swing
    script += Tap(kScoreConfirm, "RETURN", 3);
    // "AAA" to "ABC": the second letter up once, the third up twice.
    script += Tap(kLettersFrom, "RIGHT", 3) + Tap(kLettersFrom + 10, "UP", 3) + Tap(kLettersFrom + 20, "RIGHT", 3);
    script += Tap(kLettersFrom + 30, "UP", 3) + Tap(kLettersFrom + 40, "UP", 3);
    script += Tap(kNameConfirm, "RETURN", 3);
    script += Tap(kTitleKey, "SPACE", 3);
    for (int i = 0; i < 3; ++i)
        script += Tap(kMenuKeys + 7 * i, "DOWN", 3); // down to Highscores
    script += Tap(kMenuKeys + 21, "RETURN", 3);
    script += Tap(kTableBack, "ESCAPE", 3);
    testsupport::WriteFile(run.File("highscore.txt"), script);

    const Shot shots[] = {
        {600, "fight", "CPlayState"},
        {kScoreConfirm - 10, "scorescreen", "CPlayState"},
        {kNameConfirm - 5, "nameentry", ""},
        {kTableBack - 10, "table", "CHighScoreState"},
    };
    std::vector<std::string> args = {"--run-dir",      run.Path(),
                                     "--frames",       std::to_string(kFrames),
                                     "--fixed-dt",     "0.016",
                                     "--input-script", run.File("highscore.txt"),
                                     "--probe",        run.File("highscore.probe")};
    for (const Shot& shot : shots) {
        args.push_back("--screenshot-at");
        args.push_back(std::to_string(shot.frame) + ":" + run.File(shot.screen + std::string(".bmp")));
    }
    const e2e::RunResult result = e2e::RunGame(args);
    ASSERT_EQ(0, result.exitCode) << result.output;

    const std::string probe = testsupport::ReadFile(run.File("highscore.probe"));
    ASSERT_EQ("0", ProbeField(probe, kFightEnd, "enemies")) << "the wave is beaten in time";
    const std::string finalScore = ProbeField(probe, kFightEnd, "score");
    ASSERT_GT(std::stoi(finalScore), 0) << "the player scored";
    const std::vector<std::string> states = e2e::ProbeStates(run.File("highscore.probe"), kFrames);
    for (const Shot& shot : shots) {
        EXPECT_EQ(shot.state, states[shot.frame]) << shot.screen << " at frame " << shot.frame;
        e2e::KeepArtifact(run.File(shot.screen + std::string(".bmp")),
                          "HighscoreRunTest_" + std::to_string(shot.frame) + "_" + shot.screen + ".bmp");
    }
    EXPECT_EQ("CPlayState", states[kScoreConfirm]) << "the score screen waits for the player";
    EXPECT_EQ("TransitInState", states[kNameConfirm + 10]) << "the name entry goes back through a transition";
    EXPECT_EQ("MenuState", states[kTitleKey]);
    EXPECT_EQ("MenuState", states[kFrames - 1]) << "Escape leaves the table";

    // The table of a level seen for the first time: four places of "AAA" at 999 and the player's.
    const uint32_t score = static_cast<uint32_t>(std::stoul(finalScore));
    std::string expected;
    const std::string others = testsupport::HighscoreRecordBytes("arena2", "AAA", 999);
    if (score > 999)
        expected = testsupport::HighscoreRecordBytes("arena2", "ABC", score) + others + others + others + others;
    else
        expected = others + others + others + others + testsupport::HighscoreRecordBytes("arena2", "ABC", score);
    EXPECT_EQ(expected, testsupport::ReadFile(run.File("assets/highscore.dat")));
}

} // namespace
