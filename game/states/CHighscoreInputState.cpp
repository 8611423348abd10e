#include "game/states/CHighscoreInputState.h"

#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CHighscoreRecord.h"
#include "game/gui/CSpriteText.h"
#include "game/gui/CUIDisplay2D.h"
#include "game/states/CMenuState.h"
#include "game/states/CTransitStates.h"
#include "input/CInputManager.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"

#include <cmath>
#include <cstdlib>

namespace Game {

namespace {

constexpr float kLetterX[CHighscoreInputState::kLetterCount] = {0.4f, 0.5f, 0.6f};
constexpr float kLetterY = 0.5f;
constexpr float kUpperCursorY = 0.4f;
constexpr float kLowerCursorY = 0.6f;
constexpr float kCursorScale = 0.5f;
constexpr float kDimAlpha = 0.5f;

// The panel lies beneath the score's sprite text (layer 2), the title and the hint above it and
// beneath the letters.
constexpr int kPanelLayer = 1;
constexpr int kCaptionLayer = CHighscoreInputState::kLayer - 1;
constexpr float kTitleY = 0.2f;
constexpr float kHintY = 0.72f;
constexpr float kDoneY = 0.835f;
constexpr float kDoneScale = 0.6f;
constexpr float kScoreY = 0.31f;
constexpr float kScoreScale = 0.6f;

bool AnyKey(bool (Vesk::CInputManager::*test)(uint32_t, uint32_t) const, std::initializer_list<uint32_t> keys)
{
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    for (uint32_t key : keys)
        if ((input.*test)(key, 0))
            return true;
    return false;
}

std::unique_ptr<CUIDisplay2D> MakeSprite(const char* sprite, int layer)
{
    auto element = std::make_unique<CUIDisplay2D>(sprite);
    element->SetAnimation("idle");
    element->SetVisible(true);
    CGuiManager::GetInstance().AddElement(element.get(), layer, CGuiManager::KindDisplay);
    return element;
}

void RemoveSprite(std::unique_ptr<CUIDisplay2D>& element, int layer)
{
    if (element)
        CGuiManager::GetInstance().RemoveElement(element.get(), layer, CGuiManager::KindDisplay);
    element.reset();
}

} // namespace

std::array<char, CHighscoreInputState::kLetterCount> CHighscoreInputState::s_Letters = {'A', 'A', 'A'};

CHighscoreInputState::CHighscoreInputState(uint32_t score, const std::string& levelName)
    : IGameState(""), m_Score(score), m_LevelName(levelName)
{
}

CHighscoreInputState::~CHighscoreInputState() = default;

std::string CHighscoreInputState::GetEnteredName() { return std::string(s_Letters.begin(), s_Letters.end()); }

void CHighscoreInputState::ResetLetters() { s_Letters = {'A', 'A', 'A'}; }

CUIDisplay2D* CHighscoreInputState::GetLetterSprite(int slot) const
{
    return slot >= 0 && slot < kLetterCount ? m_pLetters[static_cast<size_t>(slot)].get() : nullptr;
}

void CHighscoreInputState::Init()
{
    m_SelectedSlot = 0;
    m_BlinkPhase = 0.0f;
    m_RepeatTimer = 0.0f;
    m_StickMoved = false;
    m_Confirmed = false;

    m_pPanel = MakeSprite("HighscoreEntryPanel", kPanelLayer);
    m_pPanel->SetPosition(0.5f, 0.5f);
    m_pTitle = MakeSprite("HighscoreEntryTitle", kCaptionLayer);
    m_pTitle->SetPosition(0.5f, kTitleY);
    m_pHint = MakeSprite("HighscoreEntryHint", kCaptionLayer);
    m_pHint->SetPosition(0.5f, kHintY);
    m_pDone = MakeSprite("BtnDone", kCaptionLayer);
    m_pDone->SetPosition(0.5f, kDoneY);
    m_pDone->SetScale(kDoneScale, kDoneScale);
    m_pScoreText = std::make_unique<CSpriteText>(kScoreScale, "GameFont");
    m_pScoreText->SetAlignment(CSpriteText::AlignCentre);
    m_pScoreText->SetText(std::to_string(m_Score) + " PTS");
    m_pScoreText->SetPosition(0.5f, kScoreY);
    m_pScoreText->SetVisible(true);

    for (auto& letter : m_pLetters)
        letter = MakeSprite("GameFontWhite", kLayer);
    m_pUpperCursor = MakeSprite("HighscoreCursor", kLayer);
    m_pLowerCursor = MakeSprite("HighscoreCursor", kLayer);
    CGuiManager::GetInstance().SetCursorHidden(false);
    LayOut();
}

void CHighscoreInputState::Cleanup()
{
    for (auto& letter : m_pLetters)
        RemoveSprite(letter, kLayer);
    RemoveSprite(m_pUpperCursor, kLayer);
    RemoveSprite(m_pLowerCursor, kLayer);
    RemoveSprite(m_pPanel, kPanelLayer);
    RemoveSprite(m_pTitle, kCaptionLayer);
    RemoveSprite(m_pHint, kCaptionLayer);
    RemoveSprite(m_pDone, kCaptionLayer);
    m_pScoreText.reset();
}

void CHighscoreInputState::LayOut()
{
    for (int i = 0; i < kLetterCount; ++i) {
        CUIDisplay2D& letter = *m_pLetters[static_cast<size_t>(i)];
        letter.SetColor(i == m_SelectedSlot ? 1.0f : kDimAlpha, 1.0f, 1.0f, 1.0f);
        letter.SetVisible(true);
        letter.SetAnimation(std::string(1, s_Letters[static_cast<size_t>(i)]));
        letter.SetPosition(kLetterX[i], kLetterY);
    }
    const float x = kLetterX[m_SelectedSlot];
    m_pUpperCursor->SetScale(kCursorScale, kCursorScale);
    m_pLowerCursor->SetScale(kCursorScale, -kCursorScale);
    m_pUpperCursor->SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    m_pLowerCursor->SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    m_pUpperCursor->SetPosition(x, kUpperCursorY);
    m_pLowerCursor->SetPosition(x, kLowerCursorY);
}

void CHighscoreInputState::ReadStick(int& x, int& y)
{
    Vesk::CInputManager::GetInstance().GetPadLeftStick(0, x, y);
    if (std::abs(x) > std::abs(y))
        y = 0;
    else
        x = 0;
    if (!m_StickMoved && (std::abs(x) > kStickPush || std::abs(y) > kStickPush)) {
        m_RepeatTimer = 1.0f;
        m_StickMoved = true;
    }
    if (std::abs(x) < kStickRest && std::abs(y) < kStickRest)
        m_StickMoved = false;
}

void CHighscoreInputState::RepeatLetterStep(float dt, int direction)
{
    (direction > 0 ? m_pUpperCursor : m_pLowerCursor)->SetColor(kDimAlpha, 1.0f, 1.0f, 1.0f);
    m_RepeatTimer += dt * kLetterRepeatRate;
    if (m_RepeatTimer <= 1.0f)
        return;
    StepLetter(direction);
    m_RepeatTimer = 0.0f;
}

void CHighscoreInputState::StepLetter(int direction)
{
    m_BlinkPhase = 0.5f;
    char& letter = s_Letters[static_cast<size_t>(m_SelectedSlot)];
    if (direction > 0)
        letter = letter == 'Z' ? 'A' : static_cast<char>(letter + 1);
    else
        letter = letter == 'A' ? 'Z' : static_cast<char>(letter - 1);
}

void CHighscoreInputState::HandleMouse()
{
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    const Vesk::CPoint2D at{input.GetMouseX(), input.GetMouseY()};
    const bool overDone = m_pDone->GetScreenRect().Contains(at);
    m_pDone->SetAnimation(overDone ? "mouseover" : "idle");
    if (overDone)
        CGuiManager::GetInstance().SetCursorActive();
    if (!input.IsMouseButtonReleased(0))
        return;
    for (int i = 0; i < kLetterCount; ++i)
        if (m_pLetters[static_cast<size_t>(i)]->GetScreenRect().Contains(at))
            m_SelectedSlot = i;
    if (m_pUpperCursor->GetScreenRect().Contains(at))
        StepLetter(+1);
    else if (m_pLowerCursor->GetScreenRect().Contains(at))
        StepLetter(-1);
    else if (overDone && !m_Confirmed)
        Confirm();
}

void CHighscoreInputState::StepSlot(int direction)
{
    m_SelectedSlot = (m_SelectedSlot + kLetterCount + direction) % kLetterCount;
}

bool CHighscoreInputState::ConfirmRequested() const
{
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    return input.IsKeyPressed(win::VK_RETURN, 0) || input.IsPadButtonReleased(0, pad::VK_PAD_A) ||
           input.IsPadButtonReleased(0, pad::VK_PAD_START);
}

void CHighscoreInputState::Update(float dt)
{
    CGuiManager::GetInstance().UpdateCursor();
    HandleMouse();
    LayOut();
    int stickX = 0, stickY = 0;
    ReadStick(stickX, stickY);

    using Input = Vesk::CInputManager;
    const uint32_t keyW = win::VkFromChar('W'), keyS = win::VkFromChar('S');
    const uint32_t keyA = win::VkFromChar('A'), keyD = win::VkFromChar('D');
    if (AnyKey(&Input::IsKeyPressed, {keyW, win::VK_UP, keyS, win::VK_DOWN}))
        m_RepeatTimer = 1.0f;

    if (AnyKey(&Input::IsKeyDown, {keyW, win::VK_UP}) || stickY > kStickPush) {
        RepeatLetterStep(dt, +1);
    } else if (AnyKey(&Input::IsKeyDown, {keyS, win::VK_DOWN}) || stickY < -kStickPush) {
        RepeatLetterStep(dt, -1);
    } else {
        // A key moves at once; a stick held over moves at once and then four times a second.
        const bool rightKey = AnyKey(&Input::IsKeyPressed, {keyD, win::VK_RIGHT});
        const bool leftKey = AnyKey(&Input::IsKeyPressed, {keyA, win::VK_LEFT});
        const int direction = rightKey || stickX > kStickPush ? +1 : leftKey || stickX < -kStickPush ? -1 : 0;
        if (direction != 0) {
            m_RepeatTimer += dt * kSlotRepeatRate;
            if ((rightKey || leftKey) && stickX == 0) {
                StepSlot(direction);
            } else if (m_RepeatTimer > 1.0f) {
                StepSlot(direction);
                m_RepeatTimer = 0.0f;
            }
        }
    }

    m_BlinkPhase = std::fmod(m_BlinkPhase + dt * kBlinkRate, 1.0f);
    if (m_BlinkPhase < 0.5f)
        m_pLetters[static_cast<size_t>(m_SelectedSlot)]->SetVisible(false);

    if (!m_Confirmed && ConfirmRequested())
        Confirm();
}

void CHighscoreInputState::Confirm()
{
    m_Confirmed = true;
    CHighscoreRecord& table = CHighscoreRecord::GetInstance();
    table.AddRecord(m_LevelName, GetEnteredName(), m_Score);
    table.Save();
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    game.PopState();
    game.PushState(new CTransitInState(new CMenuState("MenuState", 0), "TransitInState"));
}

} // namespace Game
