// Level 1 (arena2) played headless by an input script and followed through the player probe (one
// line per frame): the player walks, dodges through a fire skill, swings a combo into the kobolds
// standing beside it, fires a special and a charged special; and, on a level with no floor, falls,
// dies and revives. The runs start in the play state ("initialstate" "PlayState"), which loads the
// "levelfile" given; the kobolds and the skill are placed by that level file so that the fight
// does not hang on where the waves' enemies spawn, and the kobolds are sparring ones that stand
// still and notice nobody (the fights against enemies that fight back are played in-process).
// Screenshots of the fight are kept under the build tree's tests/artifacts/ as
// PlayFightRunTest_<name>.bmp.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
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

struct PlayedRun {
    e2e::RunResult result;
    std::vector<ProbeFrame> frames;
    std::string screenshot; // the BMP's bytes
};

PlayedRun Play(const e2e::RunDirectory& dir, const std::string& script, int frames, const std::string& name)
{
    testsupport::WriteFile(dir.File(name + ".txt"), script);
    PlayedRun run;
    const std::string probe = dir.File(name + ".probe"), shot = dir.File(name + ".bmp");
    run.result = e2e::RunGame({"--run-dir", dir.Path(), "--frames", std::to_string(frames), "--fixed-dt", "0.016",
                               "--input-script", dir.File(name + ".txt"), "--probe", probe, "--screenshot", shot});
    run.frames = ReadProbe(probe);
    run.screenshot = testsupport::ReadFile(shot);
    if (!run.screenshot.empty())
        KeepArtifact(shot, "PlayFightRunTest_" + name + ".bmp");
    return run;
}

// Replaces the first `from` in the text by `to`.
std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A "sparringkobold" prefab in the run directory: a kobold minion that neither moves nor notices
// anyone, so that the scripted moves meet it where the script expects it.
void WriteSparringKobold(const e2e::RunDirectory& dir)
{
    std::string prefabs = testsupport::ReadFile(dir.File("assets/prefabsettings.xml"));
    const size_t begin = prefabs.find("<prefab prefabname=\"koboldminion\"");
    const size_t end = prefabs.find("</prefab>", begin);
    ASSERT_TRUE(begin != std::string::npos && end != std::string::npos);
    std::string kobold = prefabs.substr(begin, end + 9 - begin);
    kobold = ReplaceFirst(kobold, "prefabname=\"koboldminion\"", "prefabname=\"sparringkobold\"");
    kobold = ReplaceFirst(kobold, "controllerprefabname=\"minion\"", "controllerprefabname=\"sparring\"");
    kobold = ReplaceFirst(kobold, "<wander_speed val=\"8\"/>", "<wander_speed val=\"0\"/>");
    kobold = ReplaceFirst(kobold, "<pursue_speed val=\"16\"/>", "<pursue_speed val=\"0\"/>");
    prefabs.insert(end + 9, "\n    " + kobold);
    prefabs = ReplaceFirst(prefabs, "<ControllerSetting mappedname=\"MINION\">",
                           "<ControllerSetting mappedname=\"MINION\">\n    <prefab prefabname=\"sparring\" "
                           "detectionradius=\"0\" fovdegrees=\"0\" fovlength=\"0\" attackcooldown=\"1\"/>");
    testsupport::WriteFile(dir.File("assets/prefabsettings.xml"), prefabs);
}

// Level 1 with two sparring kobolds ahead of the player (the near one within a swing of where the
// dodge ends) and a fire skill on the dodge's path.
void WriteFightLevel(const e2e::RunDirectory& dir)
{
    WriteSparringKobold(dir);
    std::string level = testsupport::ReadFile(dir.File("assets/levels/arena2.xml"));
    const std::string extra =
        "  <entity name=\"kobold0\" type=\"GENERIC_CHARACTER\" entitysettingprefabname=\"sparringkobold\" "
        "posX=\"108\" posY=\"10\" posZ=\"48\" dirX=\"-1\" dirY=\"0\" dirZ=\"0\"/>\n"
        "  <entity name=\"kobold1\" type=\"GENERIC_CHARACTER\" entitysettingprefabname=\"sparringkobold\" "
        "posX=\"150\" posY=\"10\" posZ=\"50\" dirX=\"-1\" dirY=\"0\" dirZ=\"0\"/>\n"
        "  <entity name=\"fireskill\" type=\"PICKUPITEM\" entitysettingprefabname=\"fireskill\" "
        "posX=\"96\" posY=\"10\" posZ=\"48\" dirX=\"0\" dirY=\"0\" dirZ=\"-1\"/>\n";
    level.insert(level.find("</Level>"), extra);
    testsupport::WriteFile(dir.File("assets/levels/fight.xml"), level);
    dir.WriteConfig(
        {{"fullscreen", "0"}, {"initialstate", "PlayState"}, {"levelfile", "assets/levels/fight.xml"}, {"mute", "1"}});
}

