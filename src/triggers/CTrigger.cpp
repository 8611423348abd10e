#include "triggers/CTrigger.h"

#include "triggers/CTriggerManager.h"

namespace Vesk {

CTrigger::~CTrigger() { CTriggerManager::GetInstance().Forget(this); }

void CTrigger::InitTiming(const TriggerTimingSetting& setting)
{
    m_FireMode = setting.m_FireMode;
    m_FireDelay = setting.m_FireDelay;
    m_AfterFireMode = setting.m_AfterFireMode;
    m_ReactivationDelay = setting.m_ReactivationDelay;
    m_BypassCondition = setting.m_BypassCondition;
    SetState(setting.m_StartState);
    m_Timer = 0.0f;
    m_StartState = setting.m_StartState;
    CTriggerManager::GetInstance().Register(this);
}

void CTrigger::SetFireMode(int mode, float delay)
{
    m_FireMode = mode;
    m_FireDelay = delay;
}

void CTrigger::Unregister() { CTriggerManager::GetInstance().RemoveTrigger(this); }

void CTrigger::Step(float dt)
{
    m_Timer += dt;
    switch (m_State) {
    case TRIGGER_STATE_AWAKE:
        if (!m_BypassCondition && !CheckCondition())
            return;
        if (m_FireMode == TRIGGER_DELAY_FIRE) {
            m_State = TRIGGER_STATE_WAITING_FIRE;
            m_Timer = 0.0f;
            return;
        }
        FireAndFollowUp();
        return;
    case TRIGGER_STATE_WAITING_REACTIVATION:
        if (m_ReactivationDelay < m_Timer) {
            m_State = TRIGGER_STATE_AWAKE;
            m_Timer = 0.0f;
        }
        return;
    case TRIGGER_STATE_WAITING_FIRE:
        if (m_FireDelay < m_Timer)
            FireAndFollowUp();
        return;
    default: return;
    }
}

void CTrigger::FireAndFollowUp()
{
    CTriggerManager& manager = CTriggerManager::GetInstance();
    manager.BeginFire(this);
    Fire();
    if (manager.EndFire())
        return; // destroyed by its own Fire: nothing of it may be touched
    if (m_State == TRIGGER_STATE_SLEEPING)
        return;
    switch (m_AfterFireMode) {
    case TRIGGER_AFTER_FIRE_SLEEP: m_State = TRIGGER_STATE_SLEEPING; break;
    case TRIGGER_AFTER_FIRE_CONTINUE: m_State = TRIGGER_STATE_AWAKE; break;
    case TRIGGER_AFTER_FIRE_WAIT:
        m_State = TRIGGER_STATE_WAITING_REACTIVATION;
        m_Timer = 0.0f;
        break;
    default: break;
    }
}

} // namespace Vesk
