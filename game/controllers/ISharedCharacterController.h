// ISharedCharacterController: one controller shared by a group of characters (collision
// avoidance, the attack flock), found by name through the controller manager. Members are held by
// handle; a member that is gone is skipped. Each member lists the controllers it belongs to, and
// the controller keeps both sides in step: whatever takes a character out of the members (removal,
// Clear, the controller's destruction) also takes the controller off the character's list, so no
// character is left pointing at a controller that has gone.
#pragma once

#include "game/base/GameEnums.h"
#include "game/entities/EntityHandle.h"

#include <string>
#include <vector>

namespace Game {

class CCharacter;

class ISharedCharacterController {
public:
    ISharedCharacterController() = default;
    ISharedCharacterController(const ISharedCharacterController&) = delete;
    ISharedCharacterController& operator=(const ISharedCharacterController&) = delete;
    // Takes itself off the lists of the members that still live.
    virtual ~ISharedCharacterController();

    // Takes the name under which the manager keeps the controller.
    virtual void Init(const std::string& name) { m_Name = name; }
    // Empties the member list.
    virtual void Clear();
    virtual void Update(float dt) { (void)dt; }
    // COLLISION_AVOIDANCE or GENERIC_ATTACK_FLOCK.
    virtual int GetType() const = 0;

    // Adds the character once and records this controller in its list; null is ignored.
    void AddMember(CCharacter* character);
    // Takes the character out; nothing when it is no member.
    void RemoveMember(CCharacter* character);
    bool IsMember(const CCharacter* character) const;
    // The members that still live, in the order they joined.
    std::vector<CCharacter*> GetMembers() const;
    std::string GetName() const { return m_Name; }

    // Shared controllers run only while enabled.
    bool m_Enabled = true;

private:
    std::string m_Name;
    std::vector<EntityHandle> m_Members;
};

} // namespace Game
