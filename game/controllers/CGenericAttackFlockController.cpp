#include "game/controllers/CGenericAttackFlockController.h"

#include "game/combat/CAttackPool.h"
#include "game/controllers/CGolemController.h"
#include "game/controllers/IController.h"
#include "game/entities/CCharacter.h"
#include "math/Random.h"

#include <vector>

namespace Game {

void CGenericAttackFlockController::Init(const std::string& name)
{
    ISharedCharacterController::Init(name);
    m_MaxAttackers = kDefaultMaxAttackers;
    m_AttackersChosen = 0;
    m_WindowLength = kDefaultWindowLength;
    m_WindowTimer = 0.0f;
}

void CGenericAttackFlockController::Update(float dt)
{
    if (!m_Enabled)
        return;
    m_WindowTimer += dt;
    // The update that closes a window only opens the next one.
    if (m_WindowTimer >= m_WindowLength) {
        m_AttackersChosen = 0;
        m_WindowTimer = 0.0f;
        return;
    }
    if (m_AttackersChosen >= m_MaxAttackers)
        return;

    std::vector<CCharacter*> candidates;
    for (CCharacter* member : GetMembers()) {
        if (!(member->m_ActionLockTimer > 0.0f) && member->m_Attacking)
            candidates.push_back(member);
    }
    if (candidates.empty())
        return;

    const unsigned slots = m_MaxAttackers - m_AttackersChosen;
    if (candidates.size() <= slots) {
        for (CCharacter* candidate : candidates) {
            candidate->m_Attacking = false;
            LaunchAttack(candidate);
        }
        m_AttackersChosen += static_cast<unsigned>(candidates.size());
        return;
    }
    std::vector<bool> taken(candidates.size(), false);
    for (unsigned launched = 0; launched < slots;) {
        const std::size_t pick = static_cast<std::size_t>(Random15()) % candidates.size();
        if (taken[pick])
            continue;
        taken[pick] = true;
        candidates[pick]->m_Attacking = false;
        LaunchAttack(candidates[pick]);
        ++launched;
    }
    m_AttackersChosen += slots;
}

const char* CGenericAttackFlockController::AttackFor(int controllerType)
{
    return controllerType == GOLEM ? CGolemController::kSlamAttack : kPunchAttack;
}

void CGenericAttackFlockController::LaunchAttack(CCharacter* member)
{
    if (!member)
        return;
    IController* controller = member->GetController();
    CAttackPool::GetInstance().SpawnAttack(member,
                                           controller ? AttackFor(controller->GetControllerType()) : kPunchAttack);
    if (auto* character = dynamic_cast<CCharacterController*>(controller))
        character->OnFlockLaunch();
}

} // namespace Game
