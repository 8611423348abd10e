// The player's HUD on the real in-game screen file: the layout taken from its elements, the
// health bar and its damage trail over frames, the combo column, the power-slot fills and their
// animations, what the visible flag shows and stops, and a HUD without any screen loaded.
#include "GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/entities/ISkillPocket.h"
#include "game/gui/CPlayerHud.h"
#include "game/gui/CSpriteText.h"
#include "game/gui/CUIDisplay2D.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Game::CPlayerHud;
using Game::CSpriteText;
using Game::HudInputs;

namespace {

constexpr float kEps = 1e-5f;

bool Shown(const CSpriteText* text) { return text->GetCharacter(0)->IsVisible(); }

void ExpectAt(const Vesk::CDisplayObject2D* element, float x, float y, const std::string& what)
{
    EXPECT_NEAR(x, element->GetPosition().x, kEps) << what;
    EXPECT_NEAR(y, element->GetPosition().y, kEps) << what;
}

void ExpectAt(const CSpriteText* text, float x, float y, const std::string& what)
{
    EXPECT_NEAR(x, text->GetX(), kEps) << what;
    EXPECT_NEAR(y, text->GetY(), kEps) << what;
}

struct RecordingPocket : Game::ISkillPocket {
    void SetVisible(bool visible) override { calls.push_back(visible); }
    std::vector<bool> calls;
};

HudInputs FullHealth()
{
    HudInputs in;
    in.health = in.maxHealth = 100;
    return in;
}

class CPlayerHudTest : public guitest::GuiScreenFixture {
protected:
    // The in-game screen at 1280 x 720, as play loads it before the player's controller.
    void OpenGameHud()
    {
        Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
        renderer.SetBackBufferSize(1280, 720, true);
        ASSERT_TRUE(renderer.ResetDevice());
        Vesk::CGameManager::GetInstance().PushState(
            new guitest::TestScreen("gamehud", Game::ScreenControls::Pause(), 0));
        Frame();
    }
};

TEST_F(CPlayerHudTest, BuildFindsEveryElementAndLaysTheBarAndSlotsOut)
{
    OpenGameHud();
    CPlayerHud hud;
    hud.Build();
    for (const Vesk::CDisplayObject2D* element :
         {hud.GetCurrentBar(), hud.GetTrailBar(), hud.GetComboBar(), hud.GetChargePrompt(), hud.GetRevivePrompt()})
        ASSERT_NE(nullptr, element);
    ASSERT_EQ(3u, hud.GetBlankSlots().size());
    ASSERT_EQ(3u, hud.GetActiveSlots().size());

    const float share = float(hud.GetCurrentBar()->GetSpriteWidth()) / 1280.0f;
    ASSERT_GT(share, 0.0f);
    ExpectAt(hud.GetCurrentBar(), 0.5f - share * 0.25f - 0.12f, 0.94f, "current bar");
    ExpectAt(hud.GetTrailBar(), 0.5f - share * 0.25f - 0.12f, 0.94f, "red bar");
    EXPECT_EQ("HIT COMBO", hud.GetHitComboText()->GetText());
    ExpectAt(hud.GetSkullText(), 0.15f, 0.92f, "skull text");
    for (const CSpriteText* text : {hud.GetSkullText(), hud.GetScoreText()})
        EXPECT_EQ(CSpriteText::AlignLeft, text->GetAlignment());
    for (const CSpriteText* text :
         {hud.GetWaveText(), hud.GetHitComboText(), hud.GetComboNumberText(), hud.GetMultiplierText()})
        EXPECT_EQ(CSpriteText::AlignRight, text->GetAlignment()) << text->GetText();

    // The slots sit 0.08 apart around the first blank slot of the file (0.86, 0.9), the charge
    // prompt above them.
    hud.Update(0.0f, FullHealth());
    for (const std::vector<Vesk::CDisplayObject2D*>* slots : {&hud.GetBlankSlots(), &hud.GetActiveSlots()})
        for (size_t i = 0; i < 3; ++i)
            ExpectAt((*slots)[i], 0.78f + 0.08f * float(i), 0.9f, (*slots)[i]->GetName() + std::to_string(i));
    ExpectAt(hud.GetChargePrompt(), 0.86f, 0.81f, "charge prompt");
}

TEST_F(CPlayerHudTest, RedTrailWaitsThenFallsToTheHealth)
{
    OpenGameHud();
    CPlayerHud hud;
    hud.Build();
    HudInputs in = FullHealth();
    hud.Update(0.0f, in);
    EXPECT_FLOAT_EQ(2.25f, hud.GetTrailBar()->GetScale().x);

    in.health = 90;
    hud.StartDamageTrail();
    const float dt = 0.01f;
    hud.Update(dt, in);
    EXPECT_FLOAT_EQ(2.025f, hud.GetCurrentBar()->GetScale().x) << "the health drops at once";
    std::vector<float> red{hud.GetTrailBar()->GetScale().x};
    for (int frame = 2; frame <= 80; ++frame) {
        hud.Update(dt, in);
        red.push_back(hud.GetTrailBar()->GetScale().x);
    }
    // red[k] is the trail after k + 1 frames of 0.01 s.
    for (size_t k = 0; k + 1 < 69; ++k)
        EXPECT_FLOAT_EQ(2.25f, red[k]) << "held at " << (k + 1) * dt << " s";
    size_t first = 0;
    while (first < red.size() && red[first] >= 2.25f)
        ++first;
    ASSERT_LT(first, red.size());
    EXPECT_NEAR(0.7f, float(first + 1) * dt, 0.015f) << "starts to fall once 0.7 s have passed";
    // 5.0 per second: 0.05 a frame, and never below the health.
    EXPECT_NEAR(2.20f, red[first], 1e-4f);
    EXPECT_NEAR(2.15f, red[first + 1], 1e-4f);
    EXPECT_FLOAT_EQ(2.025f, red[first + 4]);
    EXPECT_FLOAT_EQ(2.025f, red.back());

    // Healing lifts the trail with the bar.
    in.health = 100;
    hud.Update(dt, in);
    EXPECT_FLOAT_EQ(2.25f, hud.GetTrailBar()->GetScale().x);
}

TEST_F(CPlayerHudTest, HealthScaleIsAClampedRatioAndZeroWithoutMaximum)
{
    OpenGameHud();
    CPlayerHud hud;
    hud.Build();
    const struct {
        int health, maxHealth;
        float scale;
    } cases[] = {{100, 100, 2.25f}, {50, 100, 1.125f}, {1, 3, 0.75f}, {150, 100, 2.25f},
                 {-5, 100, 0.0f},   {10, 0, 0.0f},     {0, 0, 0.0f},  {10, -4, 0.0f}};
    for (const auto& c : cases) {
        HudInputs in;
        in.health = c.health;
        in.maxHealth = c.maxHealth;
        hud.UpdateHealthBar(0.0f, in);
        EXPECT_NEAR(c.scale, hud.GetCurrentBar()->GetScale().x, kEps) << c.health << " of " << c.maxHealth;
    }
}

TEST_F(CPlayerHudTest, ComboColumnFromFiveHits)
{
    OpenGameHud();
    CPlayerHud hud;
    hud.Build();
    struct Case {
        int combo;
        float multiplier, timer;
        bool shown;
        std::string number, multiplierText;
        float barY;
    };
    const Case cases[] = {
        {4, 1.1f, 2.0f, false, "", "", 0.5f},
        {5, 1.1f, 2.5f, true, "5", "1.1X MULTIPLIER", 0.62f},
        {12, 1.0f, 5.0f, true, "12", "1X MULTIPLIER", 0.62f},
        {30, 1.5f, 1.0f, true, "30", "1.5X MULTIPLIER", 0.62f},
    };
    for (const Case& c : cases) {
        HudInputs in = FullHealth();
        in.combo = c.combo;
        in.comboMultiplier = c.multiplier;
        in.comboTimer = c.timer;
        hud.Update(0.0f, in);
        const std::string name = "combo " + std::to_string(c.combo);
        for (const CSpriteText* text : {hud.GetComboNumberText(), hud.GetHitComboText(), hud.GetMultiplierText()})
            EXPECT_EQ(c.shown, Shown(text)) << name;
        EXPECT_EQ(c.shown, hud.GetComboBar()->IsVisible()) << name;
        EXPECT_NEAR(c.timer / 5.0f, hud.GetComboBar()->GetScale().x, kEps) << name;
        ExpectAt(hud.GetComboBar(), 0.95f, c.barY, name + " bar");
        if (!c.shown)
            continue;
        EXPECT_EQ(c.number, hud.GetComboNumberText()->GetText()) << name;
        EXPECT_EQ(c.multiplierText, hud.GetMultiplierText()->GetText()) << name;
        ExpectAt(hud.GetComboNumberText(), 0.94f, 0.5f, name + " number");
        ExpectAt(hud.GetHitComboText(), 0.95f, 0.56f, name + " HIT COMBO");
        ExpectAt(hud.GetMultiplierText(), 0.95f, 0.59f, name + " multiplier");
    }
    EXPECT_EQ("2.25X MULTIPLIER", CPlayerHud::MultiplierText(2.25f));
}

TEST_F(CPlayerHudTest, SlotFillsFollowTheHoldTimeUpToTheCollectedSkills)
{
    const double t28 = 2.8f, t18 = 1.8f, t34 = 3.4f;
    const struct {
        int skills;
        float hold;
        double fills[3];
    } cases[] = {
        {2, 3.0f, {1, 1, 0}},
        {3, 2.8f, {1, 1, (t28 - 2.3 - 0.1) / 1.0000001415610313}},
        {3, 3.4f, {1, 1, (t34 - 2.3 - 0.1) / 1.0000001415610313}},
        {3, 3.5f, {1, 1, 1}},
        {2, 1.8f, {1, (t18 - 1.2 - 0.1) / 0.9999999031424522, 0}},
        {1, 2.0f, {1, 0, 0}},
        {3, 0.55f, {0.5, 0, 0}},
        {0, 0.55f, {0.5, 0, 0}},
        {0, 1.5f, {0, 0, 0}},
        {3, 0.05f, {0, 0, 0}},
        // Just past a threshold the next fill starts at nothing rather than below it.
        {2, 1.25f, {1, 0, 0}},
        {3, 2.35f, {1, 1, 0}},
    };
    for (const auto& c : cases)
        for (int slot = 1; slot <= 3; ++slot)
            EXPECT_FLOAT_EQ(float(c.fills[slot - 1]), CPlayerHud::SlotFill(slot, c.skills, c.hold))
                << "skills " << c.skills << ", hold " << c.hold << ", slot " << slot;
    for (int slot : {0, 4})
        EXPECT_EQ(0.0f, CPlayerHud::SlotFill(slot, 3, 3.5f));

    // On the screen: fills scaled from the blank slot's scale, playing "active" up to the skills.
    OpenGameHud();
    CPlayerHud hud;
    hud.Build();
    HudInputs in = FullHealth();
    in.collectedSkills = 2;
    in.specialHoldTime = 3.0f;
    hud.Update(0.0f, in);
    const std::vector<Vesk::CDisplayObject2D*>& fills = hud.GetActiveSlots();
    const char* animations[] = {"active", "active", "idle"};
    const float scales[] = {1.0f, 1.0f, 0.0f};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(animations[i], fills[i]->GetAnimation()) << i;
        EXPECT_FLOAT_EQ(scales[i], fills[i]->GetScale().x) << i;
        EXPECT_FLOAT_EQ(scales[i], fills[i]->GetScale().y) << i;
    }
    EXPECT_TRUE(hud.GetChargePrompt()->IsVisible());
    in.collectedSkills = 0;
    hud.Update(0.0f, in);
    for (const Vesk::CDisplayObject2D* fill : fills)
        EXPECT_EQ("idle", fill->GetAnimation());
    EXPECT_FALSE(hud.GetChargePrompt()->IsVisible());
}

