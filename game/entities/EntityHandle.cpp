#include "game/entities/EntityHandle.h"

#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"

namespace Game {

EntityHandle::EntityHandle(const CEntity* entity) : m_Serial(entity ? entity->GetSerial() : 0) {}

CEntity* EntityHandle::Get() const
{
    return m_Serial ? CEntityFactory::GetInstance().ResolveSerial(m_Serial) : nullptr;
}

} // namespace Game
