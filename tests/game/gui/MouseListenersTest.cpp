#include "game/gui/CBtnListener.h"
#include "game/gui/CDis2DListener.h"

#include <gtest/gtest.h>

namespace {

Vesk::MouseEvent Button(int button)
{
    Vesk::MouseEvent event;
    event.button = button;
    return event;
}

TEST(CDis2DListenerTest, ButtonsHeldAreBitsThatTheElementUpdateRolls)
{
    Game::CDis2DListener listener;
    listener.OnMouseDown(Button(0));
    listener.OnMouseDown(Button(1));
    EXPECT_EQ(3, listener.m_CurrentButtons);
    EXPECT_EQ(1, listener.m_PreviousButtons);
    listener.OnMouseUp(Button(0));
    EXPECT_EQ(2, listener.m_CurrentButtons);
    listener.OnMouseDown(Button(2));
    EXPECT_EQ(2, listener.m_CurrentButtons) << "the middle button is neither bit";
    listener.Roll();
    EXPECT_EQ(2, listener.m_PreviousButtons);
    EXPECT_EQ(0, listener.m_CurrentButtons);
}

TEST(CBtnListenerTest, ReleasesToggleTheirBitAndMovesAreFlagged)
{
    Game::CBtnListener listener;
    listener.OnMouseDown(Button(1));
    EXPECT_EQ(2, listener.m_PressBits);
    listener.OnMouseUp(Button(0));
    listener.OnMouseUp(Button(1));
    EXPECT_EQ(3, listener.m_ReleaseBits);
    EXPECT_EQ(1, listener.m_PreviousReleaseBits);
    listener.OnMouseUp(Button(0));
    EXPECT_EQ(2, listener.m_ReleaseBits) << "a second release before the roll cancels the first";
    EXPECT_EQ(0, listener.m_Moved);
    listener.OnMouseMove(Vesk::MouseEvent());
    EXPECT_EQ(1, listener.m_Moved);
    listener.RollReleases();
    EXPECT_EQ(2, listener.m_PreviousReleaseBits);
    EXPECT_EQ(0, listener.m_ReleaseBits);
}

} // namespace
