// The pickups file under bin/assets: every pickup prefab the code makes finds its values, with a
// lifetime and a collection effect, and the potion heals.
#include "EntityTestSupport.h"
#include "support/TestSupport.h"

#include "game/entities/CPickupCatalogue.h"

namespace {

using PickupContentTest = worldtest::WorldFixture;

TEST_F(PickupContentTest, EveryPickupPrefabHasItsValues)
{
    const std::string assets = testsupport::SourceDir() + "/bin/assets/";
    ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(assets + "prefabsettings.xml"));
    Game::CPickupCatalogue& catalogue = Game::CPickupCatalogue::GetInstance();
    ASSERT_TRUE(catalogue.Load(assets + "scripts/pickups/pickups.xml"));
    for (const char* prefab : {"smallcoin", "healthrecovery", "fireskill"}) {
        const Game::EntitySetting setting =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::PICKUPITEM, prefab);
        const Game::PickupValues& values = catalogue.Find(setting.m_MeshName);
        EXPECT_GT(values.m_LastingTime, 2.0f) << prefab << " would start blinking at once";
        EXPECT_FALSE(values.m_EffectName.empty()) << prefab;
        EXPECT_FALSE(setting.m_HurtSound.empty()) << prefab << " has no collection sound";
    }
    const Game::EntitySetting potion =
        Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::PICKUPITEM, "healthrecovery");
    EXPECT_GT(catalogue.Find(potion.m_MeshName).m_Hp, 0);
    catalogue.Shutdown();
}

} // namespace
