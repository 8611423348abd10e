#include "GuiTestSupport.h"

#include "game/gui/CGuiManager.h"
#include "game/gui/CSpriteText.h"
#include "game/gui/CUIDisplay2D.h"
#include "ui2d/CDisplay2DSystem.h"

#include <memory>

namespace {

using CSpriteTextTest = guitest::GuiTest;

TEST_F(CSpriteTextTest, OneCharacterSpritePerCharacterPlacedByAlignment)
{
    // scale 0.5: step 0.02.
    struct Case {
        int alignment;
        std::string text;
        std::vector<float> xs; // of the characters shown, in text order
    };
    const Case cases[] = {
        {0, "12", {0.5f, 0.52f}}, {1, "12", {0.48f, 0.5f}}, {2, "abc", {0.48f, 0.5f, 0.52f}},
        {2, "ab", {0.48f, 0.5f}}, {1, "x", {0.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.alignment << " \"" << c.text << "\"");
        Game::CSpriteText text(0.5f, "font");
        text.SetText(c.text);
        text.SetAlignment(c.alignment);
        text.SetPosition(0.5f, 0.3f);
        for (size_t i = 0; i < c.xs.size(); ++i) {
            const Game::CUIDisplay2D* sprite = text.GetCharacter(static_cast<int>(i));
            EXPECT_EQ(std::string(1, c.text[i]), sprite->GetAnimation());
            EXPECT_NEAR(c.xs[i], sprite->GetPosition().x, 1e-6f);
            EXPECT_FLOAT_EQ(0.3f, sprite->GetPosition().y);
            EXPECT_FLOAT_EQ(0.5f, sprite->GetScale().x);
        }
        EXPECT_EQ(" ", text.GetCharacter(static_cast<int>(c.text.size()))->GetAnimation());
    }
}

TEST_F(CSpriteTextTest, LongTextShowsItsFirstFortyAndEveryCharacterIsOnLayerTwo)
{
    Game::CGuiManager& gui = Game::CGuiManager::GetInstance();
    auto text = std::make_unique<Game::CSpriteText>(1.0f, "font");
    EXPECT_EQ(40u, Vesk::CDisplay2DSystem::GetInstance().GetLayerCount(Game::CSpriteText::kLayer));
    EXPECT_EQ(40u, gui.FindElements(0, "font").size());

    const std::string long45 = std::string(39, 'a') + "bcccc" + "x";
    text->SetText(long45);
    EXPECT_EQ(long45, text->GetText());
    EXPECT_EQ("a", text->GetCharacter(38)->GetAnimation());
    EXPECT_EQ("b", text->GetCharacter(39)->GetAnimation());
    EXPECT_NEAR(0.0f + 39 * 0.04f, text->GetCharacter(39)->GetPosition().x, 1e-5f);
    EXPECT_EQ(nullptr, text->GetCharacter(40));

    text->SetText("1");
    EXPECT_EQ(" ", text->GetCharacter(1)->GetAnimation()) << "a shorter text blanks the rest";
    text->SetVisible(false);
    EXPECT_FALSE(text->GetCharacter(0)->IsVisible());
    EXPECT_FALSE(text->GetCharacter(39)->IsVisible());

    // Destroyed: the characters are off the layer and no longer found.
    text.reset();
    EXPECT_EQ(0u, Vesk::CDisplay2DSystem::GetInstance().GetLayerCount(Game::CSpriteText::kLayer));
    EXPECT_TRUE(gui.FindElements(0, "font").empty());
    EXPECT_EQ(nullptr, gui.FindElement(0, "font"));
}

} // namespace
