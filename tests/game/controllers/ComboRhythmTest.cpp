// The sword combo under steady pressing, with the attack key coming in as window messages through
// the input manager to the player's key listener, the way a player's keys do: at any steady
// rhythm from 3 to 10 presses a second, short or longer presses, the presses chain all five
// swings of the combo. Presses that come while the player is still held by a swing are lost;
// the combo's window must outlast the wait for the next press that counts.
#include "PlayerTestSupport.h"

#include "input/CInputManager.h"
#include "platform/win/Messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace playertest {
namespace {

using Strings = std::vector<std::string>;

const Strings kCombo = {"FirstSwing", "SecondSwing", "FirstSwing", "SecondSwing", "ThirdSwing"};

class ComboRhythmTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        ASSERT_TRUE(Vesk::CInputManager::GetInstance().Init());
    }

    // One turn of the game loop: the input frame begins, the window message (0 for none) comes
    // in, the input frame ends delivering it, the game frame runs. The swings that appeared.
    Strings LoopFrame(uint32_t message)
    {
        Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
        input.BeginFrame();
        if (message != 0) {
            Vesk::WindowEvent event;
            event.message = message;
            event.key = KEY_ATTACK;
            Vesk::CInputManager::OnWindowEvent(event);
        }
        input.EndFrame();
        Strings swings;
        for (const std::string& name : Frame())
            if (name.find("Swing") != std::string::npos)
                swings.push_back(name);
        return swings;
    }
};

TEST_F(ComboRhythmTest, SteadyPressesFromThreeToTenASecondChainTheWholeCombo)
{
    SettleIn();
    for (int rate = 3; rate <= 10; ++rate) {
        // Frames the key stays down.
        for (const int hold : {1, 3}) {
            SCOPED_TRACE(std::to_string(rate) + " presses a second, held " + std::to_string(hold) + " frames");
            auto pressFrame = [&](int press) { return int(std::lround(press / (rate * kDt))); };
            Strings swings;
            int press = 0;
            for (int frame = 0; frame < int(3.0f / kDt) && swings.size() < kCombo.size(); ++frame) {
                uint32_t message = 0;
                if (frame == pressFrame(press)) {
                    message = win::WM_KEYDOWN;
                } else if (frame == pressFrame(press) + hold) {
                    message = win::WM_KEYUP;
                    ++press;
                }
                for (const std::string& swing : LoopFrame(message))
                    swings.push_back(swing);
            }
            EXPECT_EQ(kCombo, swings);
            // The key up, the combo over and the player free before the next rhythm.
            LoopFrame(win::WM_KEYUP);
            Run(1.0f);
            RunUntilFree();
            ASSERT_TRUE(m_Controller->GetComboHistory().empty());
        }
    }
}

} // namespace
} // namespace playertest
