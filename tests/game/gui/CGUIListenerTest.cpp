#include "game/gui/CGUIListener.h"

#include "frame/CGameManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct NamedState : Vesk::IGameState {
    explicit NamedState(const std::string& name) : Vesk::IGameState(name) {}
    void Update(float) override {}
};

class CGUIListenerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The game manager writes its start-up log where it is first made.
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        Vesk::CGameManager::GetInstance().PushState(new NamedState("OptionState"));
    }
    void TearDown() override { Vesk::CGameManager::GetInstance().Shutdown(); }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
};

TEST_F(CGUIListenerTest, KeyReadsReleasedAfterAPressAndReleaseOnlyWhileItsStateIsOnTop)
{
    // Steps: 'd' key down, 'u' key up, 'c' clear; then whether the key reads as released.
    struct Case {
        const char* owner;
        const char* steps;
        bool released;
    };
    const Case cases[] = {
        {"OptionState", "du", true},   {"OptionState", "d", false},   {"OptionState", "ddd", false},
        {"OptionState", "dddu", true}, {"OptionState", "dud", false}, {"OptionState", "duc", false},
        {"OptionState", "u", false},   {"OptionState", "dudu", true}, {"MenuState", "du", false},
        {"MenuState", "dddu", false},
    };
    const uint32_t key = 0x20;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.owner << " " << c.steps);
        Game::CGUIListener listener(c.owner);
        for (const char* step = c.steps; *step; ++step) {
            if (*step == 'd')
                listener.OnKeyDown({key, 0});
            else if (*step == 'u')
                listener.OnKeyUp({key, 0});
            else
                listener.ClearKeys();
        }
        EXPECT_EQ(c.released, listener.IsKeyReleased(key));
        EXPECT_FALSE(listener.IsKeyReleased(key + 1));
    }
}

TEST_F(CGUIListenerTest, CodesBeyondTheTableAreIgnored)
{
    Game::CGUIListener listener("OptionState");
    listener.OnKeyDown({300, 0});
    listener.OnKeyUp({300, 0});
    EXPECT_FALSE(listener.IsKeyReleased(300));
    EXPECT_FALSE(listener.IsKeyReleased(300 & 0xFF));
}

} // namespace
