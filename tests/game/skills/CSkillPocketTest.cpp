// The skill pocket: its pictures on display layer 1, shown and hidden through the character's
// interface, icons swapped, and everything taken down with the character that owns it.
#include "../entities/EntityTestSupport.h"

#include "game/entities/CCharacter.h"
#include "game/gui/CGuiManager.h"
#include "game/skills/CSkillPocket.h"
#include "ui2d/CDisplay2DSystem.h"

#include <memory>

namespace {

using Game::CSkillPocket;
using Picture = CSkillPocket::Picture;

Picture MakePicture(const std::string& name, float x, float y)
{
    auto picture = std::make_unique<Vesk::CDisplayObject2D>(name);
    picture->SetPosition(x, y);
    return picture;
}

class CSkillPocketTest : public worldtest::WorldFixture {
protected:
    void TearDown() override
    {
        Game::CGuiManager::GetInstance().Clear();
        WorldFixture::TearDown();
    }

    static size_t OnLayer() { return Vesk::CDisplay2DSystem::GetInstance().GetLayerCount(CSkillPocket::kLayer); }

    static std::unique_ptr<CSkillPocket> MakePocket()
    {
        return std::make_unique<CSkillPocket>(
            MakePicture("PocketFrame", 0.85f, 0.9f), MakePicture("PocketFrame", 0.95f, 0.9f),
            MakePicture("FlameCrest", 0.95f, 0.9f), MakePicture("WindCrest", 1.3f, 1.3f));
    }
};

TEST_F(CSkillPocketTest, VisibilityCoversTheFramesAndTheFrontIconOnly)
{
    const std::unique_ptr<CSkillPocket> pocket = MakePocket();
    EXPECT_EQ(4u, OnLayer());
    pocket->GetBackIcon()->SetVisible(false);
    pocket->SetVisible(false);
    EXPECT_FALSE(pocket->GetFrame(0)->IsVisible());
    EXPECT_FALSE(pocket->GetFrame(1)->IsVisible());
    EXPECT_FALSE(pocket->GetFrontIcon()->IsVisible());
    pocket->SetVisible(true);
    EXPECT_TRUE(pocket->GetFrame(0)->IsVisible());
    EXPECT_TRUE(pocket->GetFrontIcon()->IsVisible());
    EXPECT_FALSE(pocket->GetBackIcon()->IsVisible());
}

TEST_F(CSkillPocketTest, SwappingBringsTheBackIconIntoTheSecondFrame)
{
    const std::unique_ptr<CSkillPocket> pocket = MakePocket();
    pocket->SwapIcons();
    EXPECT_EQ("WindCrest", pocket->GetFrontIcon()->GetName());
    EXPECT_FLOAT_EQ(0.95f, pocket->GetFrontIcon()->GetPosition().x);
    EXPECT_FLOAT_EQ(0.9f, pocket->GetFrontIcon()->GetPosition().y);
    EXPECT_FLOAT_EQ(1.3f, pocket->GetBackIcon()->GetPosition().x);
    EXPECT_FLOAT_EQ(1.3f, pocket->GetBackIcon()->GetPosition().y);
    pocket->SwapIcons();
    EXPECT_EQ("FlameCrest", pocket->GetFrontIcon()->GetName());

    // Missing pieces are passed over.
    CSkillPocket bare(nullptr, nullptr, MakePicture("FlameCrest", 0.5f, 0.5f), nullptr);
    bare.SwapIcons();
    bare.SetVisible(false);
    EXPECT_EQ(nullptr, bare.GetFrontIcon());
    EXPECT_FLOAT_EQ(1.3f, bare.GetBackIcon()->GetPosition().x);
}

TEST_F(CSkillPocketTest, TheOwningCharacterShowsItAndTakesItDown)
{
    auto* player = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, "player"));
    ASSERT_NE(nullptr, player);
    player->SetSkillPocket(MakePocket());
    ASSERT_NE(nullptr, player->GetSkillPocket());
    player->GetSkillPocket()->SetVisible(false);
    EXPECT_FALSE(dynamic_cast<CSkillPocket*>(player->GetSkillPocket())->GetFrame(1)->IsVisible());

    Factory().DestroyEntity(player);
    EXPECT_EQ(0u, OnLayer());
    EXPECT_EQ(nullptr, Game::CGuiManager::GetInstance().FindElement(0, "PocketFrame"));
    EXPECT_EQ(nullptr, Game::CGuiManager::GetInstance().FindElement(0, "FlameCrest"));
}

} // namespace
