// CPlayerController: turns a player's input into the player character's moves. Input, moves
// and the HUD come with the player's own work; for now it knows whether it drives player one.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CPlayerController : public CCharacterController {
public:
    class CPlayerListener;

    int GetControllerType() const override { return PLAYERCONTROLLER; }
    bool IsPlayerOne() const { return m_PlayerOne; }
    void SetPlayerOne(bool playerOne) { m_PlayerOne = playerOne; }
    // The HUD and the player's actions come with the player's own work.
    void SetHudVisible(bool) {}
    void ResetActions() {}

private:
    // The game has one player.
    bool m_PlayerOne = true;
};

} // namespace Game
