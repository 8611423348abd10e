// The timing half of every trigger: when a trigger may test its condition and fire, stepped once a
// frame by CTriggerManager. Subclasses supply CheckCondition and Fire; the timing fields and the
// state machine that advances them live here. A trigger unregisters itself when destroyed.
#pragma once

namespace Vesk {

enum TriggerState : int {
    TRIGGER_STATE_AWAKE = 0,
    TRIGGER_STATE_SLEEPING = 1,
    TRIGGER_STATE_WAITING_REACTIVATION = 2,
    TRIGGER_STATE_WAITING_FIRE = 3,
};

enum TriggerFireMode : int {
    TRIGGER_IMMEDIATE_FIRE = 0,
    TRIGGER_DELAY_FIRE = 1,
};

enum TriggerAfterFireMode : int {
    TRIGGER_AFTER_FIRE_SLEEP = 0,
    TRIGGER_AFTER_FIRE_CONTINUE = 1,
    TRIGGER_AFTER_FIRE_WAIT = 2,
};

// The timing fields of a trigger's prefab record, in the order the record stores them.
struct TriggerTimingSetting {
    int m_StartState = TRIGGER_STATE_AWAKE;
    int m_FireMode = TRIGGER_IMMEDIATE_FIRE;
    int m_AfterFireMode = TRIGGER_AFTER_FIRE_CONTINUE;
    bool m_BypassCondition = false;
    float m_FireDelay = 0.0f;
    float m_ReactivationDelay = 0.0f;
};

class CTrigger {
public:
    CTrigger() = default;
    virtual ~CTrigger();
    CTrigger(const CTrigger&) = delete;
    CTrigger& operator=(const CTrigger&) = delete;

    virtual bool CheckCondition() = 0;
    virtual void Fire() = 0;
    virtual void SetState(int state) { m_State = state; }

    // Copies the timing fields, enters the start state and registers with the timing manager
    // (once: a trigger initialised again keeps its place).
    void InitTiming(const TriggerTimingSetting& setting);
    void SetFireMode(int mode, float delay);
    // The wait after a fire with after-fire mode wait; sequenced triggers change it per activation.
    void SetReactivationDelay(float delay) { m_ReactivationDelay = delay; }
    void Unregister();

    // Advances the timer by dt and applies the rule of the current state.
    void Step(float dt);

    int GetState() const { return m_State; }
    int GetStartState() const { return m_StartState; }
    int GetFireMode() const { return m_FireMode; }
    int GetAfterFireMode() const { return m_AfterFireMode; }
    float GetFireDelay() const { return m_FireDelay; }
    float GetReactivationDelay() const { return m_ReactivationDelay; }
    float GetTimer() const { return m_Timer; }
    bool GetBypassCondition() const { return m_BypassCondition; }

private:
    void FireAndFollowUp();

    int m_FireMode = TRIGGER_IMMEDIATE_FIRE;
    int m_AfterFireMode = TRIGGER_AFTER_FIRE_CONTINUE;
    float m_FireDelay = 0.0f;
    float m_ReactivationDelay = 0.0f;
    float m_Timer = 0.0f;
    int m_State = TRIGGER_STATE_AWAKE;
    int m_StartState = TRIGGER_STATE_AWAKE;
    bool m_BypassCondition = false;
};

} // namespace Vesk
