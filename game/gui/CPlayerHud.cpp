#include "game/gui/CPlayerHud.h"

#include "debug/CDebugOutputManager.h"
#include "game/entities/ISkillPocket.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CSpriteText.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplayObject2D.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace Game {

namespace {

const char* const kWhiteFont = "GameFontWhite";
const char* const kYellowFont = "GameFontYellow";

constexpr float kSkullTextX = 0.15f, kSkullTextY = 0.92f;
constexpr float kScoreX = 0.05f, kScoreY = 0.06f;
constexpr float kWaveX = 0.95f, kWaveY = 0.06f;
// The combo column: rows 0.03 apart from y 0.5 down; the big number takes the first two rows.
constexpr float kColumnX = 0.95f, kComboNumberX = 0.94f;
constexpr float kColumnTop = 0.5f, kRowHeight = 0.03f;
constexpr int kComboShown = 5;
constexpr float kSlotSpacing = 0.08f, kChargePromptAbove = 0.09f;
constexpr size_t kSlotCount = 3;

// Debug line slots of the developer read-outs.
constexpr unsigned kScreenWidthLine = 11, kSlotLine = 12, kYLine = 15;

template <typename T>
std::string Labelled(const std::string& label, T value)
{
    std::ostringstream out;
    out << label << ' ' << value;
    return out.str();
}

void Show(Vesk::CDisplayObject2D* element, bool visible)
{
    if (element)
        element->SetVisible(visible);
}

void Show(CSpriteText* text, bool visible)
{
    if (text)
        text->SetVisible(visible);
}

void Place(Vesk::CDisplayObject2D* element, float x, float y)
{
    if (element)
        element->SetPosition(x, y);
}

// Starting an animation again would hold it on its first frame, so only a change is applied.
void Play(Vesk::CDisplayObject2D* element, const std::string& animation)
{
    if (element && element->GetAnimation() != animation)
        element->SetAnimation(animation);
}

// Back to the first frame of the animation it plays, with a fresh frame timer.
void Restart(Vesk::CDisplayObject2D* element)
{
    const Vesk::SpriteAnimationMap& animations = element->GetAnimations();
    const auto found = animations.find(element->GetAnimation());
    element->SetFrame(found != animations.end() ? found->second.firstFrame : 0);
    element->SetFrameTime(0.0f);
}

std::unique_ptr<CSpriteText> MakeText(float scale, const char* font, int alignment)
{
    auto text = std::make_unique<CSpriteText>(scale, font);
    text->SetAlignment(alignment);
    return text;
}

int ScreenWidth() { return Vesk::CRenderer::GetInstance().GetScreenWidth(); }

} // namespace

CPlayerHud::CPlayerHud() = default;

CPlayerHud::~CPlayerHud() = default;

void CPlayerHud::Build()
{
    Release();
    m_SkullText = MakeText(1.0f, kWhiteFont, CSpriteText::AlignLeft);
    m_SkullText->SetPosition(kSkullTextX, kSkullTextY);
    m_ScoreText = MakeText(0.5f, kWhiteFont, CSpriteText::AlignLeft);
    m_WaveText = MakeText(0.5f, kWhiteFont, CSpriteText::AlignRight);
    m_HitComboText = MakeText(0.5f, kWhiteFont, CSpriteText::AlignRight);
    m_HitComboText->SetText("HIT COMBO");
    m_ComboNumberText = MakeText(1.4f, kWhiteFont, CSpriteText::AlignRight);
    m_MultiplierText = MakeText(0.4f, kYellowFont, CSpriteText::AlignRight);

    const CGuiManager& gui = CGuiManager::GetInstance();
    m_pFrame = gui.FindElement(0, "P1HealthBarFrame");
    m_pCurrent = gui.FindElement(0, "P1HealthBarCurrent");
    m_pCurrentRed = gui.FindElement(0, "P1HealthBarCurrentRed");
    m_pBacking = gui.FindElement(0, "P1HealthBarBacking");
    m_pComboBar = gui.FindElement(0, "ComboBar");
    m_pSkullCounter = gui.FindElement(0, "SkullCounter");
    m_pManaFrame = gui.FindElement(0, "P1ManaBarFrame");
    m_pManaBacking = gui.FindElement(0, "P1ManaBarBacking");
    m_pRevivePrompt = gui.FindElement(0, "msg_revive");
    m_pChargePrompt = gui.FindElement(0, "msg_charge");
    m_BlankSlots = gui.FindElements(0, "powerslot_blank");
    m_ActiveSlots = gui.FindElements(0, "powerslot_active");

    if (m_pFrame) {
        m_FrameX = m_pFrame->GetPosition().x;
        m_FrameY = m_pFrame->GetPosition().y;
    }
    // The bar starts left of the centre by a quarter of its sprite's share of the screen.
    if (m_pCurrent) {
        const int screenWidth = ScreenWidth();
        const float share =
            screenWidth > 0 ? static_cast<float>(m_pCurrent->GetSpriteWidth()) / static_cast<float>(screenWidth) : 0.0f;
        m_CurrentX = 0.5f - share * 0.25f - 0.12f;
        const float y = m_pCurrent->GetPosition().y;
        m_pCurrent->SetPosition(m_CurrentX, y);
        Place(m_pCurrentRed, m_CurrentX, y);
    }
    if (!m_BlankSlots.empty()) {
        m_SlotX = m_BlankSlots.front()->GetPosition().x;
        m_SlotY = m_BlankSlots.front()->GetPosition().y;
        m_SlotScaleX = m_BlankSlots.front()->GetScale().x;
        m_SlotScaleY = m_BlankSlots.front()->GetScale().y;
    }
}

