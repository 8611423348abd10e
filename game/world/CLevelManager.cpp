// Loading levels: the lineup entry, the level file, its terrain and its entities.
#include "game/world/CLevelManager.h"

#include "core/Log.h"
#include "debug/CDebugOutputManager.h"
#include "game/base/CSlotHash.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/terrain/CLevelWall.h"
#include "game/terrain/CTerrain.h"
#include "game/voxel/CubeHeightMap.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CLevelLineup.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace Game {

namespace {

constexpr unsigned kSlabWidth = 100;
constexpr unsigned kSlabDepth = 50;
constexpr unsigned kSlabHeight = 1;

} // namespace

CLevelManager::CLevelManager() : m_Document(std::make_unique<Vesk::CXmlDocument>()) {}

CLevelManager::~CLevelManager() = default;

bool CLevelManager::Init()
{
    std::error_code error;
    m_WorkingDirectory = std::filesystem::current_path(error).string();
    m_LevelsDirectory = m_WorkingDirectory + "/" + CLevelLineup::kLevelsDirectory;
    CLevelLineup& lineup = CLevelLineup::GetInstance();
    lineup.Init();
    SetLevelFileName(lineup.GetCurrentLevelPath());
    return true;
}

void CLevelManager::Shutdown()
{
    UnloadLevel();
    SetLevelFileName("");
}

void CLevelManager::DebugLine(const std::string& text)
{
    Vesk::CDebugOutputManager::GetInstance().AddLine(text);
    Vesk::LogLine("CLevelManager: " + text);
}

void CLevelManager::SetLevelName(const std::string& name)
{
    m_LevelName = name;
    // In this one level the shadow light stands in front of the camera.
    SetCubeLightOffsetZ(name == "emeraldroom" ? -10.0f : kDefaultCubeLightOffsetZ);
}

bool CLevelManager::LoadLevel(const std::string& path)
{
    if (path.empty()) {
        LoadTerrain("");
        SetLevelName("");
        return true;
    }
    auto document = std::make_unique<Vesk::CXmlDocument>();
    if (!document->Load(path)) {
        Vesk::CDebugOutputManager::GetInstance().ShowNotice("CLevelManager: Failed to load level file " + path);
        return false;
    }
    m_Document = std::move(document);
    const Vesk::CXmlElement root = m_Document->GetRoot();

    const Vesk::CXmlElement properties = root.FirstChildElement("properties");
    if (properties != nullptr) {
        if (const char* name = properties.GetAttribute("levelname"))
            SetLevelName(name);
    }
    const Vesk::CXmlElement terrain = root.FirstChildElement("terrain");
    if (terrain != nullptr) {
        if (const char* mesh = terrain.GetAttribute("meshname"))
            LoadTerrain(mesh);
    }

    for (Vesk::CXmlElement e = root.FirstChildElement("entity"); e != nullptr; e.NextSiblingElement("entity"))
        CreateFromElement(e, true);
    // Trigger modifiers find the triggers they change by name, so they read their elements once
    // every other entity of the level exists.
    std::vector<std::pair<Vesk::CXmlElement, EntityHandle>> modifiers;
    for (Vesk::CXmlElement e = root.FirstChildElement("spatial"); e != nullptr; e.NextSiblingElement("spatial")) {
        const char* type = e.GetAttribute("type");
        const bool modifier = type && CSlotHash::GetInstance().HasName(type, SLOT_ENTITY_TYPE) &&
                              CSlotHash::GetInstance().ValueOf(type, SLOT_ENTITY_TYPE) == TRIGGERMODIFIER_TRIGGER;
        CEntity* entity = CreateFromElement(e, !modifier);
        if (modifier && entity)
            modifiers.emplace_back(e, EntityHandle(entity));
    }
    for (auto& pair : modifiers) {
        if (CEntity* entity = pair.second.Get())
            entity->Load(pair.first);
    }
    return true;
}

CEntity* CLevelManager::CreateFromElement(Vesk::CXmlElement element, bool load)
{
    const char* type = element.GetAttribute("type");
    const char* name = element.GetAttribute("name");
    const std::string label = name ? std::string(name) : std::string("(no name)");
    if (!type || !CSlotHash::GetInstance().HasName(type, SLOT_ENTITY_TYPE)) {
        DebugLine("skipped \"" + label + "\": unknown entity type \"" + (type ? type : "") + "\"");
        return nullptr;
    }
    CEntity* entity =
        CEntityFactory::GetInstance().CreateUninitialised(CSlotHash::GetInstance().ValueOf(type, SLOT_ENTITY_TYPE));
    if (!entity) {
        DebugLine("skipped \"" + label + "\": no entity of type \"" + type + "\" could be made");
        return nullptr;
    }
    if (load)
        entity->Load(element);
    return entity;
}

void CLevelManager::LoadTerrain(const std::string& meshName)
{
    // The old wall goes with the old terrain, so that a reload never leaves two boundaries.
    m_Wall.reset();
    m_Terrain.reset();
    if (meshName.empty()) {
        m_Terrain = std::make_unique<CTerrain>(kSlabWidth, kSlabDepth, kSlabHeight, kBlockSize, CVector3D());
        return;
    }
    m_Terrain = std::make_unique<CTerrain>(meshName, kBlockSize);
    auto wall = std::make_unique<CLevelWall>();
    if (wall->Load(meshName + "WALL"))
        m_Wall = std::move(wall);
    LoadHeightMap(meshName + "HM.dat");
}

void CLevelManager::UnloadLevel()
{
    m_Wall.reset();
    m_Terrain.reset();
    SetLevelName("");
    m_Document = std::make_unique<Vesk::CXmlDocument>();
    m_RecentEntities.clear();
    m_NamesToDelete.clear();
}

void CLevelManager::AddRecentEntity(CEntity* entity)
{
    if (entity)
        m_RecentEntities.emplace_back(entity);
}

void CLevelManager::RemoveRecentEntity(CEntity* entity)
{
    const EntityHandle handle(entity);
    for (auto it = m_RecentEntities.begin(); it != m_RecentEntities.end(); ++it)
        if (*it == handle) {
            m_RecentEntities.erase(it);
            return;
        }
}

std::vector<CEntity*> CLevelManager::GetRecentEntities() const
{
    std::vector<CEntity*> entities;
    for (const EntityHandle& handle : m_RecentEntities)
        if (CEntity* entity = handle.Get())
            entities.push_back(entity);
    return entities;
}

} // namespace Game
