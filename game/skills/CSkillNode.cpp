#include "game/skills/CSkillNode.h"

#include "game/base/GameEnums.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CLinearTweenController.h"
#include "game/gui/CreateTween.h"

namespace Game {

namespace {

constexpr float kScale = 0.5f;
const Vesk::CPoint2D kCrestStart{0.9f, -0.84f};
const Vesk::CPoint2D kCrestEnd{0.9f, 0.84f};
// Each crest rises faster and later than the one before.
constexpr float kSpeedStep = 1.5f;
constexpr float kDelayStep = 0.2f;
// The crests grow in from this size, fading in to 0.4 of full opacity on the way.
const Vesk::CPoint2D kFadeSize{8.0f, 8.0f};
constexpr int kGrowAndFadeIn = 1;
constexpr float kOpaqueFactor = 0.4f;

const std::map<std::string, std::map<std::string, int>>& SkillTables()
{
    static const std::map<std::string, std::map<std::string, int>> tables = {
        {"flame", {{"FireSwing1", 1}, {"FireSwing2", 1}, {"RisingDragon", 6}, {"FireGeyser", 10}}},
        {"wind", {{"WindSwing1", 4}, {"WindSwing2", 4}, {"WindWalk", 4}, {"WindShield", 8}, {"SpiralDrill", 6}}},
    };
    return tables;
}

} // namespace

CSkillNode::CSkillNode(const std::string& crestSprite, const std::string& treeName)
    : CUIDisplay2D(crestSprite), m_TreeName(treeName)
{
    SetScale(kScale, kScale);
    for (int i = 0; i < kCrestCount; ++i) {
        auto crest = std::make_unique<CUIDisplay2D>(crestSprite);
        crest->SetScale(kScale, kScale);
        crest->SetPosition(kCrestStart.x, kCrestStart.y);
        // The crest drives its tween (once its delay has passed) and destroys it with itself.
        if (auto* tween = CreateTween<CLinearTweenController>(LINEARTWEEN)) {
            tween->Setup(crest.get(), kCrestStart, kCrestEnd, static_cast<float>(i) * kSpeedStep, 0, kGrowAndFadeIn,
                         kFadeSize, kOpaqueFactor);
            crest->SetLinearTween(tween);
        }
        crest->SetTweenDelay(static_cast<float>(i) * kDelayStep);
        CGuiManager::GetInstance().AddElement(crest.get(), kCrestLayer, CGuiManager::KindDisplay);
        m_Crests.push_back(std::move(crest));
    }
    const auto table = SkillTables().find(treeName);
    if (table != SkillTables().end())
        m_SkillTable = table->second;
}

CSkillNode::~CSkillNode()
{
    for (std::unique_ptr<CUIDisplay2D>& crest : m_Crests) {
        CGuiManager::GetInstance().RemoveElement(crest.get(), kCrestLayer, CGuiManager::KindDisplay);
        crest.reset();
    }
    m_Crests.clear();
    m_SkillTable.clear();
    m_TreeName.clear();
}

const CUIDisplay2D* CSkillNode::GetCrest(size_t index) const
{
    return index < m_Crests.size() ? m_Crests[index].get() : nullptr;
}

} // namespace Game