TEST_F(CPlayerHudTest, BlinkRestartsTheFillsUpToTheLevelAndPromptsFollowTheInput)
{
    OpenGameHud();
    CPlayerHud hud;
    hud.Build();
    HudInputs in = FullHealth();
    in.collectedSkills = 3;
    hud.Update(0.0f, in);
    const std::vector<Vesk::CDisplayObject2D*>& fills = hud.GetActiveSlots();
    for (Vesk::CDisplayObject2D* fill : fills)
        fill->SetFrameTime(0.3f);

    hud.BlinkSlot(2);
    EXPECT_EQ("active", fills[0]->GetAnimation());
    EXPECT_EQ("blink", fills[1]->GetAnimation());
    EXPECT_EQ("active", fills[2]->GetAnimation());
    for (size_t i = 0; i < 2; ++i) {
        const Vesk::SpriteAnimation& playing = fills[i]->GetAnimations().at(fills[i]->GetAnimation());
        EXPECT_EQ(playing.firstFrame, fills[i]->GetFrame()) << i;
        EXPECT_FLOAT_EQ(0.0f, fills[i]->GetFrameTime()) << i;
    }
    EXPECT_FLOAT_EQ(0.3f, fills[2]->GetFrameTime()) << "past the level: left alone";
    hud.BlinkSlot(0);
    hud.BlinkSlot(7);

    hud.ResetSlots();
    for (const Vesk::CDisplayObject2D* fill : fills)
        EXPECT_EQ("idle", fill->GetAnimation());

    for (bool pad : {true, false, true}) {
        hud.ShowPadPrompts(pad);
        for (const Vesk::CDisplayObject2D* prompt : {hud.GetChargePrompt(), hud.GetRevivePrompt()})
            EXPECT_EQ(pad ? "idleController" : "idle", prompt->GetAnimation()) << prompt->GetName();
    }
}

