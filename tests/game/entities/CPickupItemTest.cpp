// Pickups: the shared catalogue, spin, the lifetime (steady, blinking, shattered, expired and
// removed), collection with its guards, carriers that go away, and the drops with their potion
// chances under a seeded generator.
#include "SoundTestSupport.h"

#include "game/entities/CCharacter.h"
#include "game/entities/CItemDrop.h"
#include "game/entities/CPickupCatalogue.h"
#include "game/entities/CPickupItem.h"
#include "game/skills/CGlobalSkillList.h"
#include "math/Random.h"

#include <cmath>
#include <vector>

using Game::CPickupCatalogue;
using Game::CPickupItem;

namespace {

struct ServiceLog {
    int effectsMade = 0;
    int restarts = 0;
    std::string lastEffectName;
};

// Stands in for the particle effects.
class FakeServices : public Game::IPickupServices {
public:
    explicit FakeServices(ServiceLog& log) : m_Log(log) {}

    class Effect : public Game::IPickupEffect {
    public:
        explicit Effect(ServiceLog& log) : m_Log(log) {}
        void SetPosition(const CVector3D&) override {}
        void Restart() override { ++m_Log.restarts; }

    private:
        ServiceLog& m_Log;
    };

    std::unique_ptr<Game::IPickupEffect> CreateEffect(const std::string& name, int count, int mode) override
    {
        EXPECT_EQ(10, count);
        EXPECT_EQ(0, mode);
        ++m_Log.effectsMade;
        m_Log.lastEffectName = name;
        return std::make_unique<Effect>(m_Log);
    }

private:
    ServiceLog& m_Log;
};

class CPickupItemTest : public worldtest::SoundFixture {
protected:
    void SetUp() override
    {
        SoundFixture::SetUp();
        testsupport::WriteFile(m_Dir.File("pickups.xml"),
                               "<pickups>"
                               "<coinmesh hp=\"5\" mana=\"2\" dmg=\"1.5\" movespeed=\"0.25\" atkspeed=\"0.5\" "
                               "deathmod=\"3\" effect_name=\"sparkle\" lasting_time=\"3.0\"/>"
                               "<coinmesh hp=\"99\"/>"
                               "<sparse hp=\"oops\" lasting_time=\"7\"/>"
                               "</pickups>");
        ASSERT_TRUE(Catalogue().Load(m_Dir.File("pickups.xml")));
        Catalogue().SetServices(std::make_unique<FakeServices>(m_Services));
    }

    void TearDown() override
    {
        Game::CGlobalSkillList::GetInstance().Shutdown();
        Catalogue().Shutdown();
        SoundFixture::TearDown();
    }

    static CPickupCatalogue& Catalogue() { return CPickupCatalogue::GetInstance(); }

    CPickupItem* MakePickup(const std::string& name, const std::string& mesh = "coinmesh")
    {
        Game::EntitySetting setting;
        setting.m_MeshName = mesh;
        setting.m_HurtSound = "collect";
        auto* item = dynamic_cast<CPickupItem*>(Make(Game::PICKUPITEM, name, setting));
        EXPECT_NE(nullptr, item);
        return item;
    }

    Game::CCharacter* MakePlayer(int health, int maxHealth)
    {
        Game::EntitySetting setting;
        setting.m_HealthPoints = maxHealth;
        auto* player = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, "player", setting));
        EXPECT_NE(nullptr, player);
        player->m_Health = health;
        return player;
    }

    // One frame of the world: entity updates, then the queued destructions.
    static void Frame(float dt)
    {
        Factory().UpdateAll(dt);
        Factory().ProcessPendingDestroys();
    }

    ServiceLog m_Services;
};

TEST_F(CPickupItemTest, ValuesComeFromTheCatalogueByMeshName)
{
    CPickupItem* item = MakePickup("smallcoin");
    EXPECT_EQ(5, item->m_Hp); // the first element of a name wins
    EXPECT_EQ(2, item->m_Mana);
    EXPECT_FLOAT_EQ(1.5f, item->m_Dmg);
    EXPECT_FLOAT_EQ(0.25f, item->m_MoveSpeed);
    EXPECT_FLOAT_EQ(0.5f, item->m_AtkSpeed);
    EXPECT_FLOAT_EQ(3.0f, item->m_DeathMod);
    EXPECT_FLOAT_EQ(3.0f, item->GetLastingTime());
    EXPECT_EQ("sparkle", m_Services.lastEffectName);
    EXPECT_EQ(1, m_Services.effectsMade);
    EXPECT_TRUE(item->IsCollectable());

    CPickupItem* sparse = MakePickup("odd", "sparse"); // an unreadable value stays 0
    EXPECT_EQ(0, sparse->m_Hp);
    EXPECT_FLOAT_EQ(7.0f, sparse->GetLastingTime());
    CPickupItem* unknown = MakePickup("odd", "nowhere");
    EXPECT_EQ(0, unknown->m_Hp);
    EXPECT_FLOAT_EQ(0.0f, unknown->GetLastingTime());

    // A missing file leaves every pickup at zeros.
    EXPECT_FALSE(Catalogue().Load(m_Dir.File("absent.xml")));
    EXPECT_EQ(0, MakePickup("late")->m_Hp);
}

