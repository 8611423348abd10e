#include "game/entities/CItemDrop.h"

#include "core/Log.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "math/Random.h"

#include <algorithm>

namespace Game {

namespace {

const float kCoinSpread = 30.0f;
const float kCoinLift = 50.0f;
const float kPotionLift = 60.0f;
// Bad data cannot make one drop flood the level.
const int kMaxCoins = 100;

} // namespace

CEntity* CItemDrop::TossPickup(const char* name, const char* prefab, const CVector3D& position,
                               const CVector3D& velocity)
{
    EntitySetting setting = CGamePrefabSettings::GetInstance().GetEntitySetting(PICKUPITEM, prefab);
    setting.m_StartPosition = position;
    CEntity* item = CEntityFactory::GetInstance().CreateEntity(PICKUPITEM, name, setting);
    if (!item) {
        Vesk::LogLine(std::string("CItemDrop: cannot make the pickup \"") + name + "\"");
        return nullptr;
    }
    item->SetTransient(true);
    item->SetPosition(position);
    item->SetLinearVelocity(velocity);
    return item;
}

float CItemDrop::PotionChance(int health, int maxHealth)
{
    const float h = static_cast<float>(health) / static_cast<float>(std::max(1, maxHealth));
    if (h < 0.2f)
        return 0.5f;
    if (h < 0.5f)
        return 0.25f;
    if (h < 0.8f)
        return 0.1f;
    return 0.0f;
}

void CItemDrop::Drop(const CEntity& entity)
{
    const CVector3D position = entity.GetPosition();
    const int coins = std::min(entity.m_CoinCount, kMaxCoins);
    for (int i = 0; i < coins; ++i) {
        const float x = RandomRange(-kCoinSpread, kCoinSpread);
        const float z = RandomRange(-kCoinSpread, kCoinSpread);
        TossPickup("smallcoin", "smallcoin", position, CVector3D(x, kCoinLift, z));
    }
    const auto* player = dynamic_cast<const CCharacter*>(CEntityFactory::GetInstance().GetEntityByName("player"));
    if (!player)
        return;
    const float r = static_cast<float>(Random15()) / static_cast<float>(kRandomMax);
    if (r < PotionChance(player->m_Health, player->m_MaxHealth))
        DropPotion(entity);
}

void CItemDrop::Drop(const CEntity* entity)
{
    if (entity)
        Drop(*entity);
}

void CItemDrop::DropPotion(const CEntity& entity)
{
    TossPickup("potion", "healthrecovery", entity.GetPosition(), CVector3D(0.0f, kPotionLift, 0.0f));
}

void CItemDrop::DropPotion(const CEntity* entity)
{
    if (entity)
        DropPotion(*entity);
}

} // namespace Game
