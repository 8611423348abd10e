// The level editor opened over level 1 in the running program: Ctrl+F2 opens it over the play
// state and closes it again. While it is open the player stands still although Right is held
// (the controllers are stopped) and the level's HUD is hidden; after closing, Right walks the
// player again. A designer's session by keys and mouse alone: a crate made with the
// object-control tool, dragged by its X handle, the drag undone and redone, the level saved as a
// new file through the (scripted) dialog and the editor closed; a new play of that file has the
// crate where it was dragged. Screenshots are kept under the build tree's tests/artifacts/ as
// EditorRunTest_<name>.bmp.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The player's x in each probe line (0 without a player).
std::vector<double> PlayerX(const std::string& probe)
{
    std::vector<double> xs;
    std::istringstream lines(probe);
    for (std::string line; std::getline(lines, line);) {
        const size_t at = line.find(" x=");
        xs.push_back(at == std::string::npos ? 0.0 : std::atof(line.c_str() + at + 3));
    }
    return xs;
}

// Ctrl+F2 at the frame.
std::string ToggleEditor(int frame)
{
    const std::string f = std::to_string(frame), g = std::to_string(frame + 1), h = std::to_string(frame + 2);
    return f + " key down CONTROL\n" + g + " key down F2\n" + h + " key up F2\n" + h + " key up CONTROL\n";
}

struct EditorRun {
    e2e::RunResult result;
    std::vector<double> x;
    std::string screenshot;
};

EditorRun RunScript(const e2e::RunDirectory& dir, const std::string& script, int frames, const std::string& name)
{
    dir.WriteConfig(
        {{"fullscreen", "0"}, {"initialstate", "PlayState"}, {"levelfile", "assets/levels/arena2.xml"}, {"mute", "1"}});
    testsupport::WriteFile(dir.File(name + ".txt"), script);
    const std::string probe = dir.File(name + ".probe"), shot = dir.File(name + ".bmp");
    EditorRun run;
    run.result = e2e::RunGame({"--run-dir", dir.Path(), "--frames", std::to_string(frames), "--fixed-dt", "0.016",
                               "--input-script", dir.File(name + ".txt"), "--probe", probe, "--screenshot", shot});
    run.x = PlayerX(testsupport::ReadFile(probe));
    run.screenshot = testsupport::ReadFile(shot);
    if (!run.screenshot.empty())
        e2e::KeepArtifact(shot, "EditorRunTest_" + name + ".bmp");
    return run;
}

TEST(EditorRunTest, CtrlF2OpensTheEditorOverTheLevelAndClosesIt)
{
    e2e::RunDirectory dir;
    // Right held from frame 130 to 250; the editor is open from frame 120 to 200.
    const std::string script = ToggleEditor(120) + "130 key down RIGHT\n" + ToggleEditor(200) + "250 key up RIGHT\n";
    const EditorRun open = RunScript(dir, ToggleEditor(120) + "130 key down RIGHT\n", 180, "open");
    ASSERT_EQ(open.result.exitCode, 0) << open.result.output;
    ASSERT_GE(open.x.size(), 180u);
    EXPECT_EQ(open.x[135], open.x[179]) << "the player moved while the editor was open";
    ASSERT_FALSE(open.screenshot.empty());

    const EditorRun closed = RunScript(dir, script, 260, "closed");
    ASSERT_EQ(closed.result.exitCode, 0) << closed.result.output;
    ASSERT_GE(closed.x.size(), 260u);
    EXPECT_EQ(closed.x[135], closed.x[199]);
    EXPECT_GT(closed.x[250], closed.x[205] + 1.0) << "the player did not walk after the editor closed";
    ASSERT_FALSE(closed.screenshot.empty());
}

// The value of the key in a probe line ("" when absent).
std::string Field(const std::string& line, const std::string& key)
{
    const size_t at = line.find(" " + key + "=");
    if (at == std::string::npos)
        return "";
    const size_t from = at + key.size() + 2;
    return line.substr(from, line.find(' ', from) - from);
}

// The probe's lines, one a frame.
std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(testsupport::ReadFile(path));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

double X(const std::string& position) { return std::atof(position.c_str()); }

