#include "game/states/CMenuState.h"

#include "audio/CAudioSystem.h"
#include "frame/CGameManager.h"
#include "game/cameras/CMenuCamera.h"
#include "game/controllers/CControllerManager.h"
#include "game/fx/CSprite3D.h"
#include "game/fx/CSprite3DManager.h"
#include "game/fx/SceneLights.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CHighscoreRecord.h"
#include "game/states/CPlayState.h"
#include "game/states/CTransitStates.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "input/CInputManager.h"
#include "math/Matrix4.h"
#include "math/Quaternion.h"
#include "platform/pad/Pad.h"
#include "render/CCameraManager.h"
#include "scene/CSceneGraph.h"
#include "ui2d/CDisplayObject2D.h"

#include <cmath>

namespace Game {

float CMenuState::s_SkyAngle = 0.0f;
bool CMenuState::s_TitleSoundPlayed = false;
Vesk::CSoundChannel CMenuState::s_TitleChannel;

namespace {

const CVector3D kTitleEye(-184.0f, 22.0f, 11.0f), kTitleLookAt(0.0f, 50.0f, 0.0f);
const CVector3D kLevelEye(-332.0f, 148.0f, -292.0f), kLevelLookAt(39.0f, 9.0f, -124.0f);
const CVector3D kSceneLight(0.0f, 100.0f, 0.0f);

// The pad buttons that leave the title page.
const uint32_t kTitlePadButtons[] = {
    pad::VK_PAD_A,         pad::VK_PAD_B,         pad::VK_PAD_X,        pad::VK_PAD_Y,        pad::VK_PAD_BACK,
    pad::VK_PAD_LSHOULDER, pad::VK_PAD_RSHOULDER, pad::VK_PAD_LTRIGGER, pad::VK_PAD_RTRIGGER, pad::VK_PAD_START};

void SetScaledTranslation(CSprite3D* sprite, const CVector3D& at, float scale)
{
    if (!sprite)
        return;
    CMatrix4 matrix;
    matrix.m[0] = matrix.m[5] = matrix.m[10] = scale;
    matrix.m[3] = at.x;
    matrix.m[7] = at.y;
    matrix.m[11] = at.z;
    sprite->SetMatrix(matrix.m);
}

// The end of the level flight: a transition into the play state of that level, which loads the
// level by its number.
void StartLevelAfterFlight(int level)
{
    CLevelManager::GetInstance().SetLevelFileName("");
    Vesk::CGameManager::GetInstance().PushState(
        new CTransitInState(new CPlayState("CPlayState", level), "TransitInState"));
}

// The end of the title flight: the menu on top shows its buttons.
void ShowMenuAfterFlight()
{
    Vesk::IGameState* top = Vesk::CGameManager::GetInstance().GetCurrentState();
    if (!top || top->GetName() != "MenuState")
        return;
    if (auto* menu = dynamic_cast<CMenuState*>(top)) {
        menu->ShowMenu();
        menu->ResetButtonMouse();
    }
}

} // namespace

CMenuState::CMenuState(const std::string& name, int startLevel)
    : CGuiScreenState(name, "menu", ScreenControls::Menu(), 0), m_StartLevel(startLevel)
{
}

CMenuState::~CMenuState() = default;

CMenuCamera* CMenuState::Camera()
{
    return dynamic_cast<CMenuCamera*>(Vesk::CCameraManager::GetInstance().GetCamera("menucamera"));
}

void CMenuState::Init()
{
    CHighscoreRecord::GetInstance().Init();
    CGameMaster::GetInstance().LoadSoundList("assets/soundList.xml");
    CGuiManager& gui = CGuiManager::GetInstance();
    gui.Init();
    gui.SetCursorHidden(true);
    CreateScene();
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("menucamera", true);
    if (CMenuCamera* camera = Camera()) {
        camera->LoadWaypoints();
        camera->SetFlightEndActions(&StartLevelAfterFlight, &ShowMenuAfterFlight);
    }
    m_Sky.Create("CMenuState");
}

void CMenuState::CreateScene()
{
    CSprite3DManager& sprites = CSprite3DManager::GetInstance();
    m_pWindmill = sprites.CreateSprite("windmill");
    SetScaledTranslation(m_pWindmill, CVector3D(10.0f, 60.0f, -160.0f), 5.0f);
    m_pIsland = sprites.CreateSprite("island");
    SetScaledTranslation(m_pIsland, CVector3D(), 5.0f);
    m_pSwordman = sprites.CreateSprite("swordman");
    if (m_pSwordman) {
        m_pSwordman->SetTransform(CVector3D(-100.0f, 20.0f, 20.0f), CVector3D(0.0f, 0.0f, -1.0f),
                                  CVector3D(0.0f, 1.0f, 0.0f));
        if (m_pSwordman->m_pAnimationController)
            m_pSwordman->m_pAnimationController->SetAnimation("STRETCH", 0, 0.0f);
    }
    m_pTitle = sprites.CreateSprite("title_test2");
    if (m_pTitle) {
        // 270 degrees about y: half of it in the quaternion.
        const float half = 135.0f * 3.14159265f / 180.0f;
        CMatrix4 matrix;
        matrix.Compose(CVector3D(-80.0f, 35.0f, 50.0f), CVector3D(1.0f, 1.0f, 1.0f),
                       CQuaternion(std::cos(half), 0.0f, std::sin(half), 0.0f));
        m_pTitle->SetMatrix(matrix.m);
    }
}

void CMenuState::Cleanup()
{
    CSprite3DManager& sprites = CSprite3DManager::GetInstance();
    for (CSprite3D** sprite : {&m_pTitle, &m_pSwordman, &m_pIsland, &m_pWindmill}) {
        if (*sprite)
            sprites.RemoveSprite(*sprite);
        *sprite = nullptr;
    }
    Vesk::CSceneGraph::GetInstance().Shutdown();
    m_Sky.Forget();
}

void CMenuState::PlaceCamera()
{
    Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
    if (!camera)
        return;
    camera->SetEye(m_StartLevel == 0 ? kTitleEye : kLevelEye);
    camera->SetLookAt(m_StartLevel == 0 ? kTitleLookAt : kLevelLookAt);
    camera->UpdateAnglesFromLookAt();
    m_Sky.Follow(camera->GetEye(), s_SkyAngle);
}

void CMenuState::Enter()
{
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("menucamera", true);
    PlaceCamera();
    EnsureSceneLight();
    PlaceSceneLight(kSceneLight);
    Vesk::CAudioSystem::GetInstance().LoadSound("MouseOver", "assets/audio/mouse_over.wav", 0);
    m_MusicRequested = false;
    if (!s_TitleSoundPlayed) {
        s_TitleChannel = CGameMaster::GetInstance().PlaySound("thrummock");
        s_TitleSoundPlayed = true;
    }
    CGuiScreenState::Enter();
    CGuiManager& gui = CGuiManager::GetInstance();
    m_MenuShown = false;
    m_LevelStartPending = false;
    SetAllVisible(false);
    m_pPressTitle = gui.FindElement(0, "PressTitle");
    m_pWhiteout = gui.FindElement(0, "whiteout");
    m_pBlackout = gui.FindElement(0, "blackout");
    ShowTitleObjects(true);
    m_pKeyListener = std::make_unique<CKeyListener>();
    if (const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera())
        PlaceSceneLight(camera->GetEye());
}

void CMenuState::Exit()
{
    m_pPressTitle = m_pWhiteout = m_pBlackout = nullptr;
    m_pKeyListener.reset();
    CGuiScreenState::Exit();
    CControllerManager::GetInstance().Shutdown();
    CGameMaster::GetInstance().StopMusic();
}

void CMenuState::Pause()
{
    if (m_MenuShown)
        SetAllVisible(false);
}

void CMenuState::Resume()
{
    CGuiScreenState::Resume();
    if (m_MenuShown && !m_LevelStartPending)
        ShowMenu();
}

void CMenuState::Update(float dt)
{
    UpdateMusicAndSky(dt);
    if (m_StartLevel != 0) {
        SetAllVisible(false);
        m_LevelStartPending = true;
        if (CMenuCamera* camera = Camera()) {
            camera->SetLevel(m_StartLevel);
            camera->StartPath(0);
        } else {
            StartLevelAfterFlight(m_StartLevel);
        }
        m_StartLevel = 0;
        return;
    }
    if (m_LevelStartPending || !m_MenuShown) {
        CGuiManager::GetInstance().UpdateCursor();
        if (!m_LevelStartPending && TitleLeft()) {
            m_MenuShown = true;
            if (m_pPressTitle)
                m_pPressTitle->SetVisible(false);
            ResetButtonMouse();
            if (CMenuCamera* camera = Camera())
                camera->StartPath(1);
            else
                ShowMenu();
        }
        return;
    }
    CGuiScreenState::Update(dt);
}

void CMenuState::UpdateMusicAndSky(float dt)
{
    const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
    if (camera)
        PlaceSceneLight(camera->GetEye());
    CGameMaster::GetInstance().Update(dt);
    if (!m_MusicRequested && !s_TitleChannel.IsPlaying()) {
        CGameMaster::GetInstance().PlayMusic("menubgm", kMusicVolume);
        m_MusicRequested = true;
    }
    s_SkyAngle += dt * kSkyDegreesPerSecond;
    if (camera)
        m_Sky.Follow(camera->GetEye(), s_SkyAngle);
}

bool CMenuState::TitleLeft() const
{
    if (m_pKeyListener && m_pKeyListener->WasKeyReleased())
        return true;
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    if (input.IsMouseButtonPressed(0))
        return true;
    for (uint32_t code : kTitlePadButtons)
        if (input.IsPadButtonReleased(0, code))
            return true;
    return false;
}

void CMenuState::ShowMenu()
{
    SetAllVisible(true);
    ShowTitleObjects(false);
    CGuiManager::GetInstance().SetCursorHidden(false);
}

void CMenuState::ResetButtonMouse()
{
    for (CButton* button : m_Buttons)
        button->ClearMouseRelease();
}

void CMenuState::SetAllVisible(bool visible)
{
    for (Vesk::CDisplayObject2D* element : m_ScreenElements)
        element->SetVisible(visible);
}

void CMenuState::ShowTitleObjects(bool visible)
{
    for (Vesk::CDisplayObject2D* element : {m_pPressTitle, m_pWhiteout, m_pBlackout})
        if (element)
            element->SetVisible(visible);
}

} // namespace Game
