#include "game/skills/CSkillPocket.h"

#include "game/gui/CGuiManager.h"

namespace Game {

CSkillPocket::CSkillPocket(Picture firstFrame, Picture secondFrame, Picture frontIcon, Picture backIcon)
    : m_FirstFrame(std::move(firstFrame)), m_SecondFrame(std::move(secondFrame)), m_FrontIcon(std::move(frontIcon)),
      m_BackIcon(std::move(backIcon))
{
    for (const Picture* picture : {&m_FirstFrame, &m_SecondFrame, &m_FrontIcon, &m_BackIcon})
        if (*picture)
            CGuiManager::GetInstance().AddElement(picture->get(), kLayer, CGuiManager::KindDisplay);
}

CSkillPocket::~CSkillPocket()
{
    for (Picture* picture : {&m_FirstFrame, &m_SecondFrame, &m_FrontIcon, &m_BackIcon}) {
        CGuiManager::GetInstance().RemoveElement(picture->get(), kLayer, CGuiManager::KindDisplay);
        picture->reset();
    }
}

void CSkillPocket::SetVisible(bool visible)
{
    for (const Picture* picture : {&m_FirstFrame, &m_SecondFrame, &m_FrontIcon})
        if (*picture)
            (*picture)->SetVisible(visible);
}

void CSkillPocket::SwapIcons()
{
    std::swap(m_FrontIcon, m_BackIcon);
    if (m_FrontIcon && m_SecondFrame) {
        const Vesk::CPoint2D place = m_SecondFrame->GetPosition();
        m_FrontIcon->SetPosition(place.x, place.y);
    }
    if (m_BackIcon)
        m_BackIcon->SetPosition(kBackIconPlace, kBackIconPlace);
}

} // namespace Game
