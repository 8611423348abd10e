// A start that cannot do what it was asked says so, once in the log and on screen as a notice
// where line slot 18 stands (34 pixels high from 2 pixels down the 1920 x 1075 viewport), with
// the developer texts still hidden, and carries on as before: an unknown "initialstate", a
// missing or unreadable "assets/systemconfig.xml" and a level file that does not load. A start
// that can do what it was asked shows no notice.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

const int kNoticeTop = 2 + 18 * 34, kSlotHeight = 34, kTextLeft = 9;

// Near-white pixels (the debug texts' colour) in the left part of the notice slot.
int WhitePixelsInNoticeSlot(const std::string& picture)
{
    int white = 0;
    for (int y = kNoticeTop; y < kNoticeTop + kSlotHeight; ++y)
        for (int x = kTextLeft; x < kTextLeft + 600; ++x) {
            const uint32_t rgb = e2e::BmpPixel(picture, x, y);
            white += (rgb >> 16 & 0xFF) > 0xE0 && (rgb >> 8 & 0xFF) > 0xE0 && (rgb & 0xFF) > 0xE0;
        }
    return white;
}

TEST(StartNoticeRunTest, AStartThatCannotDoWhatItWasAskedSaysSoOnceInTheLogAndOnScreen)
{
    const struct {
        const char* what;
        std::function<void(const e2e::RunDirectory&)> prepare;
        const char* notice; // null: none expected
        const char* state;  // the state on top all the same
    } cases[] = {
        {"unknown initial state",
         [](const e2e::RunDirectory& dir) {
             dir.WriteConfig({{"initialstate", "menustate"}, {"mute", "1"}});
         },
         "thrummock: unknown initialstate \"menustate\"; the controls screen starts instead", "CtrlState"},
        {"missing configuration",
         [](const e2e::RunDirectory& dir) { std::remove(dir.File("assets/systemconfig.xml").c_str()); },
         "thrummock: cannot read assets/systemconfig.xml;", "CtrlState"},
        {"configuration that does not parse",
         [](const e2e::RunDirectory& dir) {
             testsupport::WriteFile(dir.File("assets/systemconfig.xml"), "<Options><initialstate val=\"PlayState\"");
         },
         "thrummock: cannot read assets/systemconfig.xml;", "CtrlState"},
        {"configuration that is a folder",
         [](const e2e::RunDirectory& dir) {
             std::remove(dir.File("assets/systemconfig.xml").c_str());
             std::filesystem::create_directory(dir.File("assets/systemconfig.xml"));
         },
         "thrummock: cannot read assets/systemconfig.xml;", "CtrlState"},
        {"level file that does not load",
         [](const e2e::RunDirectory& dir) {
             dir.WriteConfig({{"initialstate", "PlayState"}, {"levelfile", "assets/levels/nosuch.xml"}, {"mute", "1"}});
         },
         "CLevelManager: Failed to load level file assets/levels/nosuch.xml", nullptr},
        {"the shipped start on the controls screen",
         [](const e2e::RunDirectory& dir) {
             dir.WriteConfig({{"initialstate", "CtrlState"}, {"mute", "1"}});
         },
         nullptr, "CtrlState"},
        {"a start that does what it was asked",
         [](const e2e::RunDirectory& dir) {
             dir.WriteConfig({{"initialstate", "PlayState"}, {"mute", "1"}});
         },
         nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        e2e::RunDirectory dir;
        c.prepare(dir);
        const std::string shot = dir.File("shot.bmp");
        const std::string probe = dir.File("probe.txt");
        const e2e::RunResult result = e2e::RunGame(
            {"--run-dir", dir.Path(), "--frames", "6", "--fixed-dt", "0.016", "--screenshot", shot, "--probe", probe});
        EXPECT_EQ(0, result.exitCode) << result.output;
        if (c.state) {
            EXPECT_EQ(c.state, e2e::ProbeStates(probe, 6).back()) << result.output;
        }
        const std::string picture = testsupport::ReadFile(shot);
        ASSERT_TRUE(picture.size() > 54 && e2e::BmpWidth(picture) == 1920 && e2e::BmpHeight(picture) == 1080);
        if (c.notice) {
            EXPECT_EQ(1u, e2e::Count(result.output, c.notice)) << result.output;
            EXPECT_GT(WhitePixelsInNoticeSlot(picture), 150) << "the notice is not on screen";
        } else {
            EXPECT_EQ(std::string::npos, result.output.find("thrummock: ")) << result.output;
            EXPECT_EQ(std::string::npos, result.output.find("Failed to load level file")) << result.output;
            EXPECT_EQ(0, WhitePixelsInNoticeSlot(picture)) << "a notice without a problem";
        }
    }
}

} // namespace