// After the spawn grace (1.7 s): Right for 25 frames, a dodge, five attack presses 16 frames
// apart, a special tap, and the special held 90 frames (1.44 s) for a level-1 charge.
const std::vector<Press> kFight = {{120, "RIGHT", 25}, {160, "K", 3}, {220, "C", 2}, {236, "C", 2}, {252, "C", 2},
                                   {268, "C", 2},      {284, "C", 2}, {330, "L", 3}, {370, "L", 90}};

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
                     {"initialstate", "PlayState"},
                     {"levelfile", "assets/levels/nofloor.xml"},
                     {"mute", "1"}});
    // The attack key well after the death move has left the tombstone.
    const PlayedRun run = Play(dir, Script({{250, "C", 3}}), 280, "fall");
    ASSERT_EQ(0, run.result.exitCode) << run.result.output;
    const std::vector<ProbeFrame>& frames = run.frames;
    ASSERT_GE(frames.size(), 280u) << run.result.output;

    const size_t falling = FindFrame(frames, 0, [](const ProbeFrame& f) { return f.Number("y") < 0.0; });
    const size_t dying = FindFrame(frames, falling, [](const ProbeFrame& f) { return f.Text("life") == "2"; });
    ASSERT_LT(dying, frames.size()) << "no death";
    EXPECT_LT(frames[dying].Number("y"), -100.0);
    EXPECT_EQ("0", frames[dying].Text("health"));
    EXPECT_GT(frames[dying].Number("taken"), 0.0) << "the kill plane's damage counts as taken";
    // The dying character tells the controller, which counts the death and plays the death move.
    const size_t dead = FindFrame(frames, dying, [](const ProbeFrame& f) { return f.Text("deaths") == "1"; });
    ASSERT_LE(dead, dying + 2);
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

