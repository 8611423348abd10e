#include "game/entities/CItemDrop.h"

#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "math/Random.h"

namespace Game {

void CItemDrop::Drop(const CEntity& at)
{
    EntitySetting setting = CGamePrefabSettings::GetInstance().GetEntitySetting(PICKUPITEM, "smallcoin");
    setting.m_StartPosition = at.GetPosition();
    for (int i = 0; i < at.m_CoinCount; ++i) {
        CEntity* coin = CEntityFactory::GetInstance().CreateEntity(PICKUPITEM, "smallcoin", setting);
        if (!coin)
            continue;
        coin->SetTransient(true);
        const float x = RandomRange(-30.0f, 30.0f);
        const float z = RandomRange(-30.0f, 30.0f);
        coin->SetLinearVelocity(CVector3D(x, 50.0f, z));
    }
}

} // namespace Game
