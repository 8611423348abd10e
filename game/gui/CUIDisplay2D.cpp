#include "game/gui/CUIDisplay2D.h"

#include "game/gui/CGuiManager.h"

namespace Game {

CUIDisplay2D::CUIDisplay2D(const std::string& name) : Vesk::CDisplayObject2D(name) {}

CUIDisplay2D::~CUIDisplay2D() { CGuiManager::GetInstance().Forget(this); }

void CUIDisplay2D::Update(float dt)
{
    Vesk::CDisplayObject2D::Update(dt);
    const std::weak_ptr<const int> alive = WatchLife();
    UpdateTweens(dt);
    if (!alive.expired())
        m_Listener.Roll();
}

} // namespace Game