TEST_F(CPlayerHudTest, VisibleFlagShowsByStateAndClearedStopsEveryUpdate)
{
    OpenGameHud();
    CPlayerHud hud;
    hud.Build();
    RecordingPocket pocket;
    HudInputs in = FullHealth();
    in.skillPocket = &pocket;
    in.shownPoints = 120;
    in.deathCount = 2;
    in.hasWaves = true;
    in.remainingEnemies = 3;
    in.waveTotal = 10;
    hud.SetVisible(true, in);
    hud.Update(0.0f, in);
    EXPECT_EQ("SCORE:  120", hud.GetScoreText()->GetText());
    ExpectAt(hud.GetScoreText(), 0.05f, 0.06f, "score");
    EXPECT_EQ("3 OF 10 LEFT", hud.GetWaveText()->GetText());
    ExpectAt(hud.GetWaveText(), 0.95f, 0.06f, "wave");
    EXPECT_EQ("X 2", hud.GetSkullText()->GetText());

    struct Case {
        bool visible;
        int skills, remaining;
        bool chargePrompt, waveText;
    };
    const Case cases[] = {
        {true, 0, 0, false, false},
        {true, 1, 3, true, true},
        {false, 1, 3, false, false},
    };
    for (const Case& c : cases) {
        in.collectedSkills = c.skills;
        in.remainingEnemies = c.remaining;
        hud.SetVisible(c.visible, in);
        const std::string name = std::string(c.visible ? "shown" : "hidden") + ", skills " + std::to_string(c.skills);
        EXPECT_EQ(c.visible, hud.IsVisible()) << name;
        EXPECT_EQ(c.visible, pocket.calls.back()) << name;
        EXPECT_EQ(c.visible, hud.GetCurrentBar()->IsVisible()) << name;
        EXPECT_EQ(c.visible, hud.GetTrailBar()->IsVisible()) << name;
        EXPECT_EQ(c.visible, Shown(hud.GetScoreText())) << name;
        EXPECT_EQ(c.visible, Shown(hud.GetSkullText())) << name;
        for (const Vesk::CDisplayObject2D* slot : hud.GetBlankSlots())
            EXPECT_EQ(c.visible, slot->IsVisible()) << name;
        EXPECT_EQ(c.chargePrompt, hud.GetChargePrompt()->IsVisible()) << name;
        EXPECT_EQ(c.waveText, Shown(hud.GetWaveText())) << name;
    }

    // Cleared: the next updates keep everything hidden and change nothing, not even the score.
    in.shownPoints = 999;
    in.combo = 9;
    in.health = 10;
    hud.Update(0.1f, in);
    EXPECT_EQ("SCORE:  120", hud.GetScoreText()->GetText());
    EXPECT_FLOAT_EQ(2.25f, hud.GetCurrentBar()->GetScale().x);
    EXPECT_FALSE(Shown(hud.GetComboNumberText()));
    EXPECT_FALSE(hud.GetCurrentBar()->IsVisible());
    EXPECT_FALSE(pocket.calls.back());
}

TEST_F(CPlayerHudTest, WithoutTheScreenEveryStepIsSkipped)
{
    Frame();
    CPlayerHud hud;
    hud.Build();
    EXPECT_EQ(nullptr, hud.GetCurrentBar());
    EXPECT_TRUE(hud.GetActiveSlots().empty());
    HudInputs in;
    in.combo = 7;
    in.comboTimer = 2.0f;
    in.collectedSkills = 3;
    in.specialHoldTime = 3.5f;
    in.hasWaves = true;
    in.remainingEnemies = 1;
    hud.SetVisible(true, in);
    hud.StartDamageTrail();
    hud.Update(0.016f, in);
    hud.BlinkSlot(3);
    hud.ResetSlots();
    hud.ShowPadPrompts(true);
    EXPECT_EQ("7", hud.GetComboNumberText()->GetText()) << "the text lines work on their own";

    hud.Release();
    EXPECT_EQ(nullptr, hud.GetScoreText());
    hud.SetVisible(false, in);
    hud.Update(0.016f, in);
    hud.SetVisible(true, in);
    hud.Update(0.016f, in);
}

} // namespace
