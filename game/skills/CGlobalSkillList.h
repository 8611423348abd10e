// CGlobalSkillList: the skills shared by one play. Owns the three skill-tree nodes ("flame",
// "wind", "lighting") and counts the "fireskill" pickups it has put into the world that are still
// lying there; the count caps the random drops of defeated enemies. The play state builds it on
// entering (Init) and takes it down on leaving (Shutdown).
#pragma once

#include "core/CSingleton.h"
#include "math/Vector3D.h"

#include <memory>
#include <vector>

namespace Game {

class CSkillNode;

class CGlobalSkillList : public Vesk::CSingleton<CGlobalSkillList> {
public:
    // Enemies drop no skill while this many skill pickups lie in the world.
    static constexpr int kWorldCap = 2;
    static constexpr double kDropChance = 0.3;
    // The entity and prefab name of a skill pickup.
    static constexpr const char* kSkillPickupName = "fireskill";

    CGlobalSkillList();
    // Deletes the nodes.
    ~CGlobalSkillList() override;

    // Shutdown, a world count of 0 and the three nodes anew.
    bool Init() override;
    // Deletes every node.
    void Shutdown() override;

    // A defeated enemy's drop: a skill pickup with a chance of 0.3 while fewer than kWorldCap lie
    // in the world (the generator is not drawn from at the cap).
    void TryDropSkill(const CVector3D& position, const CVector3D& velocity);
    // A skill pickup at the position, tossed with the velocity; the world count rises when one
    // was made. The cap is not tested: a player losing skills drops them all, so the count can
    // pass kWorldCap.
    void SpawnSkillPickup(const CVector3D& position, const CVector3D& velocity);
    // One skill pickup fewer in the world (never below 0). The pickup itself calls it when it is
    // collected or runs out of time, so collectors do not.
    void LowerWorldCount();
    int GetWorldCount() const { return m_WorldCount; }

    size_t GetSkillNodeCount() const { return m_SkillNodes.size(); }
    // Null past the end.
    const CSkillNode* GetSkillNode(size_t index) const;

private:
    std::vector<std::unique_ptr<CSkillNode>> m_SkillNodes;
    int m_WorldCount = 0;
};

} // namespace Game
