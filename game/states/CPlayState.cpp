// The play state's lifecycle: what Enter brings up, what Update drives each frame and what Exit
// shuts down, each in its fixed order, and the label setters.
#include "game/states/CPlayState.h"

#include "core/Log.h"
#include "debug/CDebugOutputManager.h"
#include "frame/CGameManager.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntityFactory.h"
#include "game/fx/CParticleManager.h"
#include "game/fx/CSprite3DManager.h"
#include "game/fx/SceneLights.h"
#include "game/gui/CGUIListener.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CSpriteText.h"
#include "game/gui/CWaveHud.h"
#include "game/skills/CGlobalSkillList.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "game/world/CWaveManager.h"
#include "game/world/GameLifetime.h"
#include "physics/CPhysicsSystem.h"
#include "render/CCameraManager.h"
#include "scene/CSceneGraph.h"
#include "ui2d/CDisplayObject2D.h"
#include "window/CWindowSystem.h"

#include <sstream>

namespace Game {

std::list<CPlayState::FlyingText> CPlayState::s_FlyingTexts;
float CPlayState::s_SkyAngle = 0.0f;

namespace {

const char* const kLevelsDirectory = "assets/levels/";
const char* const kLevelFiles[] = {"arena2.xml", "emeraldroom.xml", "purpleroom.xml"};
const CVector3D kGravity(0.0f, -200.0f, 0.0f);
const CVector3D kLightPosition(0.0f, 150.0f, -100.0f);
constexpr float kSkyDegreesPerSecond = 5.0f;
constexpr unsigned kVoxelCountLine = 25;
constexpr unsigned kTerrainVoxelCountLine = 26;

const char* const kFont = "GameFontWhite";
constexpr float kRowScale = 0.6f;
constexpr float kFinalRowScale = 0.8f;
constexpr float kWaveTextScale = 0.8f;
// The points texts of the rows damage taken, deaths and max combo.
const char* const kPointsFonts[] = {"GameFontRed", "GameFontRed", "GameFontGreen"};

std::string VoxelCountLine(const char* title, const CubeInstanceBuffer& buffer)
{
    const float percent = buffer.capacity > 0 ? float(buffer.count) / float(buffer.capacity) * 100.0f : 0.0f;
    std::ostringstream line;
    line << title << buffer.count << " / " << buffer.capacity << " | " << percent << "%";
    return line.str();
}

std::unique_ptr<CSpriteText> MakeText(const char* font, float scale, int alignment)
{
    auto text = std::make_unique<CSpriteText>(scale, font);
    text->SetAlignment(alignment);
    text->SetVisible(false);
    return text;
}

template <typename T>
void SetLabel(CSpriteText* text, const std::string& prefix, const T& body, const std::string& suffix)
{
    if (!text)
        return;
    std::ostringstream line;
    line << prefix << body << suffix;
    text->SetText(line.str());
}

} // namespace

CPlayState::CPlayState(std::string name, int level) : IGameState(std::move(name)), m_Level(level) {}

CPlayState::~CPlayState() = default;

std::string CPlayState::LevelFileFor(int level)
{
    if (level < 1 || level > 3)
        return {};
    return kLevelFiles[level - 1];
}

std::string CPlayState::GetLevelPath() const
{
    const CLevelManager& levels = CLevelManager::GetInstance();
    if (levels.IsNewLevel())
        return {};
    if (!levels.GetLevelFileName().empty())
        return levels.GetLevelFileName();
    const std::string file = LevelFileFor(m_Level);
    return file.empty() ? std::string() : kLevelsDirectory + file;
}

void CPlayState::Init() { CGameMaster::GetInstance().LoadSoundList("assets/soundList.xml"); }

void CPlayState::Cleanup() { CGameMaster::GetInstance().Shutdown(); }

void CPlayState::Enter()
{
    EnsureSceneLight();
    PlaceSceneLight(kLightPosition);
    Vesk::CPhysicsSystem::GetInstance().SetGravity(kGravity);
    m_Timer = 0.0f;

    CGuiManager& gui = CGuiManager::GetInstance();
    gui.LoadGui(m_ScreenElements, m_ScreenLayers, "assets/scripts/gui/gamehud.xml");
    for (Vesk::CDisplayObject2D* element : m_ScreenElements)
        element->SetVisible(false);
    // The waves' banner and text show on this screen.
    m_pWaveHud = std::make_unique<CWaveHud>();
    CWaveManager::GetInstance().SetHud(m_pWaveHud.get());

    const std::string path = GetLevelPath();
    if (path.empty() && !CLevelManager::GetInstance().IsNewLevel())
        Vesk::LogLine("CPlayState: no level file for level " + std::to_string(m_Level) + "; the level is empty");
    GameSessionTable(SessionKind::Play, path).Start();
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("sidescrolling", true);

    m_pWaveText = MakeText(kFont, kWaveTextScale, CSpriteText::AlignLeft);
    m_pWaveText->SetVisible(true);
    BuildSubStates();
    CGameMaster::GetInstance().PlayMusic("stagebgm", 0.2f);
    m_pListener = std::make_unique<CGUIListener>(m_Name);
    Vesk::CWindowSystem::GetInstance().ShowCursor(false);
    CControllerManager::GetInstance().CreateSharedControllers();
    m_Sky.Create("CPlayState");
    CreateScoreTexts();
    m_ScorePhase = 0;
    m_BannerScaleY = 0.0f;
    m_IntroPhase = 0;
    CGameMaster::GetInstance().StartLevel();
    // The sub-state machine enters "start" before the first frame is drawn.
    Update(0.0f);
    gui.SetCursorHidden(true);
}

void CPlayState::Exit()
{
    GameSessionTable(SessionKind::Play, std::string()).Stop();
    CGuiManager::GetInstance().DestroyElements(m_ScreenElements, m_ScreenLayers);
    m_pWaveElement = nullptr;
    CWaveManager::GetInstance().SetHud(nullptr);
    m_pWaveHud.reset();
    // The sprites took their nodes off the scene before the scene graph deletes the tree.
    Vesk::CSceneGraph::GetInstance().Shutdown();
    m_Sky.Forget();
    CGameMaster::GetInstance().ResetPlayerStats();
    m_pListener.reset();
    m_pSubStates.reset();
    Vesk::CWindowSystem::GetInstance().ShowCursor(true);
    DestroyTexts();
    s_FlyingTexts.clear();
}

void CPlayState::Pause() {}

void CPlayState::Resume()
{
    CGuiManager::GetInstance().SetCursorHidden(true);
    // Keys pressed while another state was on top do not count here.
    if (m_pListener)
        m_pListener->ClearKeys();
}

// The play step, in the order written atop CPlayState.h.
void CPlayState::Update(float dt)
{
    CAttackPool::GetInstance().Update(dt);
    CGameMaster::GetInstance().Update(dt);
    CControllerManager::GetInstance().Update(dt);
    CEntityFactory& factory = CEntityFactory::GetInstance();
    factory.UpdateAll(dt);
    CParticleManager::GetInstance().Update(dt);
    CSprite3DManager::GetInstance().Update(dt);
    factory.ProcessPendingDestroys();
    CGuiManager& gui = CGuiManager::GetInstance();
    gui.UpdateCursor();
    gui.SetCursorHidden(true);
    CWaveManager::GetInstance().Update(dt);
    UpdateWaveText();
    UpdateFlyingTexts(dt);
    if (m_pSubStates)
        m_pSubStates->Update(dt);
    UpdateSky(dt);
    if (Vesk::CGameManager::GetInstance().TopIsLevelEditor())
        if (const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera())
            PlaceSceneLight(camera->GetEye());
    UpdateDebugLines();
}

void CPlayState::CreateScoreTexts()
{
    for (int row = 0; row < kScoreRows; ++row) {
        const float scale = row == RowFinal ? kFinalRowScale : kRowScale;
        m_ValueTexts[row] = MakeText(kFont, scale, CSpriteText::AlignRight);
        m_LabelTexts[row] = MakeText(kFont, scale, CSpriteText::AlignRight);
    }
    for (size_t i = 0; i < m_PointsTexts.size(); ++i)
        m_PointsTexts[i] = MakeText(kPointsFonts[i], kRowScale, CSpriteText::AlignLeft);
}

void CPlayState::DestroyTexts()
{
    for (auto& text : m_ValueTexts)
        text.reset();
    for (auto& text : m_LabelTexts)
        text.reset();
    for (auto& text : m_PointsTexts)
        text.reset();
    m_pWaveText.reset();
}

void CPlayState::UpdateWaveText()
{
    if (!m_pWaveText || !m_pWaveElement)
        return;
    const Vesk::CPoint2D at = m_pWaveElement->GetPosition();
    m_pWaveText->SetPosition(at.x, at.y - 0.01f);
    CWaveManager& waves = CWaveManager::GetInstance();
    SetLabelNumber(m_pWaveText.get(), waves.GetWaveNumber() - 1, "", "");
    if (waves.AreAllWavesCleared())
        m_pWaveText->SetVisible(false);
}

void CPlayState::UpdateFlyingTexts(float dt)
{
    for (const FlyingText& flying : s_FlyingTexts)
        if (flying.text)
            flying.text->SetPosition(flying.text->GetX() + flying.speedX * dt,
                                     flying.text->GetY() + flying.speedY * dt);
}

void CPlayState::UpdateSky(float dt)
{
    s_SkyAngle += kSkyDegreesPerSecond * dt;
    if (const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera())
        m_Sky.Follow(camera->GetEye(), s_SkyAngle);
}

void CPlayState::UpdateDebugLines() const
{
    Vesk::CDebugOutputManager& debug = Vesk::CDebugOutputManager::GetInstance();
    debug.SetLine(VoxelCountLine("Voxel Count : ", GetModelCubeInstances()), kVoxelCountLine);
    debug.SetLine(VoxelCountLine("Terrain Voxel Count : ", GetTerrainCubeInstances()), kTerrainVoxelCountLine);
}

std::string CPlayState::GetSubStateName() const
{
    return m_pSubStates ? m_pSubStates->GetCurrentStateName() : std::string();
}

CSpriteText* CPlayState::GetValueText(int row) const
{
    return row >= 0 && row < kScoreRows ? m_ValueTexts[row].get() : nullptr;
}

CSpriteText* CPlayState::GetLabelText(int row) const
{
    return row >= 0 && row < kScoreRows ? m_LabelTexts[row].get() : nullptr;
}

CSpriteText* CPlayState::GetPointsText(int row) const
{
    return row >= RowDamage && row <= RowCombo ? m_PointsTexts[row - RowDamage].get() : nullptr;
}

void CPlayState::SetLabelNumber(CSpriteText* text, int value, const std::string& prefix, const std::string& suffix)
{
    SetLabel(text, prefix, value, suffix);
}

void CPlayState::SetLabelCString(CSpriteText* text, const char* body, const std::string& prefix,
                                 const std::string& suffix)
{
    SetLabel(text, prefix, body ? body : "", suffix);
}

void CPlayState::SetLabelText(CSpriteText* text, const std::string& body, const std::string& prefix,
                              const std::string& suffix)
{
    SetLabel(text, prefix, body, suffix);
}

void CPlayState::SetLabelFloat(CSpriteText* text, float value, const std::string& prefix, const std::string& suffix)
{
    SetLabel(text, prefix, value, suffix);
}

} // namespace Game