TEST(EditorRunTest, ACrateMadeMovedUndoneRedoneAndSavedPlaysInTheNewLevel)
{
    e2e::RunDirectory dir;
    dir.WriteConfig(
        {{"fullscreen", "0"}, {"initialstate", "PlayState"}, {"levelfile", "assets/levels/arena2.xml"}, {"mute", "1"}});
    // Client pixels of the 1280 x 720 window, where the editor camera looks down on the level.
    const std::string script = ToggleEditor(20) +
                               // Tab twice: the Units layer; 3 four times: the crate's type.
                               "30 key down TAB\n31 key up TAB\n33 key down TAB\n34 key up TAB\n"
                               "40 key down 3\n41 key up 3\n43 key down 3\n44 key up 3\n"
                               "46 key down 3\n47 key up 3\n49 key down 3\n50 key up 3\n"
                               // A click on the ground makes the crate.
                               "55 mouse move 560 450\n60 mouse down left 560 450\n61 mouse up left 560 450\n"
                               // ` for Move mode, and a click on the crate selects it.
                               "70 key down 0xC0\n71 key up 0xC0\n75 mouse move 561 450\n"
                               "80 mouse down left 560 450\n81 mouse up left 560 450\n"
                               // The X handle's tip dragged 60 pixels further along +x.
                               "90 mouse move 436 456\n95 mouse down left 436 456\n100 mouse move 416 456\n"
                               "105 mouse move 396 456\n110 mouse move 376 456\n115 mouse up left 376 456\n"
                               // Undo (Ctrl+Z), then redo (Ctrl+A).
                               "130 key down CONTROL\n131 key down Z\n132 key up Z\n132 key up CONTROL\n"
                               "150 key down CONTROL\n151 key down A\n152 key up A\n152 key up CONTROL\n"
                               // "Save Entire Level As.." on the menu bar; the dialog answers.
                               "170 mouse move 177 119\n175 mouse down left 177 119\n176 mouse up left 177 119\n" +
                               ToggleEditor(200);
    testsupport::WriteFile(dir.File("edit.txt"), script);
    testsupport::WriteFile(dir.File("answers.txt"), "choose assets/levels/designed.xml\n");
    const char* const kCrate = "DESTRUCTIBLE_OBJECT2";
    std::vector<std::string> args = {"--run-dir",        dir.Path(),
                                     "--frames",         "230",
                                     "--fixed-dt",       "0.016",
                                     "--input-script",   dir.File("edit.txt"),
                                     "--probe",          dir.File("edit.probe"),
                                     "--probe-entity",   kCrate,
                                     "--dialog-answers", dir.File("answers.txt")};
    const std::vector<std::pair<int, std::string>> shots = {{65, "created"}, {120, "moved"}, {140, "undone"},
                                                            {160, "redone"}, {185, "saved"}, {220, "closed"}};
    for (const auto& [frame, name] : shots) {
        args.push_back("--screenshot-at");
        args.push_back(std::to_string(frame) + ":" + dir.File(name + ".bmp"));
    }
    const e2e::RunResult edit = e2e::RunGame(args);
    ASSERT_EQ(edit.exitCode, 0) << edit.output;
    for (const auto& shot : shots)
        e2e::KeepArtifact(dir.File(shot.second + ".bmp"), "EditorRunTest_objects_" + shot.second + ".bmp");

    const std::vector<std::string> probe = Lines(dir.File("edit.probe"));
    ASSERT_GE(probe.size(), 230u);
    EXPECT_EQ(Field(probe[55], "state"), "LevelEditorState");
    EXPECT_EQ(Field(probe[55], "entity"), "none");
    const std::string made = Field(probe[65], "entity"), moved = Field(probe[120], "entity");
    ASSERT_NE(made, "none") << "no crate was made";
    // Dragged along +x only, by about 60 pixels' worth.
    EXPECT_GT(X(moved), X(made) + 5.0);
    EXPECT_EQ(moved.substr(moved.find(',')), made.substr(made.find(',')));
    EXPECT_EQ(Field(probe[140], "entity"), made) << "undo";
    EXPECT_EQ(Field(probe[160], "entity"), moved) << "redo";
    EXPECT_EQ(Field(probe[220], "state"), "CPlayState");
    EXPECT_EQ(Field(probe[220], "entity"), moved);
    ASSERT_TRUE(std::filesystem::exists(dir.File("assets/levels/designed.xml"))) << "Save As wrote no level";

    // A new play of the saved level.
    dir.WriteConfig({{"fullscreen", "0"},
                     {"initialstate", "PlayState"},
                     {"levelfile", "assets/levels/designed.xml"},
                     {"mute", "1"}});
    const e2e::RunResult play =
        e2e::RunGame({"--run-dir", dir.Path(), "--frames", "220", "--fixed-dt", "0.016", "--probe",
                      dir.File("play.probe"), "--probe-entity", kCrate, "--screenshot", dir.File("play.bmp")});
    ASSERT_EQ(play.exitCode, 0) << play.output;
    e2e::KeepArtifact(dir.File("play.bmp"), "EditorRunTest_objects_played.bmp");
    const std::vector<std::string> played = Lines(dir.File("play.probe"));
    ASSERT_GE(played.size(), 2u);
    EXPECT_EQ(Field(played[1], "level"), "designed");
    EXPECT_EQ(Field(played[1], "entity"), moved);
}

