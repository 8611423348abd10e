// The two screens that carry a change of game state: the transit-in ("transitin.xml") closes over
// the current picture and, when its screen's own timed button pops it, changes the state below
// into the state it holds and pushes the transit-out ("transitout.xml"), which opens over the new
// state and is popped by its own button in turn. Neither reacts to input.
#pragma once

#include "core/IGameState.h"

#include <memory>
#include <string>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

// A screen file shown while the state is on the stack, without buttons to steer or a light.
class CTransitScreen : public Vesk::IGameState {
public:
    CTransitScreen(std::string name, std::string path);

    void Enter() override;
    void Exit() override;
    void Update(float) override {}

    const std::vector<Vesk::CDisplayObject2D*>& GetScreenElements() const { return m_ScreenElements; }

private:
    std::string m_Path;
    std::vector<Vesk::CDisplayObject2D*> m_ScreenElements;
    std::vector<int> m_ScreenLayers;
};

class CTransitInState : public CTransitScreen {
public:
    // next: the state the one below becomes (owned until the change is requested; may be null).
    CTransitInState(Vesk::IGameState* next, const std::string& name);
    ~CTransitInState() override;

    // The cursor hidden, then the screen.
    void Enter() override;
    // The screen taken down; the change to the next state and the transit-out requested.
    void Exit() override;

    Vesk::IGameState* GetNextState() const { return m_pNext.get(); }

private:
    std::unique_ptr<Vesk::IGameState> m_pNext;
};

class CTransitOutState : public CTransitScreen {
public:
    explicit CTransitOutState(const std::string& name);
};

} // namespace Game
