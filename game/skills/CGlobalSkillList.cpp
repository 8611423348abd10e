#include "game/skills/CGlobalSkillList.h"

#include "game/entities/CItemDrop.h"
#include "game/gui/CGuiManager.h"
#include "game/skills/CSkillNode.h"
#include "math/Random.h"
#include "ui2d/CDisplay2DSystem.h"

namespace Game {

CGlobalSkillList::CGlobalSkillList()
{
    // The nodes' crests and tweens are taken down through these managers when the list goes at
    // process exit: made first (the GUI manager makes the controller manager), they are destroyed
    // after it.
    CGuiManager::GetInstance();
    Vesk::CDisplay2DSystem::GetInstance();
}

CGlobalSkillList::~CGlobalSkillList() { CGlobalSkillList::Shutdown(); }

bool CGlobalSkillList::Init()
{
    Shutdown();
    m_WorldCount = 0;
    const struct {
        const char* tree;
        const char* crest;
    } nodes[] = {{"flame", "FlameCrest"}, {"wind", "WindCrest"}, {"lighting", "LightningCrest"}};
    for (const auto& node : nodes)
        m_SkillNodes.push_back(std::make_unique<CSkillNode>(node.crest, node.tree));
    return true;
}

void CGlobalSkillList::Shutdown()
{
    for (std::unique_ptr<CSkillNode>& node : m_SkillNodes)
        node.reset();
    m_SkillNodes.clear();
}

void CGlobalSkillList::TryDropSkill(const CVector3D& position, const CVector3D& velocity)
{
    if (m_WorldCount < kWorldCap && Random15() / static_cast<double>(kRandomMax) < kDropChance)
        SpawnSkillPickup(position, velocity);
}

void CGlobalSkillList::SpawnSkillPickup(const CVector3D& position, const CVector3D& velocity)
{
    if (CItemDrop::TossPickup(kSkillPickupName, kSkillPickupName, position, velocity))
        ++m_WorldCount;
}

void CGlobalSkillList::LowerWorldCount()
{
    if (m_WorldCount > 0)
        --m_WorldCount;
}

const CSkillNode* CGlobalSkillList::GetSkillNode(size_t index) const
{
    return index < m_SkillNodes.size() ? m_SkillNodes[index].get() : nullptr;
}

} // namespace Game