// Pixels of the linker's pink (triggering links) in a screenshot.
size_t PinkPixels(const std::string& bmp)
{
    size_t count = 0;
    const int width = int(e2e::BmpWidth(bmp)), height = int(e2e::BmpHeight(bmp));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = e2e::BmpPixel(bmp, x, y);
            const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
            count += std::abs(r - 255) <= 8 && std::abs(g - 105) <= 8 && std::abs(b - 180) <= 8;
        }
    return count;
}

// The linker at work: a crate made on the Units layer, then on the Linker layer a press on the
// crate and a release on the spawner trigger beside the level makes the crate a triggering
// entity, which the layer draws as a pink line.
TEST(EditorRunTest, APressOnACrateReleasedOnATriggerLinksThemAndDrawsTheLink)
{
    e2e::RunDirectory dir;
    dir.WriteConfig(
        {{"fullscreen", "0"}, {"initialstate", "PlayState"}, {"levelfile", "assets/levels/arena2.xml"}, {"mute", "1"}});
    std::string script = ToggleEditor(10);
    int frame = 20;
    const auto tap = [&script, &frame](const std::string& key, int times) {
        for (int i = 0; i < times; ++i, frame += 3)
            script +=
                std::to_string(frame) + " key down " + key + "\n" + std::to_string(frame + 1) + " key up " + key + "\n";
    };
    const auto at = [&script](int f, const std::string& event) { script += std::to_string(f) + " " + event + "\n"; };
    tap("TAB", 2);
    tap("3", 4);
    at(frame, "mouse move 560 450");
    at(frame + 5, "mouse down left 560 450");
    at(frame + 6, "mouse up left 560 450");
    frame += 10;
    tap("TAB", 3);
    const int before = frame + 2;
    at(frame, "mouse move 549 456");
    at(frame + 5, "mouse down left 549 456");
    at(frame + 7, "mouse move 600 300");
    at(frame + 9, "mouse move 645 85");
    at(frame + 12, "mouse up left 645 85");
    const int after = frame + 18;
    testsupport::WriteFile(dir.File("link.txt"), script);
    const e2e::RunResult run = e2e::RunGame({"--run-dir", dir.Path(), "--frames", std::to_string(after + 2),
                                             "--fixed-dt", "0.016", "--input-script", dir.File("link.txt"),
                                             "--screenshot-at", std::to_string(before) + ":" + dir.File("before.bmp"),
                                             "--screenshot-at", std::to_string(after) + ":" + dir.File("linked.bmp")});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    e2e::KeepArtifact(dir.File("before.bmp"), "EditorRunTest_linker_before.bmp");
    e2e::KeepArtifact(dir.File("linked.bmp"), "EditorRunTest_linker_linked.bmp");
    EXPECT_EQ(PinkPixels(testsupport::ReadFile(dir.File("before.bmp"))), 0u);
    EXPECT_GT(PinkPixels(testsupport::ReadFile(dir.File("linked.bmp"))), 30u) << "no link drawn";
}

} // namespace
