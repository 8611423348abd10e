#include "game/world/CWaveManager.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "game/base/CGameServices.h"
#include "game/base/IWaveHud.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/controllers/CUndeadController.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CLocationBasedSpawnerTrigger.h"
#include "game/entities/CTriggerModifierTrigger.h"
#include "game/entities/SpawnerCore.h"
#include "game/world/CLevelManager.h"

#include <algorithm>

namespace Game {

const std::array<CWaveManager::EnemyKind, 5> CWaveManager::kEnemyKinds = {{
    {"minion", "koboldminion", "masterminion"},
    {"boar", "boar", "masterboar"},
    {"skeleton", "skeleton", "masterskeleton"},
    {"ghost", "ghost", "masterghost"},
    {"golem", "golem", "mastergolem"},
}};

namespace {

const CVector3D kTemplateParking(0.0f, -1000.0f, 0.0f);

CEntityFactory& Factory() { return CEntityFactory::GetInstance(); }

} // namespace

bool CWaveManager::Init()
{
    Shutdown();
    SetWaveText(std::string(kWaveTextBlanks, ' '));
    m_FireDelay = kFireDelay;
    m_RetargetPeriod = kRetargetPeriod;
    m_OnHold = true;
    m_AllWavesSpawned = false;
    m_AllWavesCleared = false;
    m_PreviousTriggerStatus = Vesk::TRIGGER_STATE_SLEEPING;
    CreateGlobalTrigger();
    CreateTemplates();
    if (!LoadWaves(CLevelManager::GetInstance().GetLevelName()))
        return false;
    m_WavesReady = true;
    m_RetargetPeriod = kRetargetPeriod;
    m_RetargetTimer = kRetargetPeriod;
    return true;
}

void CWaveManager::Shutdown()
{
    std::vector<EntityHandle> owned(m_Templates.begin(), m_Templates.end());
    if (CTriggerModifierTrigger* global = GetGlobalTrigger()) {
        for (CEntity* spawner : global->GetSlaveEntities())
            owned.emplace_back(spawner);
        owned.push_back(m_GlobalTrigger);
    }
    for (const EntityHandle& handle : owned)
        Factory().DestroyEntity(handle.Get());
    for (EntityHandle& handle : m_Templates)
        handle.Reset();
    m_GlobalTrigger.Reset();
    m_WaveEnemyTotals.clear();
    m_Banner.Reset();
    SetWaveText(std::string());
    m_OnHold = true;
    m_WavesReady = false;
    m_Started = false;
}

void CWaveManager::CreateGlobalTrigger()
{
    // Asleep while on hold; the first release wakes it.
    GameTriggerSetting setting;
    setting.m_InitialStatus = Vesk::TRIGGER_STATE_SLEEPING;
    setting.m_ConditionPassResponse = Vesk::TRIGGER_DELAY_FIRE;
    setting.m_PostActionResponse = Vesk::TRIGGER_AFTER_FIRE_CONTINUE;
    setting.m_FireDelayTime = m_FireDelay;
    setting.m_EntityCountCondition = IGNORE_ENT;
    setting.m_AdditionalCondition = ALLSLAVESASLEEP_AND_ENEMIESDEAD;
    auto* global = dynamic_cast<CTriggerModifierTrigger*>(
        Factory().CreateGameTrigger(TRIGGERMODIFIER_TRIGGER, "globalwavetrigger", EntitySetting(), setting));
    if (!global) {
        Vesk::LogLine("CWaveManager: the global wave trigger could not be made");
        return;
    }
    global->SetTransient(true);
    global->AddToTimingManager();
    m_GlobalTrigger = EntityHandle(global);
}

void CWaveManager::CreateTemplates()
{
    for (size_t i = 0; i < kEnemyKinds.size(); ++i) {
        const EnemyKind& kind = kEnemyKinds[i];
        const EntitySetting setting =
            CGamePrefabSettings::GetInstance().GetEntitySetting(GENERIC_CHARACTER, kind.m_PrefabName);
        CEntity* entity = Factory().CreateEntity(GENERIC_CHARACTER, kind.m_TemplateName, setting);
        if (!entity) {
            Vesk::LogLine(std::string("CWaveManager: the template \"") + kind.m_TemplateName + "\" could not be made");
            continue;
        }
        entity->SetPrefabName(kind.m_PrefabName);
        entity->SetPosition(kTemplateParking);
        MakeDormantTemplate(*entity);
        if (auto* character = dynamic_cast<CCharacter*>(entity))
            character->SetDormant(true);
        entity->SetTransient(true);
        m_Templates[i] = EntityHandle(entity);
    }
}

const CEntity* CWaveManager::FindTemplate(const std::string& entryName) const
{
    for (size_t i = 0; i < kEnemyKinds.size(); ++i) {
        if (entryName == kEnemyKinds[i].m_EntryName)
            return m_Templates[i].Get();
    }
    return nullptr;
}

bool CWaveManager::LoadWaves(const std::string& levelName)
{
    const std::string path = m_WaveDirectory + "/" + levelName + ".xml";
    CTriggerModifierTrigger* global = GetGlobalTrigger();
    if (!global) {
        Vesk::LogLine("CWaveManager: no global wave trigger to load \"" + path + "\" into");
        return false;
    }
    Vesk::CXmlDocument document;
    if (!document.Load(path)) {
        Vesk::LogLine("CWaveManager: the wave file \"" + path + "\" does not load");
        return false;
    }
    Vesk::CXmlElement list = document.GetRoot();
    if (list != nullptr && list.GetName() != "WaveList")
        list = list.FirstChildElement("WaveList");
    if (!list) {
        Vesk::LogLine("CWaveManager: \"" + path + "\" has no \"WaveList\"");
        return false;
    }
    int waves = 0;
    int spawners = 0;
    for (Vesk::CXmlElement wave = list.FirstChildElement(); wave != nullptr; ++wave, ++waves) {
        int total = 0;
        int groupIndex = 0;
        for (Vesk::CXmlElement group = wave.FirstChildElement(); group != nullptr; ++group, ++groupIndex) {
            if (AddGroup(group, waves, groupIndex, total))
                ++spawners;
        }
        m_WaveEnemyTotals.push_back(total);
        global->AppendToFirstSequence(waves);
    }
    global->SetActivationLimit(waves);
    if (spawners == 0) {
        Vesk::LogLine("CWaveManager: \"" + path + "\" names no enemy to spawn");
        return false;
    }
    return true;
}

bool CWaveManager::AddGroup(Vesk::CXmlElement group, int wave, int groupIndex, int& total)
{
    const std::string spawnerName = "lspawnertrigger" + std::to_string(wave) + "_" + std::to_string(groupIndex);
    std::vector<SpawnGroupRecord> records;
    for (Vesk::CXmlElement entry = group.FirstChildElement(); entry != nullptr; ++entry) {
        const std::string entryName = entry.GetName();
        int count = 0;
        entry.GetIntAttribute("count", &count, 0);
        float interval = 0.0f;
        entry.GetFloatAttribute("interval", &interval, 0.0f);
        const CEntity* source = FindTemplate(entryName);
        if (!source) {
            Vesk::LogLine("CWaveManager: \"" + spawnerName + "\" skips \"" + entryName + "\", no enemy of that name");
            continue;
        }
        if (count < 1) {
            Vesk::LogLine("CWaveManager: \"" + spawnerName + "\" skips \"" + entryName + "\" of count " +
                          std::to_string(count));
            continue;
        }
        if (count > kMaxEntryCount) {
            Vesk::LogLine("CWaveManager: \"" + spawnerName + "\" cuts \"" + entryName + "\" down to " +
                          std::to_string(kMaxEntryCount));
            count = kMaxEntryCount;
        }
        if (!(interval >= 0.0f)) {
            Vesk::LogLine("CWaveManager: \"" + spawnerName + "\" spawns \"" + entryName + "\" without an interval");
            interval = 0.0f;
        }
        records.emplace_back(source, count, interval);
        total += count;
    }
    if (records.empty())
        return false;

    GameTriggerSetting setting;
    setting.m_InitialStatus = Vesk::TRIGGER_STATE_SLEEPING;
    setting.m_PostActionResponse = Vesk::TRIGGER_AFTER_FIRE_CONTINUE;
    setting.m_EntityCountCondition = IGNORE_ENT;
    auto* spawner = dynamic_cast<CLocationBasedSpawnerTrigger*>(
        Factory().CreateGameTrigger(LOCATIONBASED_SPAWNER_TRIGGER, spawnerName, EntitySetting(), setting));
    if (!spawner) {
        Vesk::LogLine("CWaveManager: the spawner \"" + spawnerName + "\" could not be made");
        return false;
    }
    spawner->SetTransient(true);
    for (const SpawnGroupRecord& record : records)
        spawner->AddSpawnGroup(record);
    if (CTriggerModifierTrigger* global = GetGlobalTrigger())
        global->AddSlaveEntity(spawner, wave);
    return true;
}

void CWaveManager::Update(float dt)
{
    if (m_AllWavesCleared)
        return;
    if (m_AllWavesSpawned && CGameServices::GetInstance().AllEnemiesDefeated()) {
        m_AllWavesCleared = true;
        SetWaveText(std::string());
        return;
    }
    if (m_OnHold)
        return;
    m_RetargetTimer += dt;
    if (m_RetargetTimer > m_RetargetPeriod) {
        Retarget();
        m_RetargetTimer = 0.0f;
    }
    const CTriggerModifierTrigger* global = GetGlobalTrigger();
    const int status = global ? global->GetState() : static_cast<int>(Vesk::TRIGGER_STATE_SLEEPING);
    if (status == Vesk::TRIGGER_STATE_SLEEPING)
        m_AllWavesSpawned = true;
    m_Banner.Update(dt);
    if (status == Vesk::TRIGGER_STATE_WAITING_FIRE && m_PreviousTriggerStatus != Vesk::TRIGGER_STATE_WAITING_FIRE)
        m_Banner.Show("WAVE " + std::to_string(GetWaveNumber()) + " COMMENCING", m_RetargetPeriod);
    m_PreviousTriggerStatus = status;
}

void CWaveManager::Retarget()
{
    auto* player = dynamic_cast<CCharacter*>(Factory().GetEntityByName("player"));
    if (!player)
        return;
    for (const auto& entry : Factory().GetLiveEntities()) {
        auto* character = dynamic_cast<CCharacter*>(entry.second);
        if (!character || entry.first == "player" || character->IsDormant())
            continue;
        CCharacterController* controller = character->GetCharacterController();
        if (const auto* undead = dynamic_cast<const CUndeadController*>(controller); undead && undead->IsFakeDead())
            continue;
        const CVector3D toPlayer = player->GetPosition() - character->GetPosition();
        if (toPlayer.Length() > 0.0f)
            character->SetDirection(toPlayer.GetNormalized());
        if (controller)
            controller->SetTarget(player);
    }
}

void CWaveManager::SetOnHold(bool onHold)
{
    m_OnHold = onHold;
    if (onHold || !m_WavesReady || m_Started)
        return;
    m_Started = true;
    if (CTriggerModifierTrigger* global = GetGlobalTrigger())
        global->SetState(Vesk::TRIGGER_STATE_AWAKE);
}

void CWaveManager::SetHud(IWaveHud* hud)
{
    m_pHud = hud;
    m_Banner.SetHud(hud);
}

void CWaveManager::SetHudHidden(bool hidden) { m_Banner.SetHidden(hidden); }

void CWaveManager::SetWaveText(const std::string& text)
{
    if (m_pHud)
        m_pHud->SetWaveText(text);
}

CTriggerModifierTrigger* CWaveManager::GetGlobalTrigger() const
{
    return m_GlobalTrigger.GetAs<CTriggerModifierTrigger>();
}

int CWaveManager::CurrentWaveIndex() const
{
    const CTriggerModifierTrigger* global = GetGlobalTrigger();
    if (!global || m_WaveEnemyTotals.empty())
        return -1;
    const int started = std::min(global->GetSequence().m_ActivationIndex, static_cast<int>(m_WaveEnemyTotals.size()));
    return started - 1;
}

int CWaveManager::GetWaveNumber() const
{
    const CTriggerModifierTrigger* global = GetGlobalTrigger();
    return global ? global->GetSequence().m_ActivationIndex + 1 : 1;
}

int CWaveManager::GetWaveEnemyTotal() const
{
    const int wave = CurrentWaveIndex();
    return wave < 0 ? 0 : m_WaveEnemyTotals[static_cast<size_t>(wave)];
}

int CWaveManager::GetRemainingEnemies() const
{
    const int wave = CurrentWaveIndex();
    if (wave < 0)
        return 0;
    bool registered = false;
    int remaining = 0;
    for (const auto& slave : GetGlobalTrigger()->GetSlaveEntries()) {
        const auto* spawner = dynamic_cast<const CLocationBasedSpawnerTrigger*>(slave.second);
        if (slave.first != wave || !spawner)
            continue;
        registered = true;
        remaining += spawner->GetRemainingSpawnCount();
    }
    return registered ? remaining + CGameServices::GetInstance().GetRemainingEnemyCount() : 0;
}

} // namespace Game
