#include "game/gui/CButton.h"

#include "audio/CAudioSystem.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/TopStateName.h"
#include "input/CInputManager.h"

namespace Game {

namespace {

const char* const kIdle = "idle";
const char* const kMouseOver = "mouseover";
const char* const kMouseClick = "mouseclick";
constexpr uint8_t kLeft = 1;
constexpr float kHoverSoundVolume = 0.5f;

// The hover sound plays at full master volume on its own channel at half volume; the master
// volume is put back afterwards.
void PlayHoverSound()
{
    Vesk::CAudioSystem& audio = Vesk::CAudioSystem::GetInstance();
    const float master = audio.GetMasterVolume();
    audio.SetMasterVolume(1.0f);
    const Vesk::CSoundChannel channel = audio.PlaySound("MouseOver", false);
    if (channel.IsValid())
        audio.SetChannelVolume(channel.GetHandle(), kHoverSoundVolume);
    audio.SetMasterVolume(master);
}

} // namespace

CButton::CButton(const std::string& name) : Vesk::CDisplayObject2D(name) {}

CButton::~CButton() { CGuiManager::GetInstance().Forget(this); }

void CButton::ClearMouseRelease()
{
    m_Listener.m_PreviousReleaseBits = 0;
    m_Listener.m_ReleaseBits = 0;
}

void CButton::RunCallback() const
{
    if (m_Callback)
        m_Callback();
}

void CButton::Update(float dt)
{
    const std::weak_ptr<const int> alive = WatchLife();
    UpdateTweens(dt);
    if (alive.expired())
        return;
    Vesk::CDisplayObject2D::Update(dt);

    if (TopStateName() != GetOwnerState()) {
        m_Listener.RollReleases();
        return;
    }
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    const bool inside = GetScreenRect().Contains({input.GetMouseX(), input.GetMouseY()});

    // A release seen while highlighted shows "mouseclick"; the update after it has rolled into
    // the previous bits runs the click.
    bool clicked = false;
    if (m_ButtonState == kMouseOver) {
        const bool released = (m_Listener.m_ReleaseBits & kLeft) != 0;
        if (released || (m_Listener.m_PreviousReleaseBits & kLeft) == 0) {
            m_Listener.m_PressBits &= static_cast<uint8_t>(~kLeft);
            if (released)
                SetAnimation(kMouseClick);
        } else {
            m_ButtonState = kIdle;
            SetAnimation(kIdle);
            clicked = true;
        }
    }
    if (inside)
        CGuiManager::GetInstance().SetCursorActive();

    // Highlighting follows the mouse only when it moved; the release bits roll every update so
    // that a click with a still mouse is not held back.
    if (m_Listener.m_Moved) {
        m_Listener.m_Moved = 0;
        TrackMouse(inside);
    }
    m_Listener.RollReleases();

    // Last: the callback may delete this button.
    if (clicked)
        RunCallback();
}

void CButton::TrackMouse(bool inside)
{
    if (inside && m_ButtonState == kIdle) {
        SetAnimation(kMouseOver);
        m_ButtonState = kMouseOver;
        PlayHoverSound();
    } else if (!inside && m_ButtonState == kMouseOver) {
        SetAnimation(kIdle);
        m_ButtonState = kIdle;
    }
}

} // namespace Game
