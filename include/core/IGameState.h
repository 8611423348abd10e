// One screen or mode of the game. The game manager's state stack owns states and calls these
// hooks: Init/Enter when a state goes on top, Pause/Resume while others lie above it,
// Exit/Cleanup before it is removed, and Update once per frame with the time step in seconds.
// A state on top may hold the world still: the frame then runs no collision pass, physics step,
// trigger update or animation for the states below it, so they resume exactly where they stopped.
#pragma once

#include <string>

namespace Vesk {

class IGameState {
public:
    explicit IGameState(std::string name = {}) : m_Name(std::move(name)) {}
    virtual ~IGameState() = default;

    virtual void Init() {}
    virtual void Cleanup() {}
    virtual void Enter() {}
    virtual void Exit() {}
    virtual void Pause() {}
    virtual void Resume() {}
    virtual void Update(float dt) = 0;

    // Whether the world stands still while this state is on top (screens laid over a level).
    virtual bool HoldsWorldStill() const { return false; }

    const std::string& GetName() const { return m_Name; }

protected:
    std::string m_Name;
};

} // namespace Vesk
