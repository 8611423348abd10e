// ISkillPocket: the skill display a character may own. The combat work fills it in; a character
// only owns it and deletes it with itself.
#pragma once

namespace Game {

class ISkillPocket {
public:
    virtual ~ISkillPocket() = default;
};

} // namespace Game