TEST_F(CPickupItemTest, CoinsSpinFasterThanOtherItemsAndWrapAtAFullTurn)
{
    CPickupItem* coin = MakePickup("smallcoin");
    CPickupItem* potion = MakePickup("potion");
    coin->Update(0.1f);
    potion->Update(0.1f);
    EXPECT_NEAR(0.8726646f, coin->GetSpinAngle(), 1e-5f);
    EXPECT_NEAR(0.15707963f, potion->GetSpinAngle(), 1e-6f);
    for (int i = 0; i < 6; ++i)
        coin->Update(0.1f);
    EXPECT_NEAR(0.8726646f * 7.0f, coin->GetSpinAngle(), 1e-4f);
    coin->Update(0.1f); // passes 2 pi
    EXPECT_FLOAT_EQ(0.0f, coin->GetSpinAngle());
    // The direction follows the angle from before the step.
    EXPECT_NEAR(std::sin(0.8726646f * 7.0f), coin->GetDirection().x, 1e-4f);
}

TEST_F(CPickupItemTest, LifetimeIsSteadyThenBlinksThenShattersThenTheItemGoes)
{
    // Two skill pickups counted in the world (the list's own are gone at once).
    Game::CGlobalSkillList& skills = Game::CGlobalSkillList::GetInstance();
    skills.Init();
    skills.SpawnSkillPickup(CVector3D(), CVector3D());
    skills.SpawnSkillPickup(CVector3D(), CVector3D());
    for (Game::CEntity* spawned : Factory().FindByName("fireskill"))
        Factory().DestroyEntity(spawned);
    ASSERT_EQ(2, skills.GetWorldCount());
    CPickupItem* item = MakePickup("fireskill"); // lasting 3.0
    const Game::EntityHandle handle(item);
    // Frame times of 0.125 s; checks after the frame that ends at the given time.
    const struct {
        float time;
        bool collectable;
        bool visible;
        int collectedState;
    } rows[] = {
        {1.0f, true, true, Game::PICKUP_LYING},     // 2.0 left: still steady
        {1.125f, true, false, Game::PICKUP_LYING},  // blink phase 0.875: hidden
        {1.25f, true, true, Game::PICKUP_LYING},    // 1.75: shown
        {1.375f, true, false, Game::PICKUP_LYING},  // past 2: back to 0
        {3.0f, true, false, Game::PICKUP_LYING},    // 0.0 left: the last blink frame
        {3.125f, false, false, Game::PICKUP_LYING}, // shattered, no longer collectable
        {8.0f, false, false, Game::PICKUP_LYING},   // -5.0 left: not yet expired
        {8.125f, false, false, Game::PICKUP_BEING_TAKEN}, {8.375f, false, false, Game::PICKUP_TAKEN},
    };
    float time = 0.0f;
    for (const auto& row : rows) {
        while (time < row.time - 1e-4f) {
            Frame(0.125f);
            time += 0.125f;
        }
        ASSERT_EQ(item, handle.Get()) << "at " << row.time;
        EXPECT_EQ(row.collectable, item->IsCollectable()) << "at " << row.time;
        EXPECT_EQ(row.visible, item->IsVisible()) << "at " << row.time;
        EXPECT_EQ(row.collectedState, item->GetCollectedState()) << "at " << row.time;
    }
    EXPECT_EQ(1, skills.GetWorldCount()); // lowered once, not on every shattered frame
    EXPECT_EQ(0, Plays("collect"));       // the time had run out
    for (int i = 0; i < 8; ++i)
        Frame(0.125f);
    EXPECT_EQ(nullptr, handle.Get()); // removed itself
}

