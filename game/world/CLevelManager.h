// CLevelManager: loads a level file into the live world - its terrain, boundary wall, height map,
// entities and triggers - and writes levels back for the level editor (the whole level, one
// entity, or the entities added and removed since the last save). Owns the level's terrain and
// wall and the XML document of the level last loaded or saved; the entities belong to the entity
// factory, so the recent-entity list holds checked handles. Level files live under
// "assets/levels/"; every save goes through a temporary file and reports its real outcome.
#pragma once

#include "core/CSingleton.h"
#include "core/CXmlDocument.h"
#include "game/entities/EntityHandle.h"

#include <memory>
#include <string>
#include <vector>

namespace Game {

class CEntity;
class CLevelWall;
class CTerrain;

class CLevelManager : public Vesk::CSingleton<CLevelManager> {
public:
    static constexpr float kBlockSize = 4.0f;

    CLevelManager();
    ~CLevelManager() override;

    // Notes the working directory, reads the lineup and takes its current entry as the level
    // file the next play loads.
    bool Init() override;
    // Unloads the level and forgets the next level file.
    void Shutdown() override;

    // Loads a level file: its name, its terrain, then every "entity" element and every "spatial"
    // element in document order, trigger modifiers last so that the triggers they name exist.
    // An empty path gives the empty slab and an empty level name. A file that does not load
    // leaves everything as it was (false, with a notice on screen and in the log); elements of
    // unknown types are skipped with a log line.
    bool LoadLevel(const std::string& path);
    bool LoadCurrentLevel() { return LoadLevel(m_LevelFileName); }
    // Replaces terrain and wall: the terrain model of that name with its wall ("WALL" appended)
    // and height map ("HM.dat" appended), or for an empty name the 100 x 50 x 1 slab alone.
    void LoadTerrain(const std::string& meshName);
    // Destroys the terrain and the wall and forgets the level's name, document and unsaved edit
    // lists, so that no later save writes into this level's file; entities are not touched, nor
    // the next level file. Safe when none is loaded.
    void UnloadLevel();

    // The editor's Save As: the terrain model, then the level file with every live entity that
    // is neither transient nor one of the wave manager's own. Refused (false, with a line) when
    // there is no terrain; on failure the previous level name and document stay.
    bool SaveLevel(const std::string& levelName);
    // Saves the terrain model under its own name, or under the level name + "terrain" when it
    // has none yet or is the shared empty model.
    bool SaveTerrain();
    // Rewrites the entity's element of the current level file (any child of "Level" with its
    // name) or appends one. Needs a level saved or loaded under a name first.
    bool SaveSingleEntity(CEntity* entity);
    // Writes the recent entities into their elements (or new ones) and drops the elements named
    // for deletion. Destroyed entities have left the list. The lists empty when the file is saved.
    bool SaveRecentEntities();

    void AddRecentEntity(CEntity* entity);
    // Removes the first entry of the entity; nothing when it is absent.
    void RemoveRecentEntity(CEntity* entity);
    // The entities of the list that still live, in list order.
    std::vector<CEntity*> GetRecentEntities() const;
    // The element with this name goes at the next SaveRecentEntities.
    void AddNameToDelete(const std::string& name) { m_NamesToDelete.push_back(name); }
    // Takes back the last AddNameToDelete of the name (an undone deletion).
    void ForgetNameToDelete(const std::string& name);

    // The level file the next play or sandbox state loads ("levelfile", the editor's New, Load
    // and Reset set it).
    void SetLevelFileName(const std::string& path)
    {
        m_LevelFileName = path;
        m_NewLevel = false;
    }
    const std::string& GetLevelFileName() const { return m_LevelFileName; }
    // The editor's New: the next play starts the empty level (the empty slab, no entities) in
    // place of a numbered one, until a level file is set again.
    void SetNewLevel()
    {
        m_LevelFileName.clear();
        m_NewLevel = true;
    }
    bool IsNewLevel() const { return m_NewLevel; }
    // The "levelname" of the loaded level; empty while none is loaded.
    std::string GetLevelName() const { return m_LevelName; }
    // Also hands the level's light rule down to the cube renderer.
    void SetLevelName(const std::string& name);
    const std::string& GetWorkingDirectory() const { return m_WorkingDirectory; }
    const std::string& GetLevelsDirectory() const { return m_LevelsDirectory; }
    // The level file the current level name saves to.
    std::string GetLevelPath() const;

    CTerrain* GetTerrain() const { return m_Terrain.get(); }
    CLevelWall* GetWall() const { return m_Wall.get(); }
    const Vesk::CXmlDocument& GetDocument() const { return *m_Document; }

private:
    // Creates the entity of an element and lets it read the element, or logs and skips it.
    CEntity* CreateFromElement(Vesk::CXmlElement element, bool load);
    // A new child of "Level" tagged by the entity's type, with the entity saved into it.
    void AppendEntity(Vesk::CXmlDocument& document, CEntity* entity);
    // Saves the document to the current level path; false with a debug-log line on failure.
    bool WriteDocument(const std::string& caller);
    // One line on the screen's debug log and in the engine log.
    static void DebugLine(const std::string& text);

    std::vector<EntityHandle> m_RecentEntities;
    std::vector<std::string> m_NamesToDelete;
    std::string m_WorkingDirectory;
    std::string m_LevelsDirectory;
    std::unique_ptr<Vesk::CXmlDocument> m_Document;
    std::string m_LevelName;
    std::string m_LevelFileName;
    bool m_NewLevel = false;
    std::unique_ptr<CTerrain> m_Terrain;
    std::unique_ptr<CLevelWall> m_Wall;
};

} // namespace Game
