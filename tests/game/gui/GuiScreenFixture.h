// A running game for GUI screen tests: the game manager on the headless driver with a scratch
// copy of the repository's assets, screen files written by the test, a recording sound output,
// a fake pad, and frames driven with the keyboard, mouse and pad input of the test.
#pragma once

#include "support/TestSupport.h"

#include "game/gui/CGuiScreenState.h"
#include "platform/pad/FakePadSource.h"
#include "platform/sound/RecordingOutput.h"
#include "platform/win/Messages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace guitest {

// The screen under test, named "TestScreen", on the file "assets/scripts/gui/<file>.xml".
class TestScreen : public Game::CGuiScreenState {
public:
    TestScreen(const std::string& file, Game::ScreenControls controls, int firstSelection)
        : CGuiScreenState("TestScreen", file, std::move(controls), firstSelection)
    {
    }
    using CGuiScreenState::m_Buttons;
};

// A state without a screen, pushed over the screen under test.
class CoverState : public Vesk::IGameState {
public:
    CoverState() : IGameState("CoverState") {}
    void Update(float) override {}
};

// One item of a screen file: a "button" (with its callback id) or a "display".
struct Item {
    std::string tag, name;
    float x, y;
    int callbackId = 0;
};

class GuiScreenFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes "assets/scripts/gui/<file>.xml" with the items at scale 1, layer 1.
    void WriteScreen(const std::string& file, const std::vector<Item>& items) const;
    // Pushes the screen and runs the frame that enters it.
    TestScreen* Open(const std::string& file, Game::ScreenControls controls, int firstSelection);

    // One frame: the input events, the pad reading, then the game's update and drawing.
    void Frame(const std::vector<win::Message>& messages = {});
    // Key down in one frame and up in the next: the release counts in the second.
    void TapKeys(const std::vector<uint32_t>& keys);
    // A pad button (pad:: BUTTON_ bits) or stick reading held for a frame and let go in the next.
    void TapPad(uint16_t buttons, int16_t leftX = 0, int16_t leftY = 0);
    // The mouse moved to a point of the viewport given in fractions.
    void MoveMouse(float x, float y);
    // A left click where the mouse is, then a one-pixel move, and two quiet frames.
    void Click();

    // Callbacks run since the last call, by id.
    static std::vector<int> TakeCalls();
    // How often "MouseOver" was played since the last call.
    int TakeHoverSounds();

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir; // the game runs in m_Dir
    pad::FakeSource m_Pads;
    std::shared_ptr<sound::Recording> m_Sound;
    int m_MouseX = 0, m_MouseY = 0;
    size_t m_SeenPlays = 0;
    bool m_Started = false;
};

} // namespace guitest
