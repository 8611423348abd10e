#include "game/gui/CGuiWidget.h"

#include "game/controllers/CControllerManager.h"
#include "game/gui/CHoverController.h"
#include "game/gui/CLinearTweenController.h"
#include "game/gui/CRotationTweenController.h"

namespace Game {

CGuiWidget::~CGuiWidget()
{
    Replace(m_pLinearTween, nullptr);
    Replace(m_pRotationTween, nullptr);
    Replace(m_pHoverController, nullptr);
}

bool CGuiWidget::TweensLive() const
{
    return m_TweenReleaseCount == CControllerManager::GetInstance().GetReleaseCount();
}

void CGuiWidget::ForgetReleasedTweens()
{
    if (TweensLive())
        return;
    m_pLinearTween = m_pRotationTween = m_pHoverController = nullptr;
    m_TweenReleaseCount = CControllerManager::GetInstance().GetReleaseCount();
}

void CGuiWidget::Replace(IController*& slot, IController* tween)
{
    ForgetReleasedTweens();
    if (slot && slot != tween)
        CControllerManager::GetInstance().DestroyController(slot);
    slot = tween;
}

void CGuiWidget::SetLinearTween(IController* tween) { Replace(m_pLinearTween, tween); }
void CGuiWidget::SetRotationTween(IController* tween) { Replace(m_pRotationTween, tween); }
void CGuiWidget::SetHoverController(IController* hover) { Replace(m_pHoverController, hover); }

void CGuiWidget::ResetTweens()
{
    ForgetReleasedTweens();
    if (auto* linear = dynamic_cast<CLinearTweenController*>(m_pLinearTween))
        linear->Reset();
    if (auto* rotation = dynamic_cast<CRotationTweenController*>(m_pRotationTween))
        rotation->Reset();
    if (auto* hover = dynamic_cast<CHoverController*>(m_pHoverController))
        hover->Reset();
}

void CGuiWidget::UpdateTweens(float dt)
{
    if (m_TweenDelay <= m_Elapsed)
        m_Started = true;
    if (!m_Started) {
        m_Elapsed += dt;
        return;
    }
    ForgetReleasedTweens();
    // A timed tween's callback may delete this widget: stop as soon as it is gone.
    const std::weak_ptr<const int> alive = WatchLife();
    IController* const* slots[] = {&m_pLinearTween, &m_pRotationTween, &m_pHoverController};
    for (IController* const* slot : slots) {
        if (alive.expired())
            return;
        if (*slot)
            (*slot)->Update(dt);
    }
}

} // namespace Game