TEST_F(CPickupItemTest, CollectionGuards)
{
    Game::CCharacter* player = MakePlayer(10, 100);
    player->SetPosition(CVector3D(40.0f, 2.0f, 8.0f));
    CPickupItem* item = MakePickup("smallcoin");

    item->Collect(nullptr);
    EXPECT_TRUE(item->IsCollectable());

    Game::CCharacter* thief = MakePlayer(5, 5);
    thief->SetName("thief");
    item->SetCarrier(thief);
    item->Collect(player);
    EXPECT_TRUE(item->IsCollectable());
    EXPECT_EQ(10, player->m_Health);
    Factory().DestroyEntity(thief); // the carrier goes: the item is free again
    EXPECT_FALSE(item->IsHeld());

    item->Collect(player);
    EXPECT_FALSE(item->IsCollectable());
    EXPECT_EQ(15, player->m_Health);
    EXPECT_EQ(Game::PICKUP_BEING_TAKEN, item->GetCollectedState());
    EXPECT_FLOAT_EQ(17.0f, item->GetPosition().y); // 15 above the collector
    EXPECT_EQ(1, m_Services.restarts);
    EXPECT_EQ(1, Plays("collect"));

    item->Collect(player); // taken already
    EXPECT_EQ(15, player->m_Health);
    EXPECT_EQ(1, Plays("collect"));

    const Game::EntityHandle handle(item);
    Frame(0.125f);
    EXPECT_FLOAT_EQ(40.0f, item->GetPosition().x); // drawn to the player
    EXPECT_FLOAT_EQ(8.0f, item->GetPosition().z);
    Frame(0.125f);
    EXPECT_EQ(Game::PICKUP_TAKEN, item->GetCollectedState());
    EXPECT_FALSE(item->IsVisible());
    for (int i = 0; i < 8; ++i)
        Frame(0.125f);
    EXPECT_EQ(nullptr, handle.Get());
}

TEST_F(CPickupItemTest, PotionChanceFollowsThePlayersHealth)
{
    const struct {
        int health, maxHealth;
        float chance;
    } rows[] = {{10, 100, 0.5f}, {19, 100, 0.5f}, {20, 100, 0.25f}, {30, 100, 0.25f}, {60, 100, 0.1f},
                {79, 100, 0.1f}, {80, 100, 0.0f}, {90, 100, 0.0f},  {0, 0, 0.5f},     {5, 0, 0.0f}};
    for (const auto& row : rows)
        EXPECT_FLOAT_EQ(row.chance, Game::CItemDrop::PotionChance(row.health, row.maxHealth))
            << row.health << '/' << row.maxHealth;
}

TEST_F(CPickupItemTest, DropsTossCoinsAndSometimesAPotion)
{
    Game::CEntity* crate = Make(Game::DESTRUCTIBLE_OBJECT, "crate");
    crate->SetPosition(CVector3D(5.0f, 1.0f, -3.0f));
    Game::CItemDrop::Drop(crate); // no player: coins only
    const auto coins = Factory().FindByName("smallcoin");
    ASSERT_EQ(3u, coins.size());
    for (Game::CEntity* coin : coins) {
        CVector3D velocity;
        coin->GetLinearVelocity(velocity);
        EXPECT_FLOAT_EQ(50.0f, velocity.y);
        EXPECT_LE(std::fabs(velocity.x), 30.0f);
        EXPECT_LE(std::fabs(velocity.z), 30.0f);
        EXPECT_FLOAT_EQ(5.0f, coin->GetPosition().x);
        EXPECT_EQ(Game::PICKUPITEM, coin->GetType());
    }
    EXPECT_TRUE(Factory().FindByName("potion").empty());
    Game::CItemDrop::Drop(static_cast<const Game::CEntity*>(nullptr));

    // Potions over many drops at each health band, with a seeded generator.
    Game::CCharacter* player = MakePlayer(10, 100);
    crate->m_CoinCount = 0;
    const struct {
        int health;
        int low, high; // potions expected in 400 drops
    } bands[] = {{10, 160, 240}, {30, 70, 130}, {60, 20, 60}, {90, 0, 0}};
    for (const auto& band : bands) {
        SeedRandom(1234);
        player->m_Health = band.health;
        const size_t before = Factory().FindByName("potion").size();
        for (int i = 0; i < 400; ++i)
            Game::CItemDrop::Drop(*crate);
        const int potions = static_cast<int>(Factory().FindByName("potion").size() - before);
        EXPECT_GE(potions, band.low) << "health " << band.health;
        EXPECT_LE(potions, band.high) << "health " << band.health;
    }
    Game::CEntity* potion = Factory().GetEntityByName("potion");
    ASSERT_NE(nullptr, potion);
    CVector3D velocity;
    potion->GetLinearVelocity(velocity);
    EXPECT_FLOAT_EQ(0.0f, velocity.x);
    EXPECT_FLOAT_EQ(60.0f, velocity.y);
}

} // namespace
