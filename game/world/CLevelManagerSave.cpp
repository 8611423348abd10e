// Saving levels for the editor: the whole level, its terrain, one entity, the recent entities.
#include "game/world/CLevelManager.h"

#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/terrain/CTerrain.h"
#include "game/world/CLevelLineup.h"

#include <algorithm>
#include <utility>

namespace Game {

namespace {

constexpr const char* kMeshesDirectory = "assets/meshes/";
constexpr const char* kEmptyMeshName = "emptymesh";

// The wave manager makes these itself each time a level plays.
bool IsWaveManagerEntity(const std::string& name)
{
    static const char* const kNames[] = {"globalwavetrigger", "masterghost", "masterboar",
                                         "masterminion",      "mastergolem", "masterskeleton"};
    return std::any_of(std::begin(kNames), std::end(kNames), [&name](const char* n) { return name == n; });
}

const char* ElementTag(const CEntity& entity) { return IsEntityElementType(entity.GetType()) ? "entity" : "spatial"; }

} // namespace

std::string CLevelManager::GetLevelPath() const
{
    return std::string(CLevelLineup::kLevelsDirectory) + m_LevelName + ".xml";
}

void CLevelManager::AppendEntity(Vesk::CXmlDocument& document, CEntity* entity)
{
    entity->Save(document.CreateElement(ElementTag(*entity), ""));
}

bool CLevelManager::WriteDocument(const std::string& caller)
{
    if (m_Document->Save(GetLevelPath()))
        return true;
    DebugLine(caller + ": could not write " + GetLevelPath());
    return false;
}

bool CLevelManager::SaveLevel(const std::string& levelName)
{
    if (levelName.empty()) {
        DebugLine("SaveLevel: a level needs a name");
        return false;
    }
    if (!m_Terrain) {
        DebugLine("SaveLevel: there is no terrain to save; load or make a level first");
        return false;
    }
    const std::string terrainName = levelName + "terrain";
    if (!m_Terrain->SaveMesh(terrainName, kMeshesDirectory + terrainName + ".vskc")) {
        DebugLine("SaveLevel: could not save the terrain " + terrainName);
        return false;
    }

    auto document = std::make_unique<Vesk::CXmlDocument>();
    document->NewRoot("Level");
    document->CreateElement("properties", "").SetAttribute("levelname", levelName);
    document->CreateElement("terrain", "").SetAttribute("meshname", terrainName);
    for (const auto& entry : CEntityFactory::GetInstance().GetLiveEntities()) {
        CEntity* entity = entry.second;
        if (entity->IsTransient() || IsWaveManagerEntity(entity->GetName()))
            continue;
        AppendEntity(*document, entity);
    }

    std::swap(m_Document, document);
    const std::string previousName = std::exchange(m_LevelName, levelName);
    if (!WriteDocument("SaveLevel")) {
        std::swap(m_Document, document);
        m_LevelName = previousName;
        return false;
    }
    m_RecentEntities.clear();
    m_NamesToDelete.clear();
    return true;
}

bool CLevelManager::SaveTerrain()
{
    if (!m_Terrain) {
        DebugLine("SaveTerrain: there is no terrain to save");
        return false;
    }
    std::string name = m_Terrain->GetMeshName();
    // The slab's model is shared by every new level: it is never overwritten.
    if (name.empty() || name == kEmptyMeshName) {
        if (m_LevelName.empty()) {
            DebugLine("SaveTerrain: Entire Level must be Saved As first!");
            return false;
        }
        name = m_LevelName + "terrain";
    }
    return m_Terrain->SaveMesh(name, kMeshesDirectory + name + ".vskc");
}

bool CLevelManager::SaveSingleEntity(CEntity* entity)
{
    if (m_LevelName.empty() || m_Document->GetRoot() == nullptr) {
        DebugLine("SaveSingleEntity: Entire Level must be Saved As first!");
        return false;
    }
    if (!entity)
        return false;
    if (entity->IsTransient()) {
        DebugLine("SaveSingleEntity: \"" + entity->GetName() + "\" exists only while the game runs");
        return false;
    }
    // Any child of "Level": the file is ordered by name, so spatials and entities interleave.
    for (Vesk::CXmlElement e = m_Document->GetRoot().FirstChildElement(); e != nullptr; ++e) {
        const char* name = e.GetAttribute("name");
        if (name && entity->GetName() == name) {
            entity->Save(e);
            return WriteDocument("SaveSingleEntity");
        }
    }
    AppendEntity(*m_Document, entity);
    return WriteDocument("SaveSingleEntity");
}

bool CLevelManager::SaveRecentEntities()
{
    if (m_LevelName.empty() || m_Document->GetRoot() == nullptr) {
        DebugLine("SaveRecentEntities: Entire Level must be Saved As first!");
        return false;
    }
    std::vector<CEntity*> pending;
    for (const EntityHandle& handle : m_RecentEntities) {
        CEntity* entity = handle.Get();
        if (entity && !entity->IsTransient() && std::find(pending.begin(), pending.end(), entity) == pending.end())
            pending.push_back(entity);
    }

    std::vector<Vesk::CXmlElement> removed;
    for (const char* tag : {"entity", "spatial"}) {
        for (Vesk::CXmlElement e = m_Document->GetRoot().FirstChildElement(tag); e != nullptr;
             e.NextSiblingElement(tag)) {
            const char* name = e.GetAttribute("name");
            if (!name)
                continue;
            // A deleted entity's element goes even when a new entity of the same name was added.
            if (std::find(m_NamesToDelete.begin(), m_NamesToDelete.end(), name) != m_NamesToDelete.end()) {
                removed.push_back(e);
                continue;
            }
            for (CEntity*& entity : pending)
                if (entity && entity->GetName() == name) {
                    entity->Save(e);
                    entity = nullptr;
                }
        }
    }
    for (Vesk::CXmlElement& e : removed)
        e.Remove();
    for (CEntity* entity : pending)
        if (entity)
            AppendEntity(*m_Document, entity);

    if (!WriteDocument("SaveRecentEntities"))
        return false;
    m_RecentEntities.clear();
    m_NamesToDelete.clear();
    return true;
}

void CLevelManager::ForgetNameToDelete(const std::string& name)
{
    const auto it = std::find(m_NamesToDelete.rbegin(), m_NamesToDelete.rend(), name);
    if (it != m_NamesToDelete.rend())
        m_NamesToDelete.erase(std::next(it).base());
}

} // namespace Game