TEST(PlayFightRunTest, MovesDodgesSwingsAComboAndFiresSpecials)
{
    e2e::RunDirectory dir;
    WriteFightLevel(dir);
    const PlayedRun run = Play(dir, Script(kFight), 520, "520");
    ASSERT_EQ(0, run.result.exitCode) << run.result.output;
    EXPECT_EQ(std::string::npos, run.result.output.find("did not load")) << run.result.output;
    const std::vector<ProbeFrame>& frames = run.frames;
    ASSERT_GE(frames.size(), 520u) << run.result.output;
    ASSERT_EQ("2", frames[0].Text("enemies")) << "the two kobolds stand in the level";
    const double startX = frames[0].Number("x");

    // Still through the spawn grace, then Right moves it along +x.
    EXPECT_EQ(startX, frames[119].Number("x"));
    const size_t moved = FindFrame(frames, 120, [&](const ProbeFrame& f) { return f.Number("x") > startX + 5.0; });
    ASSERT_LT(moved, size_t(150)) << "Right did not move the player";
    EXPECT_EQ("RUNTWO", frames[moved].Text("anim"));

    // The dodge carries it on and picks up the fire skill on the way.
    const size_t dodge = FindFrame(frames, moved, [](const ProbeFrame& f) { return f.Text("move") == "dodge"; });
    ASSERT_LT(dodge, frames.size()) << "no dodge";
    EXPECT_EQ("MOVE", frames[dodge].Text("anim"));
    const size_t dodged = FindFrame(frames, dodge, [](const ProbeFrame& f) { return f.Text("move") != "dodge"; });
    ASSERT_LT(dodged, frames.size()) << "the dodge never ends";
    EXPECT_GT(frames[dodged].Number("x"), frames[dodge].Number("x") + 10.0);
    EXPECT_EQ("1", frames[dodged].Text("skills"));

    // The combo: FirstSwing lands on the near kobold, then SecondSwing, and the fifth press ThirdSwing.
    const size_t first = FindFrame(frames, dodged, [](const ProbeFrame& f) { return f.HasAttack("FirstSwing"); });
    ASSERT_LT(first, frames.size()) << "no FirstSwing";
    const size_t second = FindFrame(frames, first, [](const ProbeFrame& f) { return f.HasAttack("SecondSwing"); });
    ASSERT_LT(second, frames.size()) << "no SecondSwing";
    const size_t landed = FindFrame(frames, first, [](const ProbeFrame& f) { return f.Number("dealt") > 0.0; });
    EXPECT_LT(landed, second) << "the first swing did not hit the kobold";
    size_t longest = 0;
    for (size_t i = first; i < 330; ++i)
        longest = std::max(longest, size_t(frames[i].Number("history")));
    EXPECT_GE(longest, 4u) << "the presses did not chain into one combo";
    EXPECT_LT(FindFrame(frames, second, [](const ProbeFrame& f) { return f.HasAttack("ThirdSwing"); }), size_t(330));

    // A special tap fires the small energy ball; it flies into a kobold.
    const size_t ball = FindFrame(frames, 330, [](const ProbeFrame& f) { return f.HasAttack("SmallEnergyBall"); });
    ASSERT_LT(ball, size_t(340)) << "no SmallEnergyBall";
    EXPECT_EQ("FIRESHOT", frames[ball].Text("anim"));
    EXPECT_GT(frames[369].Number("dealt"), frames[ball].Number("dealt")) << "the small ball missed";

    // The press that starts the hold fires a small ball too; held past 1.1 s with one skill the
    // charge reaches level 1, and the release fires the medium ball.
    EXPECT_TRUE(frames[370].HasAttack("SmallEnergyBall")) << frames[370].Text("attacks");
    const size_t charged = FindFrame(frames, 370, [](const ProbeFrame& f) { return f.Text("charge") == "1"; });
    ASSERT_LT(charged, frames.size()) << "the special never charged";
    EXPECT_NEAR(1.1, double(charged - 370) * 0.016, 0.1);
    for (size_t i = charged; i < 460; ++i)
        ASSERT_NE("2", frames[i].Text("charge")) << "one skill charges one level, frame " << i;
    const size_t released =
        FindFrame(frames, charged, [](const ProbeFrame& f) { return f.HasAttack("MediumEnergyBall"); });
    ASSERT_LT(released, frames.size()) << "no MediumEnergyBall";
    EXPECT_NEAR(460.0, double(released), 2.0);
    EXPECT_EQ("0", frames[released].Text("charge")) << "the release spends the charge";
    EXPECT_GT(frames.back().Number("dealt"), frames[released].Number("dealt")) << "the medium ball missed";
    EXPECT_EQ("100", frames.back().Text("health"));
}

// A kobold that fights back, placed a little ahead of a player who never moves: it walks up,
// stops at its attack radius and its punches land on him.
TEST(PlayFightRunTest, AKoboldWalksUpToAStillPlayerAndLandsItsPunches)
{
    e2e::RunDirectory dir;
    std::string level = testsupport::ReadFile(dir.File("assets/levels/arena2.xml"));
    level.insert(level.find("</Level>"), "  <entity name=\"kobold\" type=\"GENERIC_CHARACTER\" "
                                         "entitysettingprefabname=\"koboldminion\" posX=\"100\" posY=\"10\" "
                                         "posZ=\"48\" dirX=\"-1\" dirY=\"0\" dirZ=\"0\"/>\n");
    testsupport::WriteFile(dir.File("assets/levels/kobold.xml"), level);
    dir.WriteConfig(
        {{"fullscreen", "0"}, {"initialstate", "PlayState"}, {"levelfile", "assets/levels/kobold.xml"}, {"mute", "1"}});

    const PlayedRun run = Play(dir, "", 500, "kobold");
    ASSERT_EQ(0, run.result.exitCode) << run.result.output;
    const std::vector<ProbeFrame>& frames = run.frames;
    ASSERT_GE(frames.size(), 500u) << run.result.output;
    const size_t hurt = FindFrame(frames, 0, [](const ProbeFrame& f) { return f.Number("taken") > 0.0; });
    ASSERT_LT(hurt, frames.size()) << "the kobold never landed a punch";
    for (size_t i = 0; i < hurt; ++i)
        ASSERT_EQ(frames[0].Text("x"), frames[i].Text("x")) << "the player moved, frame " << i;
    EXPECT_LT(frames[hurt].Number("health"), 100.0);
    const size_t again = FindFrame(
        frames, hurt + 1, [&](const ProbeFrame& f) { return f.Number("taken") > frames[hurt].Number("taken"); });
    EXPECT_LT(again, frames.size()) << "one punch only";
}

