#include "app/CPlayerProbe.h"

#include "frame/CGameManager.h"
#include "game/base/GameEnums.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/CPlayerController.h"
#include "game/editor/CLevelEditor.h"
#include "game/editor/CLevelEditorMessageSystem.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/moves/CMove.h"
#include "game/terrain/CTerrain.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"

#include <sstream>

namespace Game {

namespace {

const char* AnimStateName(int state)
{
    switch (state) {
    case CPlayerController::IDLE: return "IDLE";
    case CPlayerController::RUNTWO: return "RUNTWO";
    case CPlayerController::JUMP: return "JUMP";
    case CPlayerController::ATTACKNORMAL: return "ATTACKNORMAL";
    case CPlayerController::ATTACKUPPERCUT: return "ATTACKUPPERCUT";
    case CPlayerController::SWINGONE: return "SWINGONE";
    case CPlayerController::SWINGTWO: return "SWINGTWO";
    case CPlayerController::SWINGTHREE: return "SWINGTHREE";
    case CPlayerController::STRETCH: return "STRETCH";
    case CPlayerController::FIRESHOT: return "FIRESHOT";
    case CPlayerController::MOVE: return "MOVE";
    case CPlayerController::SPAWN: return "SPAWN";
    default: return "-";
    }
}

std::string PlayerAttacks(const CEntity* player)
{
    std::string names;
    for (const AttackRecord* attack : CAttackPool::GetInstance().GetActiveAttacks()) {
        if (attack->m_User.Get() != player)
            continue;
        names += names.empty() ? "" : ",";
        names += attack->m_Name;
    }
    return names.empty() ? "-" : names;
}

// While the level editor is open: its edit history (size and current index), the terrain's blocks
// and the level's collision boxes.
std::string EditorFields()
{
    if (!CLevelEditor::GetInstance().IsActive())
        return "";
    const CLevelEditorMessageSystem& history = CLevelEditorMessageSystem::GetInstance();
    const CTerrain* terrain = CLevelManager::GetInstance().GetTerrain();
    std::ostringstream fields;
    fields << " edits=" << history.GetHistorySize() << "@" << history.GetCurrentIndex()
           << " blocks=" << (terrain ? terrain->GetBlockCount() : 0)
           << " boxes=" << CEntityFactory::GetInstance().FindByType(COLLISIONBOX).size();
    return fields.str();
}

// " entity=x,y,z" for the named entity, " entity=none" while it does not exist.
std::string DescribeEntity(const std::string& name)
{
    const CEntity* entity = CEntityFactory::GetInstance().GetEntityByName(name);
    if (!entity)
        return " entity=none";
    std::ostringstream text;
    const CVector3D& at = entity->GetPosition();
    text << " entity=" << at.x << ',' << at.y << ',' << at.z;
    return text.str();
}

} // namespace

CPlayerProbe::CPlayerProbe(const std::string& path, std::string entityName)
    : m_File(path, std::ios::app), m_EntityName(std::move(entityName))
{
}

std::string CPlayerProbe::Describe(uint64_t frame, const std::string& entityName)
{
    const std::string entity = entityName.empty() ? std::string() : DescribeEntity(entityName);
    std::ostringstream line;
    const Vesk::IGameState* top = Vesk::CGameManager::GetInstance().GetCurrentState();
    line << "frame=" << frame << " state=" << (top ? top->GetName() : "-") << EditorFields();
    auto* player = dynamic_cast<CCharacter*>(CEntityFactory::GetInstance().GetEntityByName("player"));
    if (!player) {
        line << " player=none" << entity;
        return line.str();
    }
    const CVector3D& at = player->GetPosition();
    const CMove* move = player->GetMoveQueue().GetFront();
    line << " level=" << CLevelManager::GetInstance().GetLevelName() << " x=" << at.x << " y=" << at.y << " z=" << at.z
         << " health=" << player->m_Health << " life=" << player->m_LifeState
         << " move=" << (move ? move->GetName() : "-");
    if (const auto* controller = dynamic_cast<const CPlayerController*>(player->GetController())) {
        line << " anim=" << AnimStateName(controller->GetAnimState())
             << " history=" << controller->GetComboHistory().size() << " charge=" << controller->GetChargeLevel()
             << " skills=" << controller->GetCollectedSkills() << " deaths=" << controller->GetDeathCount();
    }
    const CGameMaster& master = CGameMaster::GetInstance();
    const PlayerStats stats = master.GetPlayerStats(player);
    line << " score=" << master.GetScore(player) << " hits=" << stats.m_Combo << " dealt=" << stats.m_DamageDealt
         << " taken=" << stats.m_DamageTaken << " enemies=" << master.GetRemainingEnemyCount()
         << " attacks=" << PlayerAttacks(player) << entity;
    return line.str();
}

void CPlayerProbe::WriteFrame(uint64_t frame) { m_File << Describe(frame, m_EntityName) << '\n' << std::flush; }

} // namespace Game
