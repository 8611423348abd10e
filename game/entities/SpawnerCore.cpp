#include "game/entities/SpawnerCore.h"

#include "core/Log.h"
#include "game/base/CGameServices.h"
#include "game/controllers/IController.h"
#include "game/controllers/PrefabRecords.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "physics/CRigidBody.h"
#include "triggers/CTrigger.h"

#include <algorithm>

namespace Game {

void TriggerSequence::CopyFrom(const GameTriggerSetting& setting, const std::vector<int>& groupSequence)
{
    m_ActivationLimit = setting.m_MaxActivations;
    m_ActivationIndex = 0;
    m_GroupSequence = groupSequence;
    m_DelaySequence = setting.m_ReactivationTimeSequence;
}

void TriggerSequence::Clear()
{
    m_ActivationIndex = 0;
    m_GroupSequence.clear();
    m_DelaySequence.clear();
}

size_t TriggerSequence::CurrentEntry() const
{
    const size_t index = static_cast<size_t>(std::max(0, m_ActivationIndex));
    return m_GroupSequence.empty() ? index : std::min(index, m_GroupSequence.size() - 1);
}

void TriggerSequence::ApplyDelay(Vesk::CTrigger& trigger, size_t i) const
{
    if (!m_DelaySequence.empty())
        trigger.SetReactivationDelay(m_DelaySequence[std::min(i, m_DelaySequence.size() - 1)]);
}

void MakeDormantTemplate(CEntity& entity)
{
    if (IController* controller = entity.GetController())
        controller->m_Enabled = false;
    entity.SetVisible(false);
    if (Vesk::CRigidBody* body = entity.GetBody()) {
        body->SetGravity(CVector3D(0.0f, 0.0f, 0.0f));
        body->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
    }
}

CEntity* SpawnFromTemplate(const CEntity& source)
{
    CEntity* clone = CEntityFactory::GetInstance().CloneEntity(source);
    if (clone)
        clone->SetTransient(true);
    else
        Vesk::LogLine("CGameTrigger: no clone of \"" + source.GetName() + "\" could be made");
    return clone;
}

bool AdditionalConditionHolds(int condition)
{
    return condition != ALLENEMIESDEAD || CGameServices::GetInstance().AllEnemiesDefeated();
}

} // namespace Game
