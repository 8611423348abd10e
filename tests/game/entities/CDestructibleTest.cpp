// Destructibles, doodads and traps: hits, the life machine's way to "death" with its one sound,
// shatter and coins, the non-collidable kind, and the bodies each kind gets.
#include "TriggerTestSupport.h"

#include "game/entities/CDestructible.h"
#include "game/entities/CDoodads.h"
#include "game/entities/CNonCollidableDestructible.h"
#include "game/entities/CTrap.h"
#include "physics/CRigidBody.h"

namespace {

class CDestructibleTest : public worldtest::TriggerFixture {
protected:
    static Game::CDestructible* Crate(int type = Game::DESTRUCTIBLE_OBJECT)
    {
        Game::EntitySetting setting;
        setting.m_StartPosition = CVector3D(7, 0, -3);
        return dynamic_cast<Game::CDestructible*>(Make(type, "crate", setting));
    }

    static std::vector<Game::CEntity*> Coins() { return Factory().FindByName("smallcoin"); }

    // Frames until the life machine settles (a change found in one update is made in the next).
    static void Settle(Game::CDestructible& crate)
    {
        for (int i = 0; i < 6; ++i)
            crate.Update(1.0f / 60.0f);
    }
};

using CDoodadsTest = CDestructibleTest;

} // namespace

TEST_F(CDestructibleTest, ACrateBreaksOnTheThirdHitPlaysItsSoundOnceAndDropsItsCoins)
{
    Game::CDestructible* crate = Crate();
    ASSERT_NE(nullptr, crate);
    EXPECT_TRUE(crate->IsActive());
    EXPECT_EQ(Vesk::BODY_DYNAMIC, crate->GetBody()->GetBodyType());
    Settle(*crate);
    for (int hit = 1; hit <= 2; ++hit) {
        crate->TakeDamage(1);
        Settle(*crate);
        EXPECT_EQ(3 - hit, crate->GetHitPoints());
        EXPECT_EQ("alive", crate->GetLifeStateName()) << "after hit " << hit;
    }
    EXPECT_TRUE(Coins().empty());
    EXPECT_TRUE(SoundsPlayed().empty());

    crate->TakeDamage(1);
    Settle(*crate);
    EXPECT_EQ("death", crate->GetLifeStateName());
    EXPECT_EQ(Game::LIFE_DEAD, crate->m_LifeState);
    EXPECT_EQ(std::vector<std::string>{"crate_destroy.wav"}, SoundsPlayed());
    const int channel = m_Sound->plays.back().channel;
    EXPECT_FLOAT_EQ(0.5f, m_Sound->channelVolumes[channel]);
    EXPECT_FALSE(crate->GetBody()->IsRegistered()) << "the body left the simulation";

    const std::vector<Game::CEntity*> coins = Coins();
    ASSERT_EQ(3u, coins.size());
    for (Game::CEntity* coin : coins) {
        EXPECT_EQ(Game::PICKUPITEM, coin->GetType());
        EXPECT_TRUE(coin->IsTransient());
        EXPECT_FLOAT_EQ(7.0f, coin->GetPosition().x);
        CVector3D velocity;
        coin->GetLinearVelocity(velocity);
        EXPECT_FLOAT_EQ(50.0f, velocity.y);
        EXPECT_LE(std::abs(velocity.x), 30.0f);
    }

    // Further hits and frames change nothing more.
    crate->TakeDamage(5);
    Settle(*crate);
    EXPECT_EQ(1u, SoundsPlayed().size());
    EXPECT_EQ(3u, Coins().size());
    EXPECT_EQ(0, crate->GetHitPoints());
}

TEST_F(CDestructibleTest, HitTable)
{
    const struct {
        int type;
        std::vector<int> hits;
        int hitPoints;
        bool broken;
    } cases[] = {
        {Game::DESTRUCTIBLE_OBJECT, {1, 1}, 1, false},          {Game::DESTRUCTIBLE_OBJECT, {10}, 0, true},
        {Game::DESTRUCTIBLE_OBJECT, {0, 0, 0, 0}, 3, false},    {Game::NO_COLLISION_DESTRUCTIBLE_OBJECT, {}, 1, false},
        {Game::NO_COLLISION_DESTRUCTIBLE_OBJECT, {1}, 0, true}, {Game::NO_COLLISION_DESTRUCTIBLE_OBJECT, {4}, 0, true},
    };
    int index = 0;
    for (const auto& c : cases) {
        Game::CDestructible* crate = Crate(c.type);
        ASSERT_NE(nullptr, crate);
        for (int damage : c.hits)
            crate->TakeDamage(damage);
        Settle(*crate);
        EXPECT_EQ(c.hitPoints, crate->GetHitPoints()) << "case " << index;
        EXPECT_EQ(c.broken ? "death" : "alive", crate->GetLifeStateName()) << "case " << index;
        Factory().Clear();
        ++index;
    }

    // While the hit cooldown runs, hits are ignored; it counts down with the updates.
    Game::CDestructible* crate = Crate();
    crate->m_HitCooldown = 0.05f;
    crate->TakeDamage(1);
    EXPECT_EQ(3, crate->GetHitPoints());
    Settle(*crate);
    crate->TakeDamage(1);
    EXPECT_EQ(2, crate->GetHitPoints());
}

TEST_F(CDestructibleTest, NonCollidableAndTrapBodies)
{
    Vesk::CPhysicsSystem::GetInstance().SetGravity(CVector3D(0, -25, 0));
    Game::CDestructible* vase = Crate(Game::NO_COLLISION_DESTRUCTIBLE_OBJECT);
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, vase->GetBody()->GetBodyType());
    EXPECT_FLOAT_EQ(0.0f, vase->GetBody()->GetGravity().Length());

    auto* trap = dynamic_cast<Game::CTrap*>(Make(Game::GENERIC_TRAPS, "spike"));
    ASSERT_NE(nullptr, trap);
    EXPECT_TRUE(trap->IsActive());
    EXPECT_EQ(Vesk::BODY_DYNAMIC, trap->GetBody()->GetBodyType());
    EXPECT_EQ(Game::LIFE_ALIVE, trap->m_LifeState);
}

TEST_F(CDoodadsTest, ADoodadHasNodesButNoBodyAndFollowsItsPlace)
{
    Game::EntitySetting setting;
    setting.m_StartPosition = CVector3D(3, 4, 5);
    setting.m_Direction = CVector3D(1, 0, 0);
    setting.m_DimX = setting.m_DimY = setting.m_DimZ = 2.0f;
    Game::CEntity* doodad = Make(Game::GENERIC_DOODADS, "tree", setting);
    EXPECT_EQ(nullptr, doodad->GetBody());
    EXPECT_EQ(nullptr, doodad->GetController());
    ASSERT_NE(nullptr, doodad->GetTransformNode());
    EXPECT_EQ("tree_Trans", doodad->GetTransformNode()->GetName());

    // Without a body the box is the fallback around the position.
    CAABB box;
    doodad->GetBoundingBox(box);
    EXPECT_FLOAT_EQ(3.0f, box.GetCenter().x);
    EXPECT_FLOAT_EQ(5.0f, box.GetCenter().z);

    doodad->SetPosition(CVector3D(-1, 0, 8));
    doodad->Update(0.1f);
    const CMatrix4& placed = doodad->GetTransformNode()->GetLocalMatrix();
    EXPECT_FLOAT_EQ(-1.0f, placed.m[3]);
    EXPECT_FLOAT_EQ(8.0f, placed.m[11]);
}
