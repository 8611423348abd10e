// The level editor's terrain brush and spatials tool in the running program, through mouse and
// keys only: Ctrl+F2 opens the editor over level 1, Tab chooses the Terrain layer, a Ctrl+right
// drag tilts the camera and a middle drag pans it; '`' picks Building, N and H widen the cubic
// brush to 3 x 3, three clicks and a drag raise the ground; '`' again picks Painting, 2 the
// diamond, and a click and a drag paint it. Three more Tabs choose Spatials, Q lifts the
// placement plane and three clicks draw a collision box. Ctrl+Z twice undoes the box and the
// last raise, Ctrl+A twice redoes them. The probe's edit history, terrain blocks and collision
// boxes follow every step; pictures of the brush and of the box being drawn and placed are kept
// under the build tree's tests/artifacts/ as EditorToolsRunTest_<name>.bmp.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// An input script written frame by frame.
class Script {
public:
    void At(int frame, const std::string& event) { m_Text << frame << " " << event << "\n"; }
    void Tap(int frame, const std::string& key)
    {
        At(frame, "key down " + key);
        At(frame + 1, "key up " + key);
    }
    void CtrlTap(int frame, const std::string& key)
    {
        At(frame, "key down CONTROL");
        Tap(frame + 1, key);
        At(frame + 2, "key up CONTROL");
    }
    // Press at (x0, y0), move in steps to (x1, y1), let go there; returns the next free frame.
    int Drag(int frame, const std::string& button, int x0, int y0, int x1, int y1, int steps)
    {
        At(frame, "mouse move " + Point(x0, y0));
        At(frame + 1, "mouse down " + button + " " + Point(x0, y0));
        for (int i = 1; i <= steps; ++i)
            At(frame + 1 + i, "mouse move " + Point(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps));
        At(frame + 2 + steps, "mouse up " + button + " " + Point(x1, y1));
        return frame + 3 + steps;
    }
    int Click(int frame, int x, int y) { return Drag(frame, "left", x, y, x, y, 0); }
    std::string Text() const { return m_Text.str(); }

private:
    static std::string Point(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
    std::ostringstream m_Text;
};

// The editor's fields of each probe line: "edits" (size@index), "blocks" and "boxes".
std::vector<std::map<std::string, std::string>> EditorFields(const std::string& probe)
{
    std::vector<std::map<std::string, std::string>> frames;
    std::istringstream lines(probe);
    for (std::string line; std::getline(lines, line);) {
        std::map<std::string, std::string> fields;
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            const size_t eq = word.find('=');
            if (eq != std::string::npos)
                fields[word.substr(0, eq)] = word.substr(eq + 1);
        }
        frames.push_back(fields);
    }
    return frames;
}

// Pixels of a screenshot that pass the test.
int CountPixels(const std::string& bmp, const std::function<bool(int, int, int)>& test)
{
    int count = 0;
    for (uint32_t y = 0; y < e2e::BmpHeight(bmp); ++y)
        for (uint32_t x = 0; x < e2e::BmpWidth(bmp); ++x) {
            const uint32_t p = e2e::BmpPixel(bmp, int(x), int(y));
            count += test(int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)) ? 1 : 0;
        }
    return count;
}

