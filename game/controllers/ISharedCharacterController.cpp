#include "game/controllers/ISharedCharacterController.h"

#include "game/entities/CCharacter.h"

#include <algorithm>

namespace Game {

ISharedCharacterController::~ISharedCharacterController() { Clear(); }

void ISharedCharacterController::Clear()
{
    const std::vector<CCharacter*> members = GetMembers();
    m_Members.clear();
    for (CCharacter* member : members)
        member->ForgetSharedController(this);
}

void ISharedCharacterController::AddMember(CCharacter* character)
{
    if (!character || IsMember(character))
        return;
    m_Members.emplace_back(character);
    character->RecordSharedController(this);
}

void ISharedCharacterController::RemoveMember(CCharacter* character)
{
    if (!character)
        return;
    const EntityHandle handle(character);
    m_Members.erase(std::remove(m_Members.begin(), m_Members.end(), handle), m_Members.end());
    character->ForgetSharedController(this);
}

bool ISharedCharacterController::IsMember(const CCharacter* character) const
{
    const EntityHandle handle(character);
    return character && std::find(m_Members.begin(), m_Members.end(), handle) != m_Members.end();
}

std::vector<CCharacter*> ISharedCharacterController::GetMembers() const
{
    std::vector<CCharacter*> members;
    CollectMembers(members);
    return members;
}

void ISharedCharacterController::CollectMembers(std::vector<CCharacter*>& out) const
{
    out.clear();
    for (const EntityHandle& handle : m_Members) {
        if (CCharacter* character = handle.GetAs<CCharacter>())
            out.push_back(character);
    }
}

} // namespace Game
