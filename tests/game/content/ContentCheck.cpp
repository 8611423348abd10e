#include "ContentCheck.h"

#include "CodeNames.h"

#include "../fx/FxContentSupport.h"

#include "core/CXmlDocument.h"
#include "game/base/CSlotHash.h"
#include "game/cameras/CameraWaypoints.h"
#include "game/combat/AttackXml.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CPickupCatalogue.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeHeightMap.h"
#include "game/world/CLevelLineup.h"
#include "game/world/CWaveManager.h"
#include "platform/sound/Output.h"
#include "resources/CDXEffect.h"
#include "resources/CDXFont.h"
#include "resources/CDXMaterial.h"
#include "resources/CDXRenderTarget.h"
#include "resources/CDXSprite.h"
#include "resources/CDXTexture.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "resources/XFileReader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace contentcheck {

namespace {

namespace fs = std::filesystem;
using Vesk::CXmlDocument;
using Vesk::CXmlElement;

const std::string kPrefabs = "assets/prefabsettings.xml";
const std::string kAttacks = "assets/attacks.xml";
const std::string kSounds = "assets/soundList.xml";
const std::string kEffects = "assets/scripts/particles/particle_effects.xml";
const std::string kPickups = "assets/scripts/pickups/pickups.xml";
const std::string kMeshes = "assets/meshes.xml";
const std::string kMaterials = "assets/materials.xml";
const std::string kSprites = "assets/sprites.xml";
const std::string kLineup = "assets/levellineup.dat";
const std::string kScreens = "assets/scripts/gui/";
const std::string kLevels = "assets/levels/";
const std::string kWaves = "assets/scripts/wave/";

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }
bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Null-safe steps through a document that may lack what is looked for.
CXmlElement Child(const CXmlElement& element, const std::string& name)
{
    return element != nullptr ? element.FirstChildElement(name) : element;
}
CXmlElement FirstChild(const CXmlElement& element)
{
    return element != nullptr ? element.FirstChildElement() : element;
}
std::string Attribute(const CXmlElement& element, const std::string& name)
{
    const char* value = element != nullptr ? element.GetAttribute(name) : nullptr;
    return value ? value : "";
}

// The names of a comma- or space-separated list.
std::vector<std::string> SplitNames(const std::string& list)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find_first_of(", ", start), list.size());
        if (end > start)
            names.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

class Checker {
public:
    std::vector<Problem> Run()
    {
        LoadEveryFile();
        CheckDefinitions();
        CheckPrefabs();
        CheckAttacksEffectsAndPickups();
        CheckLevelsAndWaves();
        CheckScreens();
        CheckCodeNames();
        return m_Problems;
    }

private:
    void Fail(const std::string& file, const std::string& name, const std::string& what)
    {
        m_Problems.push_back({file, name, what});
    }

    // --- every file through the loader for its kind ---

