// CHighscoreInputState: the three-letter name entry that a finished game opens when its score
// beats the lowest kept score of its level. Up and down (W/S, the arrows or the pad's left stick)
// turn the selected letter through A to Z and round again, repeating while held; left and right
// (A/D, the arrows or the stick) move between the three letters; with the mouse, a click on a
// letter selects it and a click on a cursor turns it. Enter, pad A or START, or the Done button
// stores the name with the score under the level in the highscore table, saves the table and goes
// back to the menu through a transition. The letters are kept for the next entry of the run. Owns the
// sprites of its letters, cursors and panel; its state name is empty.
#pragma once

#include "core/IGameState.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace Game {

class CUIDisplay2D;
class CSpriteText;

class CHighscoreInputState : public Vesk::IGameState {
public:
    static constexpr int kLetterCount = 3;
    static constexpr int kLayer = 4;
    // Stick units of the input manager: a push beyond kStickPush counts, one within kStickRest
    // on both axes lets the stick go.
    static constexpr int kStickPush = 50;
    static constexpr int kStickRest = 10;
    static constexpr float kLetterRepeatRate = 8.0f;
    static constexpr float kSlotRepeatRate = 4.0f;
    static constexpr float kBlinkRate = 3.0f;

    CHighscoreInputState(uint32_t score, const std::string& levelName);
    ~CHighscoreInputState() override;

    // The panel, the letters and the cursors made and shown; the first letter selected.
    void Init() override;
    // The sprites taken off the screen and deleted.
    void Cleanup() override;
    void Update(float dt) override;
    // The level under the entry stands still.
    bool HoldsWorldStill() const override { return true; }

    uint32_t GetScore() const { return m_Score; }
    const std::string& GetLevelName() const { return m_LevelName; }
    int GetSelectedSlot() const { return m_SelectedSlot; }
    // The letters joined: the name the entry stores.
    static std::string GetEnteredName();
    // The letters back to "AAA", as at the start of a run.
    static void ResetLetters();

    CUIDisplay2D* GetLetterSprite(int slot) const;
    CUIDisplay2D* GetUpperCursor() const { return m_pUpperCursor.get(); }
    CUIDisplay2D* GetLowerCursor() const { return m_pLowerCursor.get(); }
    CUIDisplay2D* GetDoneButton() const { return m_pDone.get(); }

private:
    // The letters, cursors and blink laid out for this frame.
    void LayOut();
    // The stick's reading, its larger axis kept; the repeat timer primed when it is first pushed.
    void ReadStick(int& x, int& y);
    // One letter step forward (+1) or back (-1) when the repeat timer runs over.
    void RepeatLetterStep(float dt, int direction);
    // The selected letter one forward or back, wrapping between A and Z, and shown at once.
    void StepLetter(int direction);
    // Clicks on the letters, the cursors and the Done button; the button lit under the mouse.
    void HandleMouse();
    void StepSlot(int direction);
    bool ConfirmRequested() const;
    void Confirm();

    uint32_t m_Score;
    std::string m_LevelName;
    bool m_StickMoved = false;
    bool m_Confirmed = false;
    int m_SelectedSlot = 0;
    float m_BlinkPhase = 0.0f;
    float m_RepeatTimer = 0.0f;
    std::array<std::unique_ptr<CUIDisplay2D>, kLetterCount> m_pLetters;
    std::unique_ptr<CUIDisplay2D> m_pUpperCursor;
    std::unique_ptr<CUIDisplay2D> m_pLowerCursor;
    // The panel behind the entry, its title and its line of controls.
    std::unique_ptr<CUIDisplay2D> m_pPanel;
    std::unique_ptr<CUIDisplay2D> m_pTitle;
    std::unique_ptr<CUIDisplay2D> m_pHint;
    std::unique_ptr<CUIDisplay2D> m_pDone;
    std::unique_ptr<CSpriteText> m_pScoreText;

    static std::array<char, kLetterCount> s_Letters;
};

} // namespace Game
