#include "input/CInputManager.h"

#include "platform/win/Messages.h"

#include <algorithm>

namespace Vesk {

IKeyboardListener::IKeyboardListener() { CInputManager::GetInstance().AddKeyboardListener(this); }

IKeyboardListener::~IKeyboardListener() { CInputManager::GetInstance().RemoveKeyboardListener(this); }

bool CInputManager::Init()
{
    CWindowSystem::GetInstance().SetCallbacks(&OnWindowEvent, &OnWindowEvent, &OnWindowEvent, &OnWindowEvent,
                                              &OnWindowEvent);
    std::fill(std::begin(m_Keys), std::end(m_Keys), 0u);
    m_WentDown.clear();
    m_WentUp.clear();
    m_Queue.clear();
    return true;
}

void CInputManager::BeginFrame()
{
    for (uint32_t key : m_WentDown)
        if (m_Keys[key] & kDownNow)
            m_Keys[key] |= kDownBefore;
    for (uint32_t key : m_WentUp)
        if (!(m_Keys[key] & kDownNow))
            m_Keys[key] &= ~kDownBefore;
    m_WentDown.clear();
    m_WentUp.clear();
}

void CInputManager::OnWindowEvent(WindowEvent event)
{
    InputEvent input;
    switch (event.message) {
    case win::WM_KEYDOWN: input.kind = InputEvent::KeyDown; break;
    case win::WM_KEYUP: input.kind = InputEvent::KeyUp; break;
    default: return;
    }
    input.key.key = event.key;
    GetInstance().m_Queue.push_back(input);
}

void CInputManager::EndFrame()
{
    while (!m_Queue.empty()) {
        InputEvent event = m_Queue.front();
        m_Queue.pop_front();
        const uint32_t key = event.key.key;
        if (key >= kKeyCount)
            continue;
        const bool down = event.kind == InputEvent::KeyDown;
        if (down) {
            m_Keys[key] |= kDownNow;
            m_WentDown.push_back(key);
        } else {
            m_Keys[key] &= ~kDownNow;
            m_WentUp.push_back(key);
        }
        // Walk by index: a listener may register another during delivery.
        for (size_t i = 0; i < m_KeyboardListeners.size(); ++i) {
            IKeyboardListener* listener = m_KeyboardListeners[i];
            if (!listener || !listener->m_Enabled)
                continue;
            if (down)
                listener->OnKeyDown(event.key);
            else
                listener->OnKeyUp(event.key);
        }
    }
}

void CInputManager::AddKeyboardListener(IKeyboardListener* listener) { m_KeyboardListeners.push_back(listener); }

void CInputManager::RemoveKeyboardListener(IKeyboardListener* listener)
{
    auto it = std::find(m_KeyboardListeners.begin(), m_KeyboardListeners.end(), listener);
    if (it != m_KeyboardListeners.end())
        m_KeyboardListeners.erase(it);
}

bool CInputManager::ModifierHeld(uint32_t modifier) const { return modifier == 0 || (State(modifier) & kDownNow); }

bool CInputManager::IsKeyDown(uint32_t key, uint32_t modifier) const
{
    return ModifierHeld(modifier) && (State(key) & kDownNow);
}

bool CInputManager::IsKeyPressed(uint32_t key, uint32_t modifier) const
{
    return ModifierHeld(modifier) && (State(key) & (kDownNow | kDownBefore)) == kDownNow;
}

bool CInputManager::IsKeyReleased(uint32_t key, uint32_t modifier) const
{
    return ModifierHeld(modifier) && (State(key) & (kDownNow | kDownBefore)) == kDownBefore;
}

} // namespace Vesk
