#include "game/states/CPlimmSandboxState.h"

#include "game/cameras/CObjectCamera.h"
#include "game/fx/CParticleEmitter.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CMeterBar.h"
#include "game/gui/CUIDisplay2D.h"
#include "game/skills/CSkillPocket.h"

#include "input/CInputManager.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"

namespace Game {

namespace {

const CVector3D kEnterEye(0.0f, 0.0f, -25.0f);
const CVector3D kEye(0.0f, 0.0f, -225.0f);
const CVector3D kLookAt(0.0f, 0.0f, 0.0f);
const CVector3D kMiddle(0.0f, 2.0f, -10.0f);
constexpr float kPocketScale = 0.35f;
// The pocket's frames at their own size, its crests shrunk into them.
constexpr float kFrameScale = 1.0f;
constexpr float kCrestScale = 0.4f;
constexpr float kMeterWidth = 4.0f;
constexpr uint32_t kMeterStep = 10;

const struct {
    const char* effect;
    unsigned particles;
    int mode;
    bool looping;
    CVector3D at;
} kEmitterRecipes[] = {
    {"confetti_red_effect", 2, 0, true, {-60, 200, -10}},
    {"confetti_green_effect", 2, 0, true, {-60, 200, -10}},
    {"confetti_blue_effect", 2, 0, true, {-60, 200, -10}},
    {"portal_effect", 9000, 1, true, {-60, 2, -10}},
    {"burn_effect", 1, 1, true, {-60, 2, -10}},
    {"burn_effect", 2, 0, false, {-60, 2, -10}},
};

void PlaceCamera(const CVector3D& eye)
{
    if (auto* camera = dynamic_cast<CObjectCamera*>(Vesk::CCameraManager::GetInstance().GetCurrentCamera()))
        camera->LookFrom(eye, kLookAt);
}

std::unique_ptr<Vesk::CDisplayObject2D> Picture(const char* sprite, float scale, float x, float y)
{
    auto picture = std::make_unique<Vesk::CDisplayObject2D>(sprite);
    picture->SetScale(scale, scale);
    picture->SetPosition(x, y);
    return picture;
}

bool Pressed(uint32_t key) { return Vesk::CInputManager::GetInstance().IsKeyPressed(key); }

} // namespace

CPlimmSandboxState::CPlimmSandboxState() : IGameState("") {}

CPlimmSandboxState::~CPlimmSandboxState() { DestroyGui(); }

CParticleEmitter* CPlimmSandboxState::GetEmitter(int which) const
{
    return which >= 0 && which < kEmitterCount ? m_Emitters[size_t(which)].get() : nullptr;
}

void CPlimmSandboxState::Enter()
{
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("objectcam", true);
    PlaceCamera(kEnterEye);
    for (size_t i = 0; i < m_Emitters.size(); ++i) {
        const auto& recipe = kEmitterRecipes[i];
        m_Emitters[i] = MakeRegisteredEmitter(recipe.effect, recipe.particles, recipe.mode);
        m_Emitters[i]->SetLooping(recipe.looping);
        m_Emitters[i]->SetPosition(recipe.at);
    }
    CreateGui();
}

// The picture "SkillPocket" with, for the keys to act on, a skill pocket beside it and a meter
// bar across the top.
void CPlimmSandboxState::CreateGui()
{
    CGuiManager& gui = CGuiManager::GetInstance();
    m_pPocketPicture = new CUIDisplay2D("SkillPocket");
    m_pPocketPicture->SetScale(kPocketScale, kPocketScale);
    m_pPocketPicture->SetPosition(0.95f, 0.9f);
    gui.AddElement(m_pPocketPicture, 1, 0);

    m_pSkillPocket = std::make_unique<CSkillPocket>(
        Picture("powerslot_blank", kFrameScale, 0.75f, 0.9f), Picture("powerslot_blank", kFrameScale, 0.85f, 0.9f),
        Picture("FlameCrest", kCrestScale, 0.85f, 0.9f),
        Picture("WindCrest", kCrestScale, CSkillPocket::kBackIconPlace, CSkillPocket::kBackIconPlace));

    m_pMeterBar = new CMeterBar("P1HealthBarCurrent", "PlimmMeter");
    m_pMeterBar->SetPosition(0.3f, 0.08f);
    m_pMeterBar->SetScale(kMeterWidth, 1.5f);
    m_pMeterBar->SetFullWidth(kMeterWidth);
    m_pMeterBar->SetMaximum(100);
    m_pMeterBar->SetValue(50);
    gui.AddElement(m_pMeterBar, 1, 2);
    m_Blinking = false;
}

void CPlimmSandboxState::Update(float dt)
{
    PlaceCamera(kEye);
    if (m_pMeterBar) {
        if (Pressed('Y'))
            m_pMeterBar->Increase(kMeterStep);
        if (Pressed('U'))
            m_pMeterBar->Decrease(kMeterStep);
        if (Pressed('I')) {
            m_Blinking = !m_Blinking;
            m_pMeterBar->SetBlinking(m_Blinking);
        }
    }
    if (m_pSkillPocket && Pressed('T'))
        m_pSkillPocket->SwapIcons();
    if (Pressed(win::VK_SPACE))
        for (int which : {Red, Green, Blue})
            if (m_Emitters[which])
                m_Emitters[which]->Restart();
    if (Pressed('P')) {
        for (int which : {Portal, Burn, BurnOnce})
            if (m_Emitters[which])
                m_Emitters[which]->Restart();
        if (m_Emitters[Portal])
            m_Emitters[Portal]->SetPosition(kMiddle);
    }
    CParticleManager::GetInstance().Update(dt);
}

void CPlimmSandboxState::Exit()
{
    for (RegisteredEmitter& emitter : m_Emitters)
        emitter.reset();
    DestroyGui();
}

void CPlimmSandboxState::DestroyGui()
{
    m_pSkillPocket.reset();
    CGuiManager& gui = CGuiManager::GetInstance();
    if (m_pPocketPicture)
        gui.RemoveElement(m_pPocketPicture, 1, 0);
    delete m_pPocketPicture;
    m_pPocketPicture = nullptr;
    if (m_pMeterBar)
        gui.RemoveElement(m_pMeterBar, 1, 2);
    delete m_pMeterBar;
    m_pMeterBar = nullptr;
}

} // namespace Game
