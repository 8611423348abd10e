// CTrampolineController: drives a trampoline trap. Attach locks the trap body's rotation and
// turns its contact response and gravity off; every character named "player" whose box overlaps
// the trap is thrown up at kThrowSpeed with its horizontal speed kept, after which the trampoline
// rests kRearmTime before it throws again. It owns its two-state machine ("wait", "attack"); the
// trap is held by handle.
#pragma once

#include "core/CFiniteStateMachine.h"
#include "game/controllers/IController.h"

#include <memory>
#include <string>

namespace Game {

class CTrampolineController : public IController {
public:
    static constexpr float kThrowSpeed = 120.0f;
    static constexpr float kRearmTime = 0.05f;

    // Takes the trap, sets its body up and builds the machine, starting in "wait".
    void Attach(const ControllerSetting& setting) override;
    // Lets go of the trap and the machine; the timer is cleared.
    void Detach() override;
    // Steps the machine while the trap lives.
    void Update(float dt) override;
    int GetControllerType() const override { return TRAMPOLINE; }

    // "wait" or "attack" (the state about to be entered when a change is pending); empty when
    // detached.
    std::string GetStateName() const;
    float GetTimer() const { return m_Timer; }
    // Set by a throw, cleared when the rest after it begins.
    bool HasFired() { return m_Fired; }

private:
    using Machine = Vesk::CFiniteStateMachine<CTrampolineController>;

    void ThrowPlayers(float dt);
    void EnterAttack();
    void CountTimer(float dt);
    bool IsTimeUp();

    std::unique_ptr<Machine> m_pMachine;
    float m_Timer = 0.0f;
    bool m_Fired = false;
};

} // namespace Game
