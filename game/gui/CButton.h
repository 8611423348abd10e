// CButton: a clickable GUI picture. It shows "idle", "mouseover" while the mouse is on it and
// "mouseclick" while a release is pending, and runs its callback once per click; it reacts only
// while the state that loaded it is on top of the state stack.
#pragma once

#include "game/gui/CBtnListener.h"
#include "game/gui/CGuiWidget.h"
#include "game/gui/GuiCallback.h"
#include "ui2d/CDisplayObject2D.h"

#include <string>

namespace Game {

class CButton : public Vesk::CDisplayObject2D, public CGuiWidget {
public:
    explicit CButton(const std::string& name);
    // Drops the button's registrations with the GUI manager.
    ~CButton() override;

    void Update(float dt) override;

    // Drops a pending click.
    void ClearMouseRelease();

    void SetCallback(GuiCallback callback) { m_Callback = callback; }
    GuiCallback GetCallback() const { return m_Callback; }
    // The one place a button's action runs (mouse clicks, timed tweens, the screens' keys);
    // nothing when the button has none.
    void RunCallback() const;

    // "idle" or "mouseover".
    const std::string& GetButtonState() const { return m_ButtonState; }
    void SetButtonState(const std::string& state) { m_ButtonState = state; }

    const CBtnListener& GetListener() const { return m_Listener; }

private:
    // Highlights on entry (with the "MouseOver" sound) and lets go on leaving.
    void TrackMouse(bool inside);

    std::string m_ButtonState = "idle";
    GuiCallback m_Callback = nullptr;
    CBtnListener m_Listener;
};

} // namespace Game