void CPlayerHud::Release()
{
    m_pFrame = m_pCurrent = m_pCurrentRed = m_pBacking = nullptr;
    m_pComboBar = m_pSkullCounter = m_pManaFrame = m_pManaBacking = nullptr;
    m_pRevivePrompt = m_pChargePrompt = nullptr;
    m_BlankSlots.clear();
    m_ActiveSlots.clear();
    m_SkullText.reset();
    m_ScoreText.reset();
    m_WaveText.reset();
    m_HitComboText.reset();
    m_ComboNumberText.reset();
    m_MultiplierText.reset();
}

void CPlayerHud::SetVisible(bool visible, const HudInputs& in)
{
    m_Visible = visible;
    if (in.skillPocket)
        in.skillPocket->SetVisible(visible);
    for (Vesk::CDisplayObject2D* element : {m_pFrame, m_pBacking, m_pCurrent, m_pCurrentRed, m_pSkullCounter})
        Show(element, visible);
    Show(m_ScoreText.get(), visible);
    Show(m_SkullText.get(), visible);
    Show(m_pChargePrompt, visible && in.collectedSkills > 0);
    Show(m_WaveText.get(), visible && in.remainingEnemies > 0);
    const bool combo = visible && in.combo >= kComboShown;
    for (CSpriteText* text : {m_HitComboText.get(), m_ComboNumberText.get(), m_MultiplierText.get()})
        Show(text, combo);
    Show(m_pComboBar, combo);
    for (const std::vector<Vesk::CDisplayObject2D*>* slots : {&m_BlankSlots, &m_ActiveSlots})
        for (Vesk::CDisplayObject2D* slot : *slots)
            Show(slot, visible);
}

void CPlayerHud::Update(float dt, const HudInputs& in)
{
    if (!m_Visible) {
        SetVisible(false, in);
        return;
    }
    SetVisible(true, in);

    if (m_ScoreText) {
        m_ScoreText->SetText("SCORE:  " + std::to_string(in.shownPoints));
        m_ScoreText->SetPosition(kScoreX, kScoreY);
    }
    if (in.hasWaves && m_WaveText) {
        m_WaveText->SetText(std::to_string(in.remainingEnemies) + " OF " + std::to_string(in.waveTotal) + " LEFT");
        m_WaveText->SetPosition(kWaveX, kWaveY);
    }

    int row = 0;
    const auto rowY = [&row] { return static_cast<float>(row) * kRowHeight + kColumnTop; };
    if (in.combo >= kComboShown) {
        if (m_ComboNumberText) {
            m_ComboNumberText->SetText(std::to_string(in.combo));
            m_ComboNumberText->SetPosition(kComboNumberX, kColumnTop);
            m_ComboNumberText->SetVisible(true);
        }
        row = 2;
        if (m_HitComboText) {
            m_HitComboText->SetPosition(kColumnX, rowY());
            m_HitComboText->SetVisible(true);
        }
        ++row;
        if (m_MultiplierText) {
            m_MultiplierText->SetText(MultiplierText(in.comboMultiplier));
            m_MultiplierText->SetPosition(kColumnX, rowY());
        }
        ++row;
    }
    if (in.comboTimer > 0.0f && m_pComboBar) {
        m_pComboBar->SetScale(in.comboTimer / kComboTimerFull, m_pComboBar->GetScale().y);
        m_pComboBar->SetPosition(kColumnX, rowY());
    }
    if (in.combo < kComboShown)
        for (CSpriteText* text : {m_HitComboText.get(), m_ComboNumberText.get(), m_MultiplierText.get()})
            Show(text, false);

    if (m_SkullText)
        m_SkullText->SetText("X " + std::to_string(in.deathCount));
    UpdateHealthBar(dt, in);
    UpdatePowerSlots(dt, in);
}

