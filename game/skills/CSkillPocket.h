// CSkillPocket: a character's skill display on display layer 1: two pocket frames with the
// current skill's icon in the second one and the next skill's icon waiting off screen. It owns
// its frames and its icons; any of them may be absent.
#pragma once

#include "game/entities/ISkillPocket.h"
#include "ui2d/CDisplayObject2D.h"

#include <memory>

namespace Game {

class CSkillPocket : public ISkillPocket {
public:
    static constexpr int kLayer = 1;
    // Where the back icon waits, off screen.
    static constexpr float kBackIconPlace = 1.3f;

    using Picture = std::unique_ptr<Vesk::CDisplayObject2D>;

    // The pictures as placed by the caller go onto layer 1 of the GUI manager, frames first.
    CSkillPocket(Picture firstFrame, Picture secondFrame, Picture frontIcon, Picture backIcon);
    // Takes the pictures off layer 1 and deletes them.
    ~CSkillPocket() override;
    CSkillPocket(const CSkillPocket&) = delete;
    CSkillPocket& operator=(const CSkillPocket&) = delete;

    // Shows or hides both frames and the front icon; the back icon stays as it is.
    void SetVisible(bool visible) override;
    // The back icon comes to the front, into the second frame; the old front icon goes off
    // screen.
    void SwapIcons();

    // 0: the first frame, otherwise the second.
    Vesk::CDisplayObject2D* GetFrame(int index) const { return index == 0 ? m_FirstFrame.get() : m_SecondFrame.get(); }
    Vesk::CDisplayObject2D* GetFrontIcon() const { return m_FrontIcon.get(); }
    Vesk::CDisplayObject2D* GetBackIcon() const { return m_BackIcon.get(); }

private:
    Picture m_FirstFrame, m_SecondFrame, m_FrontIcon, m_BackIcon;
};

} // namespace Game
