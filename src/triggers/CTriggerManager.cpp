#include "triggers/CTriggerManager.h"

#include "triggers/CTrigger.h"

#include <algorithm>

namespace Vesk {

namespace {

bool Contains(const std::vector<CTrigger*>& list, const CTrigger* trigger)
{
    return std::find(list.begin(), list.end(), trigger) != list.end();
}

} // namespace

void CTriggerManager::Register(CTrigger* trigger)
{
    if (!trigger || Contains(m_FirstList, trigger) || Contains(m_SecondList, trigger))
        return;
    m_FirstList.push_back(trigger);
}

void CTriggerManager::AddTrigger(CTrigger* trigger)
{
    if (!trigger)
        return;
    RemoveTrigger(trigger);
    m_SecondList.push_back(trigger);
}

void CTriggerManager::RemoveTrigger(CTrigger* trigger)
{
    if (!trigger)
        return;
    for (std::vector<CTrigger*>* list : {&m_FirstList, &m_SecondList}) {
        if (m_WalkDepth > 0)
            std::replace(list->begin(), list->end(), trigger, static_cast<CTrigger*>(nullptr));
        else
            list->erase(std::remove(list->begin(), list->end(), trigger), list->end());
    }
}

void CTriggerManager::Forget(CTrigger* trigger)
{
    RemoveTrigger(trigger);
    for (Firing& firing : m_Firing) {
        if (firing.m_Trigger == trigger)
            firing.m_Destroyed = true;
    }
}

void CTriggerManager::BeginFire(CTrigger* trigger) { m_Firing.push_back({trigger, false}); }

bool CTriggerManager::EndFire()
{
    const bool destroyed = m_Firing.back().m_Destroyed;
    m_Firing.pop_back();
    return destroyed;
}

void CTriggerManager::Update(float dt)
{
    ++m_WalkDepth;
    StepList(m_FirstList, dt);
    StepList(m_SecondList, dt);
    if (--m_WalkDepth == 0) {
        Compact(m_FirstList);
        Compact(m_SecondList);
    }
}

void CTriggerManager::StepList(std::vector<CTrigger*>& list, float dt)
{
    // By index with the size read again each turn: Fire may append to this list.
    for (size_t i = 0; i < list.size(); ++i) {
        if (CTrigger* trigger = list[i])
            trigger->Step(dt);
    }
}

void CTriggerManager::Compact(std::vector<CTrigger*>& list)
{
    list.erase(std::remove(list.begin(), list.end(), nullptr), list.end());
}

bool CTriggerManager::IsInFirstList(const CTrigger* trigger) const { return trigger && Contains(m_FirstList, trigger); }

bool CTriggerManager::IsInSecondList(const CTrigger* trigger) const
{
    return trigger && Contains(m_SecondList, trigger);
}

} // namespace Vesk
