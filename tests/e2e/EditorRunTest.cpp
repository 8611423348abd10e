// The level editor opened over level 1 in the running program: Ctrl+F2 opens it over the play
// state and closes it again. While it is open the player stands still although Right is held
// (the controllers are stopped) and the level's HUD is hidden; after closing, Right walks the
// player again. Screenshots are kept under the build tree's tests/artifacts/ as
// EditorRunTest_<name>.bmp.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

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

} // namespace
