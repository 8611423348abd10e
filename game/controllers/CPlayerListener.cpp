#include "game/controllers/CPlayerListener.h"

#include "core/COptionSetting.h"
#include "debug/CDebugOutputManager.h"
#include "game/cameras/CSideScrollCamera.h"
#include "game/entities/CCharacter.h"
#include "input/CInputManager.h"
#include "render/CCameraManager.h"

#include <algorithm>
#include <iterator>

namespace Game {

namespace {

using Listener = CPlayerController::CPlayerListener;

struct CodeBit {
    int32_t code;
    uint32_t bit;
};

// Virtual-key codes outside this range are not read at all.
constexpr int32_t kFirstKey = 37, kLastKey = 90;

constexpr CodeBit kKeyBits[] = {
    {37, Listener::ACTION_LEFT},    {65, Listener::ACTION_LEFT},    // Left arrow, A
    {39, Listener::ACTION_RIGHT},   {68, Listener::ACTION_RIGHT},   // Right arrow, D
    {38, Listener::ACTION_UP},      {87, Listener::ACTION_UP},      // Up arrow, W
    {40, Listener::ACTION_DOWN},    {83, Listener::ACTION_DOWN},    // Down arrow, S
    {67, Listener::ACTION_ATTACK},  {74, Listener::ACTION_ATTACK},  // C, J
    {76, Listener::ACTION_SPECIAL}, {90, Listener::ACTION_SPECIAL}, // L, Z
    {75, Listener::ACTION_DODGE},   {88, Listener::ACTION_DODGE},   // K, X
};

enum PadCode : int32_t {
    PAD_A = 0x5800,
    PAD_B = 0x5801,
    PAD_X = 0x5802,
    PAD_LSHOULDER = 0x5805,
    PAD_LTRIGGER = 0x5806,
    PAD_RTRIGGER = 0x5807,
    PAD_START = 0x5814,
};

constexpr CodeBit kPadBits[] = {
    {PAD_A, Listener::ACTION_DODGE},
    {PAD_B, Listener::ACTION_SPECIAL},
    {PAD_RTRIGGER, Listener::ACTION_SPECIAL},
    {PAD_X, Listener::ACTION_ATTACK},
};

// The left trigger pulls the side-scrolling camera in while it is held.
constexpr float kTriggerZoom = 1.5f, kNormalZoom = 1.0f;

template <size_t N>
uint32_t BitOf(const CodeBit (&table)[N], int32_t code)
{
    const auto found =
        std::find_if(std::begin(table), std::end(table), [code](const CodeBit& e) { return e.code == code; });
    return found != std::end(table) ? found->bit : 0;
}

uint32_t BitOfInput(int32_t code)
{
    return code >= kFirstKey && code <= kLastKey ? BitOf(kKeyBits, code) : BitOf(kPadBits, code);
}

int IndexOf(uint32_t bit)
{
    for (int i = 0; i < Listener::kBitCount; ++i)
        if (bit == (1u << i))
            return i;
    return -1;
}

CSideScrollCamera* CurrentSideScrollCamera()
{
    return dynamic_cast<CSideScrollCamera*>(Vesk::CCameraManager::GetInstance().GetCurrentCamera());
}

} // namespace

CPlayerController::CPlayerListener::CPlayerListener(CCharacter* owner) : m_Owner(owner) { ReadGamepadOption(); }

void CPlayerController::CPlayerListener::Press(int32_t code, uint32_t bit)
{
    m_Held |= bit;
    m_HeldInputs.insert(code);
}

void CPlayerController::CPlayerListener::Release(int32_t code, uint32_t bit)
{
    m_HeldInputs.erase(code);
    // Another key or button of the same action still down keeps the action held.
    const bool otherHeld =
        std::any_of(m_HeldInputs.begin(), m_HeldInputs.end(), [bit](int32_t held) { return BitOfInput(held) == bit; });
    if (otherHeld || !IsHeld(bit))
        return;
    m_Held &= ~bit;
    m_Released |= bit;
}

void CPlayerController::CPlayerListener::OnKeyDown(const Vesk::KeyEvent& event)
{
    if (m_UseGamepad)
        return;
    m_PadFlag = 0;
    const auto code = static_cast<int32_t>(event.key);
    if (code < kFirstKey || code > kLastKey)
        return;
    if (const uint32_t bit = BitOf(kKeyBits, code))
        Press(code, bit);
}

void CPlayerController::CPlayerListener::OnKeyUp(const Vesk::KeyEvent& event)
{
    if (m_UseGamepad)
        return;
    const auto code = static_cast<int32_t>(event.key);
    if (code < kFirstKey || code > kLastKey)
        return;
    if (const uint32_t bit = BitOf(kKeyBits, code))
        Release(code, bit);
}

void CPlayerController::CPlayerListener::OnButtonDown(const Vesk::PadEvent& event)
{
    m_PadFlag = 1;
    if (const uint32_t bit = BitOf(kPadBits, event.code)) {
        Press(event.code, bit);
        return;
    }
    switch (event.code) {
    case PAD_LSHOULDER:
        Vesk::CDebugOutputManager::GetInstance().AddLine("triggered");
        m_PlayerOne = 1;
        break;
    case PAD_START: m_PlayerOne = 1; break;
    case PAD_LTRIGGER:
        if (CSideScrollCamera* camera = CurrentSideScrollCamera(); camera && camera->GetZoom() >= kNormalZoom)
            camera->SetZoom(kTriggerZoom);
        break;
    default: break;
    }
}

void CPlayerController::CPlayerListener::OnButtonUp(const Vesk::PadEvent& event)
{
    if (const uint32_t bit = BitOf(kPadBits, event.code)) {
        Release(event.code, bit);
        return;
    }
    if (event.code == PAD_LTRIGGER)
        if (CSideScrollCamera* camera = CurrentSideScrollCamera())
            camera->SetZoom(kNormalZoom);
}

void CPlayerController::CPlayerListener::Update(float dt)
{
    ReadGamepadOption();
    Vesk::CInputManager::GetInstance().GetPadLeftStick(0, m_StickX, m_StickY);
    for (int i = 0; i < kBitCount; ++i) {
        const uint32_t bit = 1u << i;
        if (IsHeld(bit) && !IsReleased(bit))
            m_HoldTime[i] += dt;
    }
}

void CPlayerController::CPlayerListener::ConsumeReleases()
{
    for (int i = 0; i < kBitCount; ++i)
        if (IsReleased(1u << i))
            m_HoldTime[i] = 0.0f;
    m_Released = 0;
}

CVector3D CPlayerController::CPlayerListener::GetMoveDirection() const
{
    if (m_StickX != 0 || m_StickY != 0)
        return CVector3D(static_cast<float>(m_StickX / 32767.0), 0.0f, static_cast<float>(m_StickY / 32767.0));
    // First match wins; diagonals keep their length of sqrt(2).
    struct Direction {
        uint32_t bits;
        float x, z;
    };
    static constexpr Direction kDirections[] = {
        {ACTION_UP | ACTION_LEFT, -1.0f, 1.0f},
        {ACTION_DOWN | ACTION_LEFT, -1.0f, -1.0f},
        {ACTION_UP | ACTION_RIGHT, 1.0f, 1.0f},
        {ACTION_DOWN | ACTION_RIGHT, 1.0f, -1.0f},
        {ACTION_UP, 0.0f, 1.0f},
        {ACTION_DOWN, 0.0f, -1.0f},
        {ACTION_LEFT, -1.0f, 0.0f},
        {ACTION_RIGHT, 1.0f, 0.0f},
    };
    for (const Direction& d : kDirections)
        if ((m_Held & d.bits) == d.bits)
            return CVector3D(d.x, 0.0f, d.z);
    return CVector3D(0.0f, 0.0f, 0.0f);
}

void CPlayerController::CPlayerListener::ReadGamepadOption()
{
    m_OptionStream.clear();
    m_OptionStream.str(Vesk::COptionSetting::GetInstance().GetValue("use_gamepad"));
    int value = 0;
    if (!(m_OptionStream >> value))
        value = 0;
    m_UseGamepad = value > 0;
}

bool CPlayerController::CPlayerListener::IsPressed(uint32_t bit) const
{
    return IsHeld(bit) && GetHoldTime(bit) < kPressTime;
}

float CPlayerController::CPlayerListener::GetHoldTime(uint32_t bit) const
{
    const int i = IndexOf(bit);
    return i >= 0 ? m_HoldTime[i] : 0.0f;
}

void CPlayerController::CPlayerListener::SetHoldTime(uint32_t bit, float seconds)
{
    const int i = IndexOf(bit);
    if (i >= 0)
        m_HoldTime[i] = seconds;
}

} // namespace Game