TEST(EditorToolsRunTest, RaisePaintAndDrawABoxThenUndoAndRedo)
{
    Script s;
    s.CtrlTap(120, "F2");
    s.Tap(140, "TAB"); // Terrain
    s.At(150, "key down CONTROL");
    int f = s.Drag(151, "right", 640, 500, 640, 320, 9); // tilt
    s.At(f, "key up CONTROL");
    s.Drag(f + 1, "middle", 640, 300, 390, 420, 10); // pan
    // Building with a 3 x 3 cubic brush: three clicks on one place, then a drag.
    s.Tap(180, "0xC0");
    for (int frame : {182, 184})
        s.Tap(frame, "N");
    for (int frame : {186, 188})
        s.Tap(frame, "H");
    for (int frame : {190, 194, 198})
        s.Click(frame, 560, 430);
    s.Drag(204, "left", 760, 470, 800, 470, 2);
    // Painting with the diamond.
    s.Tap(214, "0xC0");
    s.Tap(216, "2");
    s.Click(220, 430, 530);
    s.Drag(225, "left", 300, 580, 420, 580, 4);
    s.At(235, "mouse move 640 330");
    // Spatials: the plane lifted to the ground's top, a box drawn with three clicks.
    for (int frame : {245, 248, 251})
        s.Tap(frame, "TAB");
    s.At(255, "key down Q");
    s.At(268, "key up Q");
    s.Click(270, 700, 520);
    for (int i = 1; i <= 5; ++i)
        s.At(273 + i, "mouse move " + std::to_string(700 + 30 * i) + " " + std::to_string(520 + 16 * i));
    s.Click(280, 850, 600);
    for (int i = 1; i <= 6; ++i)
        s.At(283 + i, "mouse move 850 " + std::to_string(600 - 20 * i));
    s.Click(292, 850, 480);
    s.At(296, "mouse move 640 300");
    s.CtrlTap(305, "Z");
    s.CtrlTap(312, "Z");
    s.CtrlTap(319, "A");
    s.CtrlTap(326, "A");

    e2e::RunDirectory dir;
    dir.WriteConfig({{"fullscreen", "0"},
                     {"initialstate", "PlayState"},
                     {"levelfile", "assets/levels/arena2.xml"},
                     {"mute", "1"},
                     {"scrn_width", "1280"},
                     {"scrn_height", "720"}});
    testsupport::WriteFile(dir.File("tools.txt"), s.Text());
    const std::map<std::string, int> shots = {{"before", 189}, {"brush", 240}, {"drawing", 290}, {"spatials", 300}};
    std::vector<std::string> args = {"--run-dir",      dir.Path(),
                                     "--frames",       "335",
                                     "--fixed-dt",     "0.016",
                                     "--input-script", dir.File("tools.txt"),
                                     "--probe",        dir.File("tools.probe")};
    for (const auto& [name, frame] : shots) {
        args.push_back("--screenshot-at");
        args.push_back(std::to_string(frame) + ":" + dir.File(name + ".bmp"));
    }
    const e2e::RunResult result = e2e::RunGame(args);
    ASSERT_EQ(result.exitCode, 0) << result.output;
    std::map<std::string, std::string> pictures;
    for (const auto& [name, frame] : shots) {
        pictures[name] = testsupport::ReadFile(dir.File(name + ".bmp"));
        ASSERT_FALSE(pictures[name].empty()) << name;
        e2e::KeepArtifact(dir.File(name + ".bmp"), "EditorToolsRunTest_" + name + ".bmp");
    }

    const auto probe = EditorFields(testsupport::ReadFile(dir.File("tools.probe")));
    ASSERT_GE(probe.size(), 335u);
    auto at = [&](int frame, const char* field) { return probe[size_t(frame)].at(field); };
    ASSERT_EQ(at(189, "edits"), "0@-1");
    const int blocks = std::stoi(at(189, "blocks"));
    const int boxes = std::stoi(at(189, "boxes"));
    auto blocksAt = [&](int frame) { return std::stoi(at(frame, "blocks")) - blocks; };
    auto boxesAt = [&](int frame) { return std::stoi(at(frame, "boxes")) - boxes; };
    // Each click and each move of the drag raises nine columns by one block, one edit each.
    EXPECT_EQ(at(203, "edits"), "3@2");
    EXPECT_EQ(blocksAt(203), 27);
    EXPECT_EQ(at(212, "edits"), "6@5");
    EXPECT_EQ(blocksAt(212), 54);
    // Painting changes no block and is not an edit of the history.
    EXPECT_EQ(at(244, "edits"), "6@5");
    EXPECT_EQ(blocksAt(244), 54);
    // The box, its undo with the last raise's, and both redone.
    EXPECT_EQ(boxesAt(291), 0);
    EXPECT_EQ(at(300, "edits"), "7@6");
    EXPECT_EQ(boxesAt(300), 1);
    EXPECT_EQ(at(310, "edits"), "7@5");
    EXPECT_EQ(boxesAt(310), 0);
    EXPECT_EQ(at(317, "edits"), "7@4");
    EXPECT_EQ(blocksAt(317), 45);
    EXPECT_EQ(at(324, "edits"), "7@5");
    EXPECT_EQ(blocksAt(324), 54);
    EXPECT_EQ(at(334, "edits"), "7@6");
    EXPECT_EQ(boxesAt(334), 1);

    // What the pictures show, against the ones before: white paint and blocks on the sand, the
    // yellow box being drawn, the green record of the placed box.
    const auto white = [](int r, int g, int b) { return r > 235 && g > 235 && b > 235; };
    const auto yellow = [](int r, int g, int b) { return r > 200 && g > 200 && b < 60; };
    const auto green = [](int r, int g, int b) { return r < 60 && g > 200 && b < 60; };
    EXPECT_GT(CountPixels(pictures["brush"], white), CountPixels(pictures["before"], white) + 5000);
    EXPECT_GT(CountPixels(pictures["drawing"], yellow), CountPixels(pictures["brush"], yellow) + 300);
    EXPECT_GT(CountPixels(pictures["spatials"], green), CountPixels(pictures["drawing"], green) + 300);
}

} // namespace