void CPlayerHud::UpdateHealthBar(float dt, const HudInputs& in)
{
    const float ratio = in.maxHealth > 0
                            ? std::clamp(static_cast<float>(in.health) / static_cast<float>(in.maxHealth), 0.0f, 1.0f)
                            : 0.0f;
    const float current = ratio * kFullHealthScale;
    if (m_pCurrent)
        m_pCurrent->SetScale(current, m_pCurrent->GetScale().y);
    Place(m_pFrame, m_FrameX, kBarY);
    Place(m_pBacking, m_FrameX, kBarY);
    Place(m_pCurrent, m_CurrentX, kBarY);
    Place(m_pCurrentRed, m_CurrentX, kBarY);

    // The red trail holds where the health was until the delay has run out, then slides down.
    m_TrailTimer = std::max(0.0f, m_TrailTimer - dt);
    if (m_TrailTimer <= 0.0f && m_pCurrentRed) {
        const Vesk::CPoint2D red = m_pCurrentRed->GetScale();
        const float x = red.x > current ? std::max(red.x - dt * kTrailSpeed, current) : current;
        m_pCurrentRed->SetScale(x, red.y);
    }
    Vesk::CDebugOutputManager::GetInstance().SetLine(Labelled("posy", m_FrameY), kYLine);
}

void CPlayerHud::UpdatePowerSlots(float, const HudInputs& in)
{
    const float x = m_SlotX, y = m_SlotY;
    Vesk::CDebugOutputManager& debug = Vesk::CDebugOutputManager::GetInstance();
    debug.SetLine(Labelled("screen width", ScreenWidth()), kScreenWidthLine);
    for (size_t i = 0; i < kSlotCount; ++i)
        debug.SetLine(Labelled("slot" + std::to_string(i + 1), x + (static_cast<float>(i) - 1.0f) * kSlotSpacing),
                      kSlotLine + static_cast<unsigned>(i));
    debug.SetLine(Labelled("y", y), kYLine);

    Place(m_pChargePrompt, x, y - kChargePromptAbove);
    for (const std::vector<Vesk::CDisplayObject2D*>* slots : {&m_BlankSlots, &m_ActiveSlots})
        for (size_t i = 0; i < std::min(slots->size(), kSlotCount); ++i)
            Place((*slots)[i], x + (static_cast<float>(i) - 1.0f) * kSlotSpacing, y);

    const int collected = std::clamp(in.collectedSkills, 0, static_cast<int>(kSlotCount));
    Show(m_pChargePrompt, collected > 0);
    for (size_t i = 0; i < std::min(m_ActiveSlots.size(), kSlotCount); ++i) {
        Vesk::CDisplayObject2D* fill = m_ActiveSlots[i];
        Play(fill, static_cast<int>(i) < collected ? "active" : "idle");
        const float f = SlotFill(static_cast<int>(i) + 1, in.collectedSkills, in.specialHoldTime);
        fill->SetScale(f * m_SlotScaleX, f * m_SlotScaleY);
    }
}

void CPlayerHud::ShowPadPrompts(bool pad)
{
    const char* animation = pad ? "idleController" : "idle";
    Play(m_pChargePrompt, animation);
    Play(m_pRevivePrompt, animation);
}

void CPlayerHud::BlinkSlot(int level)
{
    if (level < 1)
        return;
    const size_t count = std::min(static_cast<size_t>(level), m_ActiveSlots.size());
    if (static_cast<size_t>(level) <= m_ActiveSlots.size())
        m_ActiveSlots[static_cast<size_t>(level) - 1]->SetAnimation("blink");
    for (size_t i = 0; i < count; ++i)
        Restart(m_ActiveSlots[i]);
}

void CPlayerHud::ResetSlots()
{
    for (Vesk::CDisplayObject2D* fill : m_ActiveSlots)
        Play(fill, "idle");
}

float CPlayerHud::SlotFill(int slot, int collectedSkills, float holdTime)
{
    if (slot < 1 || slot > static_cast<int>(kSlotCount))
        return 0.0f;
    const double t = holdTime;
    const int skills = collectedSkills;
    std::array<double, kSlotCount> fills{};
    if (t > 3.4 && skills == 3)
        fills = {1.0, 1.0, 1.0};
    else if (t > 2.3 && skills >= 3)
        fills = {1.0, 1.0, (t - 2.3 - 0.1) / 1.0000001415610313};
    else if (t > 2.3 && skills == 2)
        fills = {1.0, 1.0, 0.0};
    else if (t > 1.2 && skills >= 2)
        fills = {1.0, (t - 1.2 - 0.1) / 0.9999999031424522, 0.0};
    else if (t > 1.2 && skills == 1)
        fills = {1.0, 0.0, 0.0};
    else if (t > 0.1 && t < 1.2)
        fills = {t / 1.1, 0.0, 0.0};
    // A fill just past its threshold would otherwise come out negative and draw mirrored.
    return static_cast<float>(std::max(0.0, fills[static_cast<size_t>(slot) - 1]));
}

std::string CPlayerHud::MultiplierText(float multiplier)
{
    std::ostringstream out;
    out << multiplier << "X MULTIPLIER";
    return out.str();
}

} // namespace Game
