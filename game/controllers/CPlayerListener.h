// CPlayerController::CPlayerListener: the player's input. Key and pad events set and clear
// action bits (held, and released since the last frame's clean-up) and the controller counts
// how long each bit has been held; the left stick and the "use_gamepad" option are read once per
// player frame. While the gamepad option is on, keyboard events are ignored.
#pragma once

#include "game/controllers/CPlayerController.h"
#include "input/IControllerListener.h"
#include "input/IKeyboardListener.h"
#include "math/Vector3D.h"

#include <cstdint>
#include <set>
#include <sstream>

namespace Game {

class CPlayerController::CPlayerListener : public Vesk::IKeyboardListener, public Vesk::IControllerListener {
public:
    enum ActionBit : uint32_t {
        ACTION_LEFT = 1,
        ACTION_RIGHT = 2,
        ACTION_UP = 4,
        ACTION_DOWN = 8,
        ACTION_ATTACK = 16,
        ACTION_SPECIAL = 32,
        ACTION_DODGE = 64,
        ACTION_UNUSED = 128,
    };
    static constexpr int kBitCount = 8;
    // A held bit counts as a press while it has been held for less than this.
    static constexpr float kPressTime = 0.05f;

    // Reads the gamepad option at once, so the flag is right before the first frame.
    explicit CPlayerListener(CCharacter* owner);

    void OnKeyDown(const Vesk::KeyEvent& event) override;
    void OnKeyUp(const Vesk::KeyEvent& event) override;
    void OnButtonDown(const Vesk::PadEvent& event) override;
    void OnButtonUp(const Vesk::PadEvent& event) override;

    // Once per player frame, before the bits are used: the option, the stick, the hold times.
    void Update(float dt);
    // At the end of the player frame: every released bit's hold time back to 0, bit cleared.
    void ConsumeReleases();
    // The stick when it is off centre, else the held direction keys (diagonals not normalised).
    CVector3D GetMoveDirection() const;
    // "use_gamepad" greater than 0; anything that is not a number counts as 0.
    void ReadGamepadOption();

    uint32_t GetHeld() const { return m_Held; }
    uint32_t GetReleased() const { return m_Released; }
    bool IsHeld(uint32_t bit) const { return (m_Held & bit) != 0; }
    bool IsReleased(uint32_t bit) const { return (m_Released & bit) != 0; }
    // Held and held for less than kPressTime.
    bool IsPressed(uint32_t bit) const;
    float GetHoldTime(uint32_t bit) const;
    void SetHoldTime(uint32_t bit, float seconds);
    bool UsesGamepad() const { return m_UseGamepad; }
    // 1 after a pad button went down, 0 after a key did: which prompts the HUD shows.
    int GetPadFlag() const { return m_PadFlag; }
    bool GetPlayerOne() const { return m_PlayerOne != 0; }
    void SetPlayerOne(bool playerOne) { m_PlayerOne = playerOne ? 1 : 0; }
    int GetStickX() const { return m_StickX; }
    int GetStickY() const { return m_StickY; }

private:
    // A key or pad button of the action went down or up; the action is released only when no
    // other key or button of it is still down (Left arrow and A both move left).
    void Press(int32_t code, uint32_t bit);
    void Release(int32_t code, uint32_t bit);

    bool m_UseGamepad = false;
    uint8_t m_PlayerOne = 0;
    EntityHandle m_Owner;
    uint32_t m_Held = 0;
    uint32_t m_Released = 0;
    float m_HoldTime[kBitCount] = {};
    int m_PadFlag = 0;
    std::istringstream m_OptionStream;
    int m_StickX = 0;
    int m_StickY = 0;
    // The mapped keys and pad buttons that are down.
    std::set<int32_t> m_HeldInputs;
};

} // namespace Game
