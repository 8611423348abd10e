#include "game/controllers/ISharedCharacterController.h"

#include "game/entities/CCharacter.h"

#include <algorithm>

namespace Game {

void ISharedCharacterController::AddMember(CCharacter* character)
{
    if (character && !IsMember(character))
        m_Members.emplace_back(character);
}

void ISharedCharacterController::RemoveMember(CCharacter* character, bool quiet)
{
    (void)quiet;
    const EntityHandle handle(character);
    m_Members.erase(std::remove(m_Members.begin(), m_Members.end(), handle), m_Members.end());
}

bool ISharedCharacterController::IsMember(const CCharacter* character) const
{
    const EntityHandle handle(character);
    return character && std::find(m_Members.begin(), m_Members.end(), handle) != m_Members.end();
}

std::vector<CCharacter*> ISharedCharacterController::GetMembers() const
{
    std::vector<CCharacter*> members;
    for (const EntityHandle& handle : m_Members) {
        if (CCharacter* character = handle.GetAs<CCharacter>())
            members.push_back(character);
    }
    return members;
}

} // namespace Game
