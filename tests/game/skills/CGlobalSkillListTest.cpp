// The skill list: drops capped by the skill pickups lying in the world under a scripted generator,
// the count following collection, the player's own drops passing the cap, and the three skill
// trees with their rising crests built and taken down again.
#include "../entities/SoundTestSupport.h"

#include "game/entities/CCharacter.h"
#include "game/entities/CPickupItem.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CLinearTweenController.h"
#include "game/skills/CGlobalSkillList.h"
#include "game/skills/CSkillNode.h"
#include "math/Random.h"
#include "ui2d/CDisplay2DSystem.h"

#include <map>
#include <string>

namespace {

using Game::CGlobalSkillList;

// Seeds the generator so that its next value is the one given.
void ScriptNextRandom(int value)
{
    for (unsigned seed = 0; seed < (1u << 26); ++seed) {
        SeedRandom(seed);
        if (Random15() == value) {
            SeedRandom(seed);
            return;
        }
    }
    FAIL() << "no seed gives " << value;
}

class CGlobalSkillListTest : public worldtest::SoundFixture {
protected:
    void SetUp() override
    {
        SoundFixture::SetUp();
        ASSERT_TRUE(Skills().Init());
    }

    void TearDown() override
    {
        // Before the controller manager takes the crests' tweens down.
        Skills().Shutdown();
        SoundFixture::TearDown();
    }

    static CGlobalSkillList& Skills() { return CGlobalSkillList::GetInstance(); }
    static size_t SkillPickups() { return Factory().FindByName("fireskill").size(); }

    // Pickups put there by the list until the world count is n.
    static void FillWorld(int n)
    {
        while (Skills().GetWorldCount() < n)
            Skills().SpawnSkillPickup(CVector3D(), CVector3D(0.0f, 25.0f, 0.0f));
    }

    Game::CCharacter* MakePlayer()
    {
        auto* player = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, "player"));
        EXPECT_NE(nullptr, player);
        return player;
    }
};

TEST_F(CGlobalSkillListTest, EnemiesDropASkillWithAChanceOfThreeTenthsBelowTheCap)
{
    const struct {
        int inWorld;
        int next; // the generator's next value, 0..32767
        bool drops;
    } rows[] = {
        {0, 0, true},     {0, 9830, true},   {1, 9830, true}, // 9830 / 32767 is just below 0.3
        {1, 9831, false}, {0, 32767, false}, {2, 0, false},   // at the cap even a sure drop is refused
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.inWorld << " in the world, next " << row.next);
        ASSERT_TRUE(Skills().Init());
        Factory().Shutdown();
        ASSERT_TRUE(Factory().Init());
        FillWorld(row.inWorld);
        ScriptNextRandom(row.next);
        const CVector3D at(12.0f, 3.0f, -4.0f), launch(0.0f, 25.0f, 0.0f);
        Skills().TryDropSkill(at, launch);
        EXPECT_EQ(row.inWorld + (row.drops ? 1 : 0), Skills().GetWorldCount());
        ASSERT_EQ(static_cast<size_t>(Skills().GetWorldCount()), SkillPickups());
        if (row.drops) {
            const Game::CEntity* dropped = Factory().FindByName("fireskill").back();
            EXPECT_EQ(Game::PICKUPITEM, dropped->GetType());
            EXPECT_FLOAT_EQ(12.0f, dropped->GetPosition().x);
            CVector3D velocity;
            dropped->GetLinearVelocity(velocity);
            EXPECT_FLOAT_EQ(25.0f, velocity.y);
        }
        if (row.inWorld == CGlobalSkillList::kWorldCap) { // at the cap the generator is not drawn from
            EXPECT_EQ(row.next, Random15());
        }
    }
}

TEST_F(CGlobalSkillListTest, CollectingOrLosingAPickupLowersTheCountNeverBelowZero)
{
    FillWorld(2);
    Game::CCharacter* player = MakePlayer();
    auto* first = dynamic_cast<Game::CPickupItem*>(Factory().FindByName("fireskill").front());
    ASSERT_NE(nullptr, first);
    first->Collect(player);
    EXPECT_EQ(1, Skills().GetWorldCount());
    first->Collect(player); // taken already: counted once
    EXPECT_EQ(1, Skills().GetWorldCount());

    // Below the cap again: drops are possible.
    ScriptNextRandom(0);
    Skills().TryDropSkill(CVector3D(), CVector3D());
    EXPECT_EQ(2, Skills().GetWorldCount());

    // Skill pickups the list did not put there (a level's own) still count down, to 0 at most.
    for (Game::CEntity* item : Factory().FindByName("fireskill"))
        dynamic_cast<Game::CPickupItem*>(item)->Collect(player);
    Game::EntitySetting setting;
    auto* extra = dynamic_cast<Game::CPickupItem*>(Make(Game::PICKUPITEM, "fireskill", setting));
    ASSERT_NE(nullptr, extra);
    extra->Collect(player);
    EXPECT_EQ(0, Skills().GetWorldCount());
    Skills().LowerWorldCount();
    EXPECT_EQ(0, Skills().GetWorldCount());

    // Other pickups leave the count alone.
    FillWorld(1);
    dynamic_cast<Game::CPickupItem*>(Make(Game::PICKUPITEM, "smallcoin", setting))->Collect(player);
    EXPECT_EQ(1, Skills().GetWorldCount());
}

