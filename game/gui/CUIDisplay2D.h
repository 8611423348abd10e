// CUIDisplay2D: a plain GUI picture of a screen file or a HUD: a display object with its tweens,
// its owner state and its own mouse listener.
#pragma once

#include "game/gui/CDis2DListener.h"
#include "game/gui/CGuiWidget.h"
#include "ui2d/CDisplayObject2D.h"

#include <string>

namespace Game {

class CUIDisplay2D : public Vesk::CDisplayObject2D, public CGuiWidget {
public:
    explicit CUIDisplay2D(const std::string& name);
    // Drops the element's registrations with the GUI manager.
    ~CUIDisplay2D() override;

    // The picture, then the tweens once the delay has passed, then the mouse bits roll.
    void Update(float dt) override;

    const CDis2DListener& GetListener() const { return m_Listener; }

private:
    CDis2DListener m_Listener;
};

} // namespace Game
