// ISharedCharacterController: one controller shared by a group of characters (collision
// avoidance, the attack flock). Members are held by handle; a member that is gone is skipped.
// Each member lists the controllers it belongs to; the controller keeps those lists in step.
#pragma once

#include "game/entities/EntityHandle.h"
#include "game/world/GameEnums.h"

#include <string>
#include <vector>

namespace Game {

class CCharacter;

class ISharedCharacterController {
public:
    explicit ISharedCharacterController(const std::string& name) : m_Name(name) {}
    // Takes itself off the lists of the members that still live.
    virtual ~ISharedCharacterController();

    virtual void Update(float dt) { (void)dt; }
    virtual int GetSharedControllerType() const = 0;

    // Adds the character once and records this controller in its list; null is ignored.
    void AddMember(CCharacter* character);
    // Takes the character out; quiet leaves the character's own list of shared controllers alone.
    void RemoveMember(CCharacter* character, bool quiet);
    bool IsMember(const CCharacter* character) const;
    // The members that still live, in the order they joined.
    std::vector<CCharacter*> GetMembers() const;
    const std::string& GetName() const { return m_Name; }

private:
    std::string m_Name;
    std::vector<EntityHandle> m_Members;
};

} // namespace Game