TEST_F(CGlobalSkillListTest, APlayerLosingThreeSkillsDropsThemAllPastTheCap)
{
    FillWorld(2);
    for (int i = 0; i < 3; ++i)
        Skills().SpawnSkillPickup(CVector3D(0.0f, 16.0f, 0.0f), CVector3D(10.0f, 90.0f, -20.0f));
    EXPECT_EQ(5, Skills().GetWorldCount());
    EXPECT_EQ(5u, SkillPickups());
    // ... and no enemy drops another until the count is below the cap again.
    ScriptNextRandom(0);
    Skills().TryDropSkill(CVector3D(), CVector3D());
    EXPECT_EQ(5, Skills().GetWorldCount());
}

TEST_F(CGlobalSkillListTest, InitBuildsTheThreeTreesWithSixteenRisingCrestsEach)
{
    const Vesk::CDisplay2DSystem& layers = Vesk::CDisplay2DSystem::GetInstance();
    ASSERT_TRUE(Skills().Init()); // again: nothing from before is left
    ASSERT_EQ(3u, Skills().GetSkillNodeCount());
    EXPECT_EQ(48u, layers.GetLayerCount(Game::CSkillNode::kCrestLayer));
    EXPECT_EQ(48u, Game::CControllerManager::GetInstance().GetControllers().size());

    const struct {
        const char* tree;
        const char* crest;
        std::map<std::string, int> table;
    } trees[] = {
        {"flame", "FlameCrest", {{"FireSwing1", 1}, {"FireSwing2", 1}, {"RisingDragon", 6}, {"FireGeyser", 10}}},
        {"wind",
         "WindCrest",
         {{"WindSwing1", 4}, {"WindSwing2", 4}, {"WindWalk", 4}, {"WindShield", 8}, {"SpiralDrill", 6}}},
        {"lighting", "LightningCrest", {}},
    };
    for (size_t n = 0; n < 3; ++n) {
        const Game::CSkillNode* node = Skills().GetSkillNode(n);
        ASSERT_NE(nullptr, node);
        EXPECT_EQ(trees[n].tree, node->GetTreeName());
        EXPECT_EQ(trees[n].crest, node->GetName());
        EXPECT_EQ(trees[n].table, node->GetSkillTable());
        EXPECT_FLOAT_EQ(0.5f, node->GetScale().x);
        ASSERT_EQ(16u, node->GetCrestCount());
        for (size_t i = 0; i < 16; ++i) {
            const Game::CUIDisplay2D* crest = node->GetCrest(i);
            EXPECT_EQ(trees[n].crest, crest->GetName());
            EXPECT_FLOAT_EQ(0.2f * static_cast<float>(i), crest->GetTweenDelay());
            const auto* tween = dynamic_cast<const Game::CLinearTweenController*>(crest->GetLinearTween());
            ASSERT_NE(nullptr, tween);
            EXPECT_EQ(crest, tween->GetTarget());
            // Waits low down, eight times too big and unseen: it grows and fades in as it rises.
            EXPECT_FLOAT_EQ(-0.84f, crest->GetPosition().y);
            EXPECT_FLOAT_EQ(8.0f, crest->GetScale().x);
            EXPECT_FLOAT_EQ(0.0f, crest->GetColor().a);
        }
    }
    EXPECT_EQ(nullptr, Skills().GetSkillNode(3));
}

TEST_F(CGlobalSkillListTest, CrestsRiseOneAfterAnotherFasterEachTime)
{
    const Game::CSkillNode* node = Skills().GetSkillNode(2);
    ASSERT_NE(nullptr, node);
    auto* first = const_cast<Game::CUIDisplay2D*>(node->GetCrest(1));
    auto* later = const_cast<Game::CUIDisplay2D*>(node->GetCrest(5));
    for (int frame = 0; frame < 10; ++frame) { // 0.5 s: past the first's delay only
        first->Update(0.05f);
        later->Update(0.05f);
    }
    EXPECT_GT(first->GetPosition().y, -0.84f);
    EXPECT_LT(first->GetScale().x, 8.0f);
    EXPECT_FLOAT_EQ(-0.84f, later->GetPosition().y);
    for (int frame = 0; frame < 400; ++frame) {
        first->Update(0.05f);
        later->Update(0.05f);
    }
    for (const Game::CUIDisplay2D* crest : {first, later}) {
        EXPECT_FLOAT_EQ(0.84f, crest->GetPosition().y);
        EXPECT_FLOAT_EQ(0.9f, crest->GetPosition().x);
        EXPECT_NEAR(0.5f, crest->GetScale().x, 0.02f);
        EXPECT_NEAR(0.4f, crest->GetColor().a, 0.01f);
    }
}

TEST_F(CGlobalSkillListTest, ShutdownTakesTheCrestsOffTheirLayerAndFreesTheirTweens)
{
    Game::CGuiManager::GetInstance().RememberVisibleElements();
    Skills().Shutdown();
    EXPECT_EQ(0u, Skills().GetSkillNodeCount());
    EXPECT_EQ(0u, Vesk::CDisplay2DSystem::GetInstance().GetLayerCount(Game::CSkillNode::kCrestLayer));
    EXPECT_TRUE(Game::CControllerManager::GetInstance().GetControllers().empty());
    EXPECT_EQ(nullptr, Game::CGuiManager::GetInstance().FindElement(0, "FlameCrest"));
    Game::CGuiManager::GetInstance().SetRememberedVisible(true); // nothing freed is remembered
    Skills().Shutdown();                                         // twice is harmless
}

} // namespace
