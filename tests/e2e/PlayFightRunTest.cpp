// Level 1 played headless by an input script and followed through the player probe (one line per
// frame): the player walks, dodges, swings a combo into the first wave's kobolds (hopping at the
// far ones), fires a special, and - on a level whose floor ends under the player - falls, dies
// and revives. Screenshots of the fight are kept under the build tree's tests/artifacts/.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One probe line: its key=value fields.
struct ProbeFrame {
    std::map<std::string, std::string> fields;

    const std::string& Text(const std::string& key) const
    {
        static const std::string none;
        const auto at = fields.find(key);
        return at == fields.end() ? none : at->second;
    }
    double Number(const std::string& key) const { return std::atof(Text(key).c_str()); }
    bool HasAttack(const std::string& name) const
    {
        std::istringstream names(Text("attacks"));
        for (std::string attack; std::getline(names, attack, ',');)
            if (attack == name)
                return true;
        return false;
    }
};

std::vector<ProbeFrame> ReadProbe(const std::string& path)
{
    std::vector<ProbeFrame> frames;
    std::istringstream lines(testsupport::ReadFile(path));
    for (std::string line; std::getline(lines, line);) {
        ProbeFrame frame;
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            const size_t equals = word.find('=');
            if (equals != std::string::npos)
                frame.fields[word.substr(0, equals)] = word.substr(equals + 1);
        }
        frames.push_back(frame);
    }
    return frames;
}

// The first frame at or after `from` that matches; frames.size() when none does.
size_t FindFrame(const std::vector<ProbeFrame>& frames, size_t from,
                 const std::function<bool(const ProbeFrame&)>& matches)
{
    for (size_t i = from; i < frames.size(); ++i)
        if (matches(frames[i]))
            return i;
    return frames.size();
}

// A key held from a frame for some frames.
struct Press {
    int frame;
    const char* key;
    int frames;
};

std::string Script(const std::vector<Press>& presses)
{
    std::string script;
    for (const Press& p : presses)
        script += std::to_string(p.frame) + " key down " + p.key + "\n" + std::to_string(p.frame + p.frames) +
                  " key up " + p.key + "\n";
    return script;
}

// Copies a screenshot into the build tree's artefacts for a person to look at.
void KeepArtifact(const std::string& file, const std::string& name)
{
    std::filesystem::create_directories(THRUMMOCK_ARTIFACT_DIR);
    std::error_code error;
    std::filesystem::copy_file(file, std::string(THRUMMOCK_ARTIFACT_DIR) + "/" + name,
                               std::filesystem::copy_options::overwrite_existing, error);
    EXPECT_FALSE(error) << file << ": " << error.message();
}

struct Run {
    e2e::RunResult result;
    std::vector<ProbeFrame> frames;
    std::string screenshot; // the BMP's bytes
};

Run Play(const e2e::RunDirectory& dir, const std::string& script, int frames, const std::string& name)
{
    testsupport::WriteFile(dir.File(name + ".txt"), script);
    Run run;
    const std::string probe = dir.File(name + ".probe"), shot = dir.File(name + ".bmp");
    run.result = e2e::RunGame({"--run-dir", dir.Path(), "--frames", std::to_string(frames), "--fixed-dt", "0.016",
                               "--input-script", dir.File(name + ".txt"), "--probe", probe, "--screenshot", shot});
    run.frames = ReadProbe(probe);
    run.screenshot = testsupport::ReadFile(shot);
    if (!run.screenshot.empty())
        KeepArtifact(shot, "PlayFightRunTest_" + name + ".bmp");
    return run;
}

} // namespace

TEST(PlayFightRunTest, ProbeWritesOneLinePerFrameAndAnUnwritableProbeStopsTheStart)
{
    e2e::RunDirectory dir;
    const std::string probe = dir.File("menu.probe");
    e2e::RunResult result =
        e2e::RunGame({"--run-dir", dir.Path(), "--frames", "4", "--fixed-dt", "0.016"}, {"THRUMMOCK_PROBE=" + probe});
    EXPECT_EQ(0, result.exitCode) << result.output;
    const std::vector<ProbeFrame> frames = ReadProbe(probe);
    ASSERT_GE(frames.size(), 4u) << testsupport::ReadFile(probe);
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(std::to_string(i), frames[i].Text("frame"));
        EXPECT_EQ("none", frames[i].Text("player")) << "the menu has no player";
    }

    result = e2e::RunGame({"--run-dir", dir.Path(), "--frames", "4", "--probe", dir.File("absent/menu.probe")});
    EXPECT_EQ(1, result.exitCode) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("absent/menu.probe")) << result.output;
    EXPECT_EQ(std::string::npos, result.output.find("state MenuState: Enter")) << result.output;
}

TEST(PlayFightRunTest, FallsOffTheFloorDiesAndRevivesOnAPress)
{
    e2e::RunDirectory dir;
    // The player alone, above no floor: the fall ends below the kill plane.
    testsupport::WriteFile(dir.File("assets/levels/nofloor.xml"),
                           "<Level>\n  <properties levelname=\"nofloor\"/>\n"
                           "  <entity name=\"player\" type=\"GENERIC_CHARACTER\" entitysettingprefabname=\"player\" "
                           "posX=\"80\" posY=\"10\" posZ=\"48\" dirX=\"1\" dirY=\"0\" dirZ=\"0\"/>\n</Level>\n");
    dir.WriteConfig({{"fullscreen", "0"},
                     {"initialstate", "pmarlSandbox"},
                     {"levelfile", "assets/levels/nofloor.xml"},
                     {"mute", "1"}});
    // The attack key well after the death move has left the tombstone.
    const Run run = Play(dir, Script({{250, "C", 3}}), 280, "fall");
    ASSERT_EQ(0, run.result.exitCode) << run.result.output;
    const std::vector<ProbeFrame>& frames = run.frames;
    ASSERT_GE(frames.size(), 280u) << run.result.output;

    const size_t falling = FindFrame(frames, 0, [](const ProbeFrame& f) { return f.Number("y") < 0.0; });
    const size_t dead = FindFrame(frames, falling, [](const ProbeFrame& f) { return f.Text("life") == "2"; });
    ASSERT_LT(dead, frames.size()) << "no death";
    EXPECT_LT(frames[dead].Number("y"), -100.0);
    EXPECT_EQ("0", frames[dead].Text("health"));
    EXPECT_GT(frames[dead].Number("taken"), 0.0) << "the kill plane's damage counts as taken";
    EXPECT_EQ("1", frames[dead].Text("deaths"));
    EXPECT_EQ("death", frames[dead].Text("move"));

    const size_t tombstone = FindFrame(frames, dead, [](const ProbeFrame& f) { return f.Text("move") == "-"; });
    ASSERT_LT(tombstone, frames.size()) << "the death move never ends";
    EXPECT_NEAR(0.75, double(tombstone - dead) * 0.016, 0.1);
    for (size_t i = tombstone; i < 250; ++i)
        ASSERT_EQ("2", frames[i].Text("life")) << "dead until the press, frame " << i;

    const size_t revived = FindFrame(frames, tombstone, [](const ProbeFrame& f) { return f.Text("life") == "1"; });
    ASSERT_LT(revived, frames.size()) << "no revive";
    EXPECT_EQ(250u, revived);
    EXPECT_TRUE(frames[revived].HasAttack("PlayerRevive")) << frames[revived].Text("attacks");
    EXPECT_EQ("SPAWN", frames[revived].Text("anim"));
}