// The fight's pictures at the combo, the small ball and the flying medium ball, kept as artefacts;
// each shows the level's sand floor across most of the frame.
TEST(PlayFightRunTest, KeepsScreenshotsOfTheFight)
{
    e2e::RunDirectory dir;
    WriteFightLevel(dir);
    for (const int frames : {240, 340, 480}) {
        SCOPED_TRACE(frames);
        const PlayedRun run = Play(dir, Script(kFight), frames, std::to_string(frames));
        ASSERT_EQ(0, run.result.exitCode) << run.result.output;
        ASSERT_GT(run.screenshot.size(), 54u);
        const uint32_t w = e2e::BmpWidth(run.screenshot), h = e2e::BmpHeight(run.screenshot);
        int samples = 0, sand = 0;
        for (uint32_t y = h / 4; y < h; y += 8)
            for (uint32_t x = 0; x < w; x += 8) {
                const uint32_t rgb = e2e::BmpPixel(run.screenshot, int(x), int(y));
                const int r = int(rgb >> 16), g = int((rgb >> 8) & 0xFF), b = int(rgb & 0xFF);
                ++samples;
                sand += r > b + 40 && g > b + 20;
            }
        EXPECT_GT(sand, samples / 3);
    }
}

// One enemy of every kind in a row behind the player on level 1, kept as the artefact
// PlayFightRunTest_lineup.bmp for a person to look over; the picture is taken once the banner has
// gone and before the first wave comes. Every kind is still standing and counted as an enemy.
TEST(PlayFightRunTest, KeepsAScreenshotOfEveryEnemyKindInView)
{
    e2e::RunDirectory dir;
    const std::pair<const char*, int> kinds[] = {{"slime", 20}, {"koboldminion", 34}, {"skeleton", 48}, {"ghost", 62},
                                                 {"boar", 98},  {"golem", 114},       {"bigboss", 134}};
    std::string row;
    for (const auto& [kind, x] : kinds)
        row += std::string("  <entity name=\"") + kind + "\" type=\"GENERIC_CHARACTER\" entitysettingprefabname=\"" +
               kind + "\" posX=\"" + std::to_string(x) +
               "\" posY=\"10\" posZ=\"70\" dirX=\"0\" dirY=\"0\" dirZ=\"-1\"/>\n";
    std::string level = testsupport::ReadFile(dir.File("assets/levels/arena2.xml"));
    level.insert(level.find("</Level>"), row);
    testsupport::WriteFile(dir.File("assets/levels/lineup.xml"), level);
    dir.WriteConfig(
        {{"fullscreen", "0"}, {"initialstate", "PlayState"}, {"levelfile", "assets/levels/lineup.xml"}, {"mute", "1"}});

    const PlayedRun run = Play(dir, "", 140, "lineup");
    ASSERT_EQ(0, run.result.exitCode) << run.result.output;
    EXPECT_EQ(std::string::npos, run.result.output.find("did not load")) << run.result.output;
    ASSERT_GE(run.frames.size(), 140u) << run.result.output;
    EXPECT_EQ("7", run.frames.back().Text("enemies"));
    ASSERT_GT(run.screenshot.size(), 54u);
}
