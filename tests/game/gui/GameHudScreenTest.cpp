// The in-game screen file and its sheets: every element the play state and the player's HUD look
// up is there, in the order the play state relies on, with its own sprite and the animations the
// game plays; drawn at 1280 x 720 with everything shown, the bars, icons and plates appear where
// the file puts them. The picture is kept as gamehud.bmp in the directory the test started in.
#include "GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"
#include "platform/gfx/Device.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

class HudScreen : public guitest::TestScreen {
public:
    using CGuiScreenState::m_ScreenElements;
    using TestScreen::TestScreen;
};

struct Rgb {
    int r, g, b;
};

int Count(int x0, int y0, int x1, int y1, const std::function<bool(const Rgb&)>& test)
{
    int count = 0;
    for (uint32_t argb : Vesk::CRenderer::GetInstance().GetDevice()->ReadPixels(x0, y0, x1 - x0, y1 - y0))
        count += test({int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF)});
    return count;
}

bool Gold(const Rgb& c) { return c.r > 200 && c.g > 150 && c.b < 130; }
bool Green(const Rgb& c) { return c.g > 150 && c.r < c.g - 40 && c.b < c.g - 40; }
bool Bone(const Rgb& c) { return c.r > 180 && c.g > 165 && c.b > 130 && c.r - c.b < 70; }
bool Purple(const Rgb& c) { return c.r > 100 && c.b > 140 && c.g < 120; }

class GameHudScreenTest : public guitest::GuiScreenFixture {
protected:
    HudScreen* OpenHud()
    {
        Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
        renderer.SetBackBufferSize(1280, 720, true);
        EXPECT_TRUE(renderer.ResetDevice());
        auto* screen = new HudScreen("gamehud", Game::ScreenControls::Pause(), 0);
        Vesk::CGameManager::GetInstance().PushState(screen);
        Frame();
        return screen;
    }
};

TEST_F(GameHudScreenTest, EveryElementInPlayOrderWithItsOwnSheetAndAnimations)
{
    const HudScreen* screen = OpenHud();
    const std::vector<Vesk::CDisplayObject2D*>& elements = screen->m_ScreenElements;
    ASSERT_GE(elements.size(), 4u);
    EXPECT_EQ(elements.front()->GetName(), "WaveStartBanner");
    EXPECT_EQ(elements[elements.size() - 3]->GetName(), "ScoreBackdrop");
    EXPECT_EQ(elements[elements.size() - 2]->GetName(), "ScorePrompt");
    EXPECT_EQ(elements.back()->GetName(), "ScoreTitle");

    const std::vector<std::pair<const char*, std::set<std::string>>> expected = {
        {"WaveStartBanner", {"idle"}},
        {"wave_number", {"idle"}},
        {"wavebg", {"idle"}},
        {"P1HealthBarFrame", {"idle"}},
        {"P1HealthBarCurrent", {"idle"}},
        {"P1HealthBarCurrentRed", {"idle"}},
        {"P1HealthBarBacking", {"idle"}},
        {"ComboBar", {"idle"}},
        {"SkullCounter", {"idle"}},
        {"P1ManaBarFrame", {"idle"}},
        {"P1ManaBarBacking", {"idle"}},
        {"msg_revive", {"idle", "idleController"}},
        {"msg_charge", {"idle", "idleController"}},
        {"powerslot_blank", {"idle"}},
        {"powerslot_active", {"idle", "active", "blink"}},
        {"BossHealthBarFrame", {"idle"}},
        {"BossHealthBarCurrent", {"idle"}},
        {"BossHealthBarBacking", {"idle"}},
        {"ScoreBackdrop", {"idle"}},
        {"ScorePrompt", {"idle"}},
        {"ScoreTitle", {"idle"}},
    };
    Game::CGuiManager& gui = Game::CGuiManager::GetInstance();
    for (const auto& [name, animations] : expected) {
        const std::vector<Vesk::CDisplayObject2D*> found = gui.FindElements(0, name);
        const bool slot = std::string(name).rfind("powerslot_", 0) == 0;
        ASSERT_EQ(found.size(), slot ? 3u : 1u) << name;
        const Vesk::ISprite* sprite = found.front()->GetSprite();
        ASSERT_NE(sprite, nullptr) << name;
        std::set<std::string> names;
        for (const auto& entry : sprite->GetAnimations())
            names.insert(entry.first);
        EXPECT_EQ(names, animations) << name << " (\"default\" means its sheet did not load)";
    }
    // The health slice stretches to 2.25 times its width, which the frame's window must hold.
    const Vesk::CDisplayObject2D* frame = gui.FindElement(0, "P1HealthBarFrame");
    const Vesk::CDisplayObject2D* current = gui.FindElement(0, "P1HealthBarCurrent");
    EXPECT_LE(current->GetSpriteWidth() * 2.25f, frame->GetSpriteWidth() - 12.0f);
}