    void LoadEveryFile()
    {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator("assets"))
            if (entry.is_regular_file())
                files.push_back(entry.path().generic_string());
        std::sort(files.begin(), files.end());
        m_Mixer = sound::CreateMixerOutput();
        m_CanDecode = m_Mixer->GetNumDrivers() > 0 && m_Mixer->Open(4);
        for (const std::string& file : files) {
            const std::string what = LoadFile(file);
            if (!what.empty())
                Fail(file, fs::path(file).filename().string(), what);
        }
        m_Mixer.reset();
    }

    // What is wrong with the file, or "" when its loader takes it.
    std::string LoadFile(const std::string& file)
    {
        const std::string extension = fs::path(file).extension().string();
        if (extension == ".vskc")
            return Game::CVeskCubeMesh().Load(file) ? "" : "does not load as a voxel model";
        if (EndsWith(file, "HM.dat"))
            return Game::LoadHeightMapFile(file) ? "" : "does not load as a height map";
        if (file == kLineup)
            return Game::CLevelLineup::GetInstance().ReadLineup(file) ? "" : "does not load as the level lineup";
        if (extension == ".x") {
            Vesk::XMeshData data;
            std::string error;
            return Vesk::ReadXFile(file, data, error) ? "" : "does not load as a .x mesh: " + error;
        }
        if (extension == ".fx")
            return Vesk::CResManager<Vesk::CDXEffect>::GetInstance().GetResource(file, file)
                       ? ""
                       : "does not load as an effect";
        if (extension == ".png" || extension == ".bmp")
            return Vesk::CResManager<Vesk::CDXTexture>::GetInstance().GetResource(file, file)
                       ? ""
                       : "does not load as a texture";
        if (extension == ".wav" || extension == ".ogg")
            return LoadSound(file);
        if (extension == ".xml")
            return LoadXml(file);
        return "is of a kind no loader of the game reads";
    }

    std::string LoadSound(const std::string& file)
    {
        if (m_CanDecode)
            return m_Mixer->Load(file) ? "" : "does not decode as a sound";
        std::ifstream in(file, std::ios::binary);
        char header[12] = {};
        in.read(header, sizeof header);
        return std::string(header, 4) == "RIFF" && std::string(header + 8, 4) == "WAVE" ? "" : "is not a WAV file";
    }

    std::string LoadXml(const std::string& file)
    {
        // The loaders that read a whole file, by the file they read.
        if (file == kPrefabs)
            return Game::CGamePrefabSettings::GetInstance().LoadFromXml(file) ? "" : "does not load as prefabs";
        if (file == kAttacks)
            return Game::LoadAttackDefinitions(file, m_Attacks) ? "" : "does not load as attacks";
        if (file == kPickups)
            return Game::CPickupCatalogue::GetInstance().Load(file) ? "" : "does not load as pickups";
        if (StartsWith(file, "assets/scripts/camera/")) {
            Game::CameraWaypoints waypoints;
            return Game::LoadCameraWaypoints(file, waypoints) ? "" : "does not load as camera waypoints";
        }
        // The rest are read element by element: each must parse, with the root its reader wants.
        static const std::vector<std::pair<std::function<bool(const std::string&)>, std::string>> kRoots = {
            {[](const std::string& f) { return f == kMeshes; }, "meshes"},
            {[](const std::string& f) { return f == kMaterials; }, "materials"},
            {[](const std::string& f) { return f == kSprites; }, "sprites"},
            {[](const std::string& f) { return f == "assets/fonts.xml"; }, "fonts"},
            {[](const std::string& f) { return f == "assets/rendertargets.xml"; }, "rendertargets"},
            {[](const std::string& f) { return f == "assets/systemconfig.xml"; }, "Options"},
            {[](const std::string& f) { return f == kSounds; }, "sounds"},
            {[](const std::string& f) { return f == kEffects; }, "effects"},
            {[](const std::string& f) { return StartsWith(f, kLevels); }, "Level"},
            {[](const std::string& f) { return StartsWith(f, kWaves); }, "WaveList"},
            {[](const std::string& f) { return StartsWith(f, kScreens); }, ""},
        };
        for (const auto& [matches, root] : kRoots) {
            if (!matches(file))
                continue;
            CXmlDocument& document = m_Documents[file];
            if (!document.Load(file))
                return "does not parse as XML";
            if (root.empty())
                return document.FindElement("menu") != nullptr ? "" : "has no \"menu\" element of screen items";
            return document.GetRoot().GetName() == root ? "" : "does not have the root element \"" + root + "\"";
        }
        return "is an XML file no loader of the game reads";
    }

    // The document of a file the first pass parsed; an empty one (no root) when it did not.
    const CXmlDocument& Document(const std::string& file) { return m_Documents[file]; }

    // --- resource definitions ---

    void CheckDefinitions()
    {
        Vesk::CResourceManager& resources = Vesk::CResourceManager::GetInstance();
        for (CXmlElement m = FirstChild(resources.GetMeshDefinitions().GetRoot()); m != nullptr; ++m) {
            const std::string name = m.GetName();
            m_MeshNames.insert(name);
            const std::string path = Attribute(m, "path");
            if (!fs::is_regular_file(path)) {
                Fail(kMeshes, name, "names the missing model file \"" + path + "\"");
                continue;
            }
            if (!resources.LoadMesh(name))
                Fail(kMeshes, name, "does not load through the resource manager");
            if (EndsWith(path, ".vskc")) {
                auto model = std::make_unique<Game::CVeskCubeMesh>();
                if (model->Load(path))
                    m_Models[name] = std::move(model);
            }
        }
        for (CXmlElement m = FirstChild(resources.GetMaterialDefinitions().GetRoot()); m != nullptr; ++m) {
            const std::string name = m.GetName();
            m_MaterialNames.insert(name);
            for (const char* part : {"shader", "texture"}) {
                const CXmlElement file = Child(m, part);
                if (file != nullptr && !fs::is_regular_file(Attribute(file, "path")))
                    Fail(kMaterials, name,
                         std::string("names the missing ") + part + " file \"" + Attribute(file, "path") + "\"");
            }
            if (!Vesk::CResManager<Vesk::CDXMaterial>::GetInstance().GetResource(name, name))
                Fail(kMaterials, name, "does not load");
        }
        for (CXmlElement s = FirstChild(resources.GetSpriteDefinitions().GetRoot()); s != nullptr; ++s)
            CheckSprite(s);
        for (CXmlElement f = FirstChild(resources.GetFontDefinitions().GetRoot()); f != nullptr; ++f) {
            const Vesk::CDXFont* font =
                Vesk::CResManager<Vesk::CDXFont>::GetInstance().GetResource(f.GetName(), f.GetName());
            if (!font || !font->HasFont())
                Fail("assets/fonts.xml", f.GetName(), "does not load");
        }
        for (CXmlElement t = FirstChild(resources.GetRenderTargetDefinitions().GetRoot()); t != nullptr; ++t)
            if (!Vesk::CResManager<Vesk::CDXRenderTarget>::GetInstance().GetResource(t.GetName(), t.GetName()))
                Fail("assets/rendertargets.xml", t.GetName(), "does not load");

        const CXmlElement list = Document(kSounds).GetRoot();
        for (const std::string group : {"sfx", "bgm"}) {
            for (CXmlElement sound = FirstChild(Child(list, group)); sound != nullptr; ++sound) {
                (group == "sfx" ? m_Sounds : m_Music).insert(sound.GetName());
                const std::string url = Attribute(sound, "url");
                if (!fs::is_regular_file(url))
                    Fail(kSounds, sound.GetName(), "names the missing sound file \"" + url + "\"");
            }
        }
    }

    void CheckSprite(const CXmlElement& sheet)
    {
        const std::string name = sheet.GetName();
        const std::string path = Attribute(Child(sheet, "texture"), "path");
        if (!fs::is_regular_file(path))
            Fail(kSprites, name, "names the missing image \"" + path + "\"");
        if (!Vesk::CResManager<Vesk::CDXSprite>::GetInstance().GetResource(name, name))
            Fail(kSprites, name, "does not load");
        int columns = 0, rows = 0;
        const CXmlElement grid = Child(sheet, "dimension");
        if (grid != nullptr) {
            grid.GetIntAttribute("xgrid", &columns, 0);
            grid.GetIntAttribute("ygrid", &rows, 0);
        }
        std::set<std::string>& animations = m_SpriteAnimations[name];
        for (CXmlElement a = FirstChild(sheet); a != nullptr; ++a) {
            if (a.GetName() != "animation")
                continue;
            const std::string animation = Attribute(a, "name");
            animations.insert(animation);
            int start = 0, end = 0;
            a.GetIntAttribute("start", &start, 0);
            a.GetIntAttribute("end", &end, 0);
            if (start < 1 || end < start || end > columns * rows)
                Fail(kSprites, name + " " + animation, "plays frames outside the sheet's grid");
        }
    }

    // --- names one data file gives another ---

    void RequireMesh(const std::string& file, const std::string& mesh, const std::string& user,
                     const std::vector<std::string>& clips = {}, const std::vector<std::string>& parts = {})
    {
        if (!m_MeshNames.count(mesh)) {
            Fail(file, mesh, "(the model of " + user + ") is not in " + kMeshes);
            return;
        }
        const auto model = m_Models.find(mesh);
        if (model == m_Models.end()) {
            if (!clips.empty() || !parts.empty())
                Fail(file, mesh, "(the model of " + user + ") is not a voxel model with clips and parts");
            return;
        }
        for (const std::string& clip : clips)
            if (!model->second->GetAnimations().count(clip))
                Fail(file, mesh + " " + clip, "is a clip " + user + " plays, missing from the model");
        for (const std::string& part : parts)
            if (!model->second->FindSubmesh(part))
                Fail(file, mesh + " " + part, "is a part " + user + " breaks off, missing from the model");
    }

    void RequireSound(const std::string& file, const std::string& sound, const std::string& user)
    {
        if (!sound.empty() && !m_Sounds.count(sound))
            Fail(file, sound, "(a sound of " + user + ") is not a sound effect of " + kSounds);
    }

    void CheckPrefabs()
    {
        Game::CGamePrefabSettings& prefabs = Game::CGamePrefabSettings::GetInstance();
        // Controller prefabs by controller type, as the file groups them.
        std::map<std::string, std::set<std::string>> controllerPrefabs;
        CXmlDocument document;
        if (document.Load(kPrefabs))
            for (CXmlElement g = FirstChild(document.GetRoot()); g != nullptr; ++g)
                if (g.GetName() == "ControllerSetting")
                    for (CXmlElement p = FirstChild(g); p != nullptr; ++p)
                        controllerPrefabs[Attribute(g, "mappedname")].insert(Attribute(p, "prefabname"));
        const Game::CSlotHash& slots = Game::CSlotHash::GetInstance();
        for (int category = 0; category < Game::ENTITY_TYPE_COUNT; ++category) {
            for (const std::string& name : prefabs.GetEntitySettingNames(category)) {
                const Game::EntitySetting setting = prefabs.GetEntitySetting(category, name);
                const std::string user = "prefab " + name;
                const ControllerModel* model = nullptr;
                for (const ControllerModel& m : kControllerModels)
                    if (m.controllerType == setting.m_ControllerType)
                        model = &m;
                RequireMesh(kPrefabs, setting.m_MeshName, user, model ? model->clips : std::vector<std::string>(),
                            model ? model->parts : std::vector<std::string>());
                if (setting.m_ControllerType >= 0 && setting.m_ControllerType < Game::CONTROLLER_TYPE_COUNT &&
                    !controllerPrefabs[slots.NameOf(setting.m_ControllerType, Game::SLOT_CONTROLLER_TYPE)].count(
                        setting.m_ControllerPrefabName))
                    Fail(kPrefabs, setting.m_ControllerPrefabName,
                         "(the controller prefab of " + user + ") is not a " +
                             slots.NameOf(setting.m_ControllerType, Game::SLOT_CONTROLLER_TYPE) + " controller prefab");
                for (const std::string& sound : {setting.m_SpawnSound, setting.m_HurtSound, setting.m_DeathSound})
                    RequireSound(kPrefabs, sound, user);
                if (category == Game::PICKUPITEM)
                    m_PickupMeshesWanted.emplace_back(setting.m_MeshName, user);
            }
            for (const std::string& name : prefabs.GetGameTriggerSettingNames(category))
                RequireSound(kPrefabs, prefabs.GetGameTriggerSetting(category, name).m_SoundName,
                             "trigger prefab " + name);
        }
    }

    void CheckAttacksEffectsAndPickups()
    {
        for (const auto& [name, attack] : m_Attacks) {
            if (!attack.m_Mesh.empty())
                RequireMesh(kAttacks, attack.m_Mesh, "attack " + name, {"IDLE"});
            for (const std::string& sound : {attack.m_UseSound, attack.m_HitSound, attack.m_DieSound})
                RequireSound(kAttacks, sound, "attack " + name);
        }
        for (CXmlElement effect = FirstChild(Document(kEffects).GetRoot()); effect != nullptr; ++effect) {
            m_EffectNames.insert(effect.GetName());
            const std::string material = Attribute(effect, "material");
            if (!m_MaterialNames.count(material))
                Fail(kEffects, material, "(the material of effect " + effect.GetName() + ") is not in " + kMaterials);
        }
        CXmlDocument pickups;
        if (pickups.Load(kPickups))
            for (CXmlElement pickup = FirstChild(pickups.GetRoot()); pickup != nullptr; ++pickup) {
                m_PickupNames.insert(pickup.GetName());
                const std::string effect = Attribute(pickup, "effect_name");
                if (!m_EffectNames.count(effect))
                    Fail(kPickups, effect, "(the effect of pickup " + pickup.GetName() + ") is not in " + kEffects);
            }
        for (const auto& [mesh, user] : m_PickupMeshesWanted)
            if (!m_PickupNames.count(mesh))
                Fail(kPrefabs, mesh, "(the pickup of " + user + ") has no values in " + kPickups);
    }

    void CheckLevelsAndWaves()
    {
        const Game::CGamePrefabSettings& prefabs = Game::CGamePrefabSettings::GetInstance();
        const Game::CSlotHash& slots = Game::CSlotHash::GetInstance();
        for (const std::string& level : Game::CLevelLineup::GetInstance().GetLevelPaths())
            if (!fs::is_regular_file(level))
                Fail(kLineup, level, "is a level file that is missing");
        for (const auto& [file, document] : m_Documents) {
            if (!StartsWith(file, kLevels))
                continue;
            const CXmlElement root = document.GetRoot();
            const std::string terrain = Attribute(Child(root, "terrain"), "meshname");
            if (!terrain.empty()) {
                RequireMesh(file, terrain, "the level's terrain");
                if (terrain != "emptymesh") {
                    RequireMesh(file, terrain + "WALL", "the level's wall");
                    if (!fs::is_regular_file("assets/meshes/" + terrain + "HM.dat"))
                        Fail(file, terrain + "HM.dat", "(the terrain's height map) is missing");
                }
            }
            const std::string levelName = Attribute(Child(root, "properties"), "levelname");
            if (!fs::is_regular_file(kWaves + levelName + ".xml"))
                Fail(file, levelName, "has no wave file under " + kWaves);
            std::set<std::string> names;
            for (CXmlElement e = FirstChild(root); e != nullptr; ++e)
                names.insert(Attribute(e, "name"));
            for (CXmlElement e = FirstChild(root); e != nullptr; ++e) {
                if (e.GetName() != "entity" && e.GetName() != "spatial")
                    continue;
                const std::string name = Attribute(e, "name");
                const std::string type = Attribute(e, "type");
                if (!slots.HasName(type, Game::SLOT_ENTITY_TYPE)) {
                    Fail(file, type, "(the type of " + name + ") is not an entity type");
                    continue;
                }
                const int category = slots.ValueOf(type, Game::SLOT_ENTITY_TYPE);
                if (const char* prefab = e.GetAttribute("entitysettingprefabname")) {
                    const auto known = prefabs.GetEntitySettingNames(category);
                    if (std::find(known.begin(), known.end(), prefab) == known.end())
                        Fail(file, prefab, "(the prefab of " + name + ") is not a " + type + " prefab of " + kPrefabs);
                }
                if (const char* prefab = e.GetAttribute("gametriggerprefabname")) {
                    const auto known = prefabs.GetGameTriggerSettingNames(category);
                    if (std::find(known.begin(), known.end(), prefab) == known.end())
                        Fail(file, prefab, "(the prefab of " + name + ") is not a " + type + " prefab of " + kPrefabs);
                }
                for (const auto& [key, value] : e.GetAttributes())
                    if (StartsWith(key, "triggeringentnames") || StartsWith(key, "slaveentnames") ||
                        key == "followcamtriggerparentname")
                        for (const std::string& linked : SplitNames(value))
                            if (!names.count(linked))
                                Fail(file, linked, "(linked by " + name + ") is no entity of the level");
            }
        }
        for (const auto& [file, document] : m_Documents) {
            if (!StartsWith(file, kWaves))
                continue;
            for (CXmlElement wave = FirstChild(document.GetRoot()); wave != nullptr; ++wave)
                for (CXmlElement group = FirstChild(wave); group != nullptr; ++group)
                    for (CXmlElement entry = FirstChild(group); entry != nullptr; ++entry)
                        CheckWaveEntry(file, entry.GetName());
        }
    }

    void CheckWaveEntry(const std::string& file, const std::string& entry)
    {
        for (const auto& kind : Game::CWaveManager::kEnemyKinds) {
            if (entry != kind.m_EntryName)
                continue;
            const auto known = Game::CGamePrefabSettings::GetInstance().GetEntitySettingNames(Game::GENERIC_CHARACTER);
            if (std::find(known.begin(), known.end(), kind.m_PrefabName) == known.end())
                Fail(file, kind.m_PrefabName, "(the prefab of wave entry " + entry + ") is not in " + kPrefabs);
            return;
        }
        Fail(file, entry, "is no enemy kind the waves know");
    }

    void RequireSprite(const std::string& file, const std::string& sprite, const std::string& user,
                       const std::vector<std::string>& animations)
    {
        const auto sheet = m_SpriteAnimations.find(sprite);
        if (sheet == m_SpriteAnimations.end()) {
            Fail(file, sprite, "(shown by " + user + ") is not a sprite of " + kSprites);
            return;
        }
        for (const std::string& animation : animations)
            if (!sheet->second.count(animation))
                Fail(file, sprite + " " + animation, "is an animation " + user + " plays, missing from " + kSprites);
    }

    void CheckScreens()
    {
        for (const auto& [file, document] : m_Documents) {
            if (!StartsWith(file, kScreens))
                continue;
            std::set<std::string>& elements = m_ScreenElements[file.substr(kScreens.size())];
            for (CXmlElement item = FirstChild(document.FindElement("menu"));
                 item != nullptr && item.GetName() != "breaker"; ++item) {
                const std::string name = Attribute(item, "name");
                elements.insert(name);
                if (item.GetName() == "button")
                    RequireSprite(file, name, "the screen's button", {"idle", "mouseover", "mouseclick"});
                else
                    RequireSprite(file, name, "the screen", {});
            }
        }
    }

    // --- the code's names ---

    void CheckCodeNames()
    {
        const std::string code = "the code";
        for (const CodeMesh& mesh : kCodeMeshes)
            RequireMesh(kMeshes, mesh.mesh, code, mesh.clips);
        for (const fxtest::ModelExpectation& model : fxtest::kEffectModels)
            RequireMesh(kMeshes, model.name, code, model.clips);
        for (const CodeSprite& sprite : kCodeSprites)
            RequireSprite(kSprites, sprite.sprite, code, sprite.animations);
        std::vector<std::string> printable;
        for (char c = ' '; c <= '~'; ++c)
            printable.emplace_back(1, c);
        for (const std::string& font : kCodeFonts)
            RequireSprite(kSprites, font, "the code's text", printable);
        for (const CodeElement& element : kCodeElements) {
            const auto screen = m_ScreenElements.find(element.screen);
            if (screen == m_ScreenElements.end() || !screen->second.count(element.element))
                Fail(kScreens + element.screen, element.element,
                     "is an element the code finds, missing from the screen");
            else
                RequireSprite(kScreens + element.screen, element.element, code, element.animations);
        }
        for (const std::string& screen : kCodeScreens)
            if (!m_Documents.count(kScreens + screen))
                Fail(kScreens + screen, screen, "is a screen file the code loads, missing");
        for (const std::string& level : kCodeLevels)
            if (!m_Documents.count(kLevels + level))
                Fail(kLevels + level, level, "is a level file the play state loads, missing");
        for (const std::string& sound : kCodeSounds)
            RequireSound(kSounds, sound, code);
        for (const std::string& track : kCodeMusic)
            if (!m_Music.count(track))
                Fail(kSounds, track, "is music the code plays, not a track of the list");
        for (const std::string& attack : kCodeAttacks)
            if (!m_Attacks.count(attack))
                Fail(kAttacks, attack, "is an attack the code spawns, missing from the file");
        for (const std::string& effect : kCodeEffects)
            if (!m_EffectNames.count(effect))
                Fail(kEffects, effect, "is an effect the code makes, missing from the file");
        const Game::CSlotHash& slots = Game::CSlotHash::GetInstance();
        for (const CodePrefab& prefab : kCodePrefabs) {
            const auto known = Game::CGamePrefabSettings::GetInstance().GetEntitySettingNames(prefab.category);
            if (std::find(known.begin(), known.end(), prefab.prefab) == known.end())
                Fail(kPrefabs, prefab.prefab,
                     "is a " + slots.NameOf(prefab.category, Game::SLOT_ENTITY_TYPE) +
                         " prefab the code creates, missing from the file");
        }
    }

    std::vector<Problem> m_Problems;
    std::unique_ptr<sound::Output> m_Mixer;
    bool m_CanDecode = false;
    std::map<std::string, CXmlDocument> m_Documents; // the XML files read element by element
    Game::AttackDefinitions m_Attacks;
    std::set<std::string> m_MeshNames, m_MaterialNames, m_Sounds, m_Music, m_EffectNames, m_PickupNames;
    std::map<std::string, std::unique_ptr<Game::CVeskCubeMesh>> m_Models;
    std::map<std::string, std::set<std::string>> m_SpriteAnimations;
    std::map<std::string, std::set<std::string>> m_ScreenElements; // by screen file name
    std::vector<std::pair<std::string, std::string>> m_PickupMeshesWanted;
};

} // namespace

std::vector<Problem> CheckContent() { return Checker().Run(); }

} // namespace contentcheck
