// CSpikeController: drives a spike trap. The trap's body is made static; the controller waits
// 0.5 s, fires "SpikeAttack" out of the trap, lets that attack run its delay and persist time,
// and waits again. It owns its two-state machine ("wait", "attack"); the trap is held by handle.
#pragma once

#include "core/CFiniteStateMachine.h"
#include "game/controllers/IController.h"

#include <memory>
#include <string>

namespace Game {

class CSpikeController : public IController {
public:
    static constexpr const char* kAttackName = "SpikeAttack";
    static constexpr float kWaitTime = 0.5f;

    // Takes the trap, makes its body static and builds the machine, starting in "wait".
    void Attach(const ControllerSetting& setting) override;
    // Lets go of the trap and the machine; the timer is cleared.
    void Detach() override;
    // Steps the machine while the trap lives.
    void Update(float dt) override;
    int GetControllerType() const override { return SPIKE; }

    // "wait" or "attack" (the state about to be entered when a change is pending); empty when
    // detached.
    std::string GetStateName() const;
    float GetTimer() const { return m_Timer; }

private:
    using Machine = Vesk::CFiniteStateMachine<CSpikeController>;

    void EnterWait();
    void EnterAttack();
    void CountTimer(float dt);
    bool IsTimeUp();

    std::unique_ptr<Machine> m_pMachine;
    float m_Timer = 0.0f;
};

} // namespace Game