TEST_F(GameHudScreenTest, AllShownTheHudReadsAtItsPlaces)
{
    HudScreen* screen = OpenHud();
    for (Vesk::CDisplayObject2D* element : screen->m_ScreenElements)
        element->SetVisible(true);
    // Kept off as in play: the banner and the score screen cover the view, the mana bar is unused.
    for (Vesk::CDisplayObject2D* element : screen->m_ScreenElements)
        for (const char* name :
             {"WaveStartBanner", "P1ManaBarFrame", "P1ManaBarBacking", "ScoreBackdrop", "ScorePrompt", "ScoreTitle"})
            if (element->GetName() == name)
                element->SetVisible(false);
    Frame();
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    ASSERT_EQ(renderer.GetScreenWidth(), 1280);
    // 16:9 within a pixel or two of letter-boxing: fractions of the viewport's height place y.
    const Vesk::ViewportRect view = renderer.GetViewportRect();
    ASSERT_GE(view.height, 710);
    const auto row = [&](float y) { return view.y + int(y * float(view.height)); };
    EXPECT_TRUE(renderer.SaveScreenshot(m_WorkingDir.Previous() + "/gamehud.bmp"));

    // Health bar at (0.3675, 0.94): green across its middle, gold rim above it.
    const int barX = int(0.3675f * 1280), barY = row(0.94f);
    EXPECT_GT(Count(barX - 100, barY - 4, barX + 100, barY + 4, Green), 1000);
    EXPECT_GT(Count(barX - 120, barY - 22, barX + 120, barY - 12, Gold), 200);
    // Skull at (0.1, 0.92), boss bar at (0.5, 0.16), power-slot rings at y 0.9.
    EXPECT_GT(Count(108, row(0.92f) - 20, 148, row(0.92f) + 20, Bone), 300);
    EXPECT_GT(Count(540, row(0.16f) - 5, 740, row(0.16f) + 5, Purple), 1000);
    for (float x : {0.78f, 0.86f, 0.94f})
        EXPECT_GT(Count(int(x * 1280) - 45, row(0.9f) - 45, int(x * 1280) + 45, row(0.9f) + 45, Gold), 300) << x;
}

TEST_F(GameHudScreenTest, TheScoreScreenElementsDrawOverThePlayView)
{
    HudScreen* screen = OpenHud();
    const std::vector<Vesk::CDisplayObject2D*>& elements = screen->m_ScreenElements;
    for (Vesk::CDisplayObject2D* element : elements)
        element->SetVisible(false);
    for (size_t i = elements.size() - 3; i < elements.size(); ++i)
        elements[i]->SetVisible(true);
    // The backdrop as the score screen stretches it: the screen's width, half the view's height.
    Vesk::CDisplayObject2D* backdrop = elements[elements.size() - 3];
    const Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    backdrop->SetScale(float(renderer.GetScreenWidth()) / float(backdrop->GetSpriteWidth()),
                       float(renderer.GetViewportRect().height) / float(backdrop->GetSpriteHeight()) * 0.5f);
    Frame();
    EXPECT_TRUE(renderer.SaveScreenshot(m_WorkingDir.Previous() + "/gamehud_score.bmp"));
    // The backdrop's dark blue across the whole width between the title and the prompt.
    EXPECT_GT(Count(0, 330, 1280, 340, [](const Rgb& c) { return c.b > c.r + 10 && c.r < 60; }), 12000);
    // The title's yellow letters at (0.5, 0.24) and the prompt's pale ones at (0.5, 0.85).
    EXPECT_GT(Count(400, 150, 880, 200, [](const Rgb& c) { return c.r > 220 && c.g > 170 && c.b < 120; }), 1500);
    EXPECT_GT(Count(400, 600, 880, 625, [](const Rgb& c) { return c.r > 190 && c.g > 190 && c.b > 190; }), 500);
}

} // namespace
