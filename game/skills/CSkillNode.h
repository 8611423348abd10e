// CSkillNode: one skill tree ("flame", "wind", "lighting"): its crest picture, a column of 16
// copies of the crest that rise one after another on display layer 2 (each owned together with
// its linear tween), and the tree's table of skill values by skill name.
#pragma once

#include "game/gui/CUIDisplay2D.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Game {

class CSkillNode : public CUIDisplay2D {
public:
    static constexpr int kCrestCount = 16;
    static constexpr int kCrestLayer = 2;

    CSkillNode(const std::string& crestSprite, const std::string& treeName);
    // Takes the crests off their layer and deletes them with their tweens.
    ~CSkillNode() override;

    const std::string& GetTreeName() const { return m_TreeName; }
    const std::map<std::string, int>& GetSkillTable() const { return m_SkillTable; }
    size_t GetCrestCount() const { return m_Crests.size(); }
    // Null past the end.
    const CUIDisplay2D* GetCrest(size_t index) const;

private:
    std::vector<std::unique_ptr<CUIDisplay2D>> m_Crests;
    // The values are kept for the trees' skills; nothing reads them yet.
    std::map<std::string, int> m_SkillTable;
    std::string m_TreeName;
};

} // namespace Game
