// ISkillPocket: the skill display a character may own (game/skills/CSkillPocket). A character
// owns it, deletes it with itself and shows or hides it with the rest of its HUD.
#pragma once

namespace Game {

class ISkillPocket {
public:
    virtual ~ISkillPocket() = default;
    virtual void SetVisible(bool visible) = 0;
};

} // namespace Game
