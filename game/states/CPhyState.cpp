#include "game/states/CPhyState.h"

#include "game/base/GameEnums.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/fx/SceneLights.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"

#include "input/CInputManager.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "ui2d/CDisplay2DSystem.h"
#include "ui2d/CDisplayObject2D.h"
#include "window/CWindowSystem.h"

#include <cmath>

namespace Game {

namespace {

// Where the viewer camera starts: in front of the boxes and above them, looking at the ground.
const CVector3D kEye(0.0f, 45.0f, -95.0f);
const CVector3D kLookAt(0.0f, 5.0f, 0.0f);
const CVector3D kGroundSize(95.0f, 4.0f, 95.0f);
const CVector3D kGroundAt(0.0f, -7.0f, 0.0f);
constexpr float kPushScale = 10000.0f;
constexpr float kJumpForce = 80000.0f;
constexpr int kStaticBody = 1;

// Drawing colours of the boxes' bodies, in box order.
const CVector3D kBoxColours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 0, 255}};

struct BoxRecipe {
    const char* name;
    CVector3D size;
    uint8_t collisionCallback;
    CVector3D at;
};

const BoxRecipe kRecipes[] = {
    {"player", {10, 10, 10}, 0, {10, 25, 0}}, {"box1", {10, 5, 10}, 1, {0, -3, 0}}, {"box2", {4, 4, 4}, 1, {0, 10, 0}},
    {"box3", {4, 4, 4}, 1, {0, 18, 0}},       {"box4", {4, 4, 4}, 1, {0, 26, 0}},
};

CEntity* Find(const char* name) { return CEntityFactory::GetInstance().GetEntityByName(name); }

Vesk::CRigidBody* BodyOf(const char* name)
{
    CEntity* entity = Find(name);
    return entity ? entity->GetBody() : nullptr;
}

// Box2 touching box4: box2 is sent off along -x and box4 pushed along +x.
void OnBoxesMeet(Vesk::CRigidBody* box2, Vesk::CRigidBody* box4)
{
    box2->SetLinearVelocity(CVector3D(-15.0f, 0.0f, 0.0f));
    box4->ApplyForce(CVector3D(150.0f, 0.0f, 0.0f));
}

void OnButtonClicked()
{
    if (CButton* button = CGuiManager::GetInstance().FindButton("Btn"))
        button->SetPosition(1.0f, 1.0f);
}

} // namespace

void MyKeyListener::OnKeyDown(const Vesk::KeyEvent& event)
{
    switch (event.key) {
    case 'T': m_TUp = false; break;
    case 'I': m_IHeld = true; break;
    case 'K': m_KHeld = true; break;
    case 'J': m_JHeld = true; break;
    case 'L': m_LHeld = true; break;
    default: break;
    }
}

void MyKeyListener::OnKeyUp(const Vesk::KeyEvent& event)
{
    switch (event.key) {
    case 'T': m_TUp = true; break;
    case 'I': m_IHeld = false; break;
    case 'K': m_KHeld = false; break;
    case 'J': m_JHeld = false; break;
    case 'L': m_LHeld = false; break;
    default: break;
    }
}

CPhyState::CPhyState() : IGameState("CPhyState") {}

CPhyState::~CPhyState() = default;

void CPhyState::Enter()
{
    EnsureSceneLight();
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    cameras.SetCurrentCamera("viewercam", true);
    if (Vesk::CCamera* camera = cameras.GetCurrentCamera()) {
        camera->SetEye(kEye);
        camera->SetLookAt(kLookAt);
        camera->UpdateAnglesFromLookAt();
    }
    PlaceSceneLight(CVector3D(0.0f, 100.0f, 0.0f));
    CEntityFactory::GetInstance().Init();
    m_pKeys = std::make_unique<MyKeyListener>();
    Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
    physics.SetGravity(CVector3D(0.0f, -0.5f, 0.0f));
    CreateBoxes();

    // The ground holds the boxes: it is added as a body of mass 1 and made static, as a body of
    // mass 1 left dynamic would fall away under them.
    m_pGround = new Vesk::CRigidBody(kGroundSize, nullptr, 1.0f, false);
    m_pGround->SetStartTransform(kGroundAt, CMatrix4());
    if (physics.AddRigidBody(m_pGround, -1, -1)) {
        m_pGround->SetBodyType(kStaticBody);
    } else {
        delete m_pGround;
        m_pGround = nullptr;
    }
    physics.SetGravity(CVector3D(0.0f, -3.8f, 0.0f));
    Vesk::CRigidBody* box2 = BodyOf("box2");
    Vesk::CRigidBody* box4 = BodyOf("box4");
    if (box4)
        box4->SetGravity(CVector3D(0.0f, -19.8f, 0.0f));
    if (box2 && box4)
        physics.AddCollisionCallback(box2, box4, OnBoxesMeet);
    CreateScreen();
}

void CPhyState::CreateBoxes()
{
    CEntityFactory& factory = CEntityFactory::GetInstance();
    for (const BoxRecipe& recipe : kRecipes) {
        EntitySetting setting("testmesh", recipe.size.x, recipe.size.y, recipe.size.z, recipe.collisionCallback, 0xFFFF,
                              0xFFFF, CONTROLLER_TYPE_COUNT);
        setting.m_StartPosition = recipe.at;
        factory.CreateEntity(GENERIC_CHARACTER, recipe.name, setting);
    }
    if (Vesk::CRigidBody* player = BodyOf("player"))
        player->SetBodyType(kStaticBody);
    struct Body {
        float restitution, linearDamping, angularDamping, friction;
    };
    const Body bodies[] = {{3.5f, 0, 0, 0.999f}, {0, 0, 0, -0.9f}, {0, 0, 0, 0.9f}, {0, 0.95f, 1.0f, 1.0f}};
    for (size_t i = 0; i < 4; ++i) {
        CEntity* box = Find(kBoxNames[i]);
        if (!box)
            continue;
        box->SetVisible(false);
        if (Vesk::CRigidBody* body = box->GetBody()) {
            body->SetRestitution(bodies[i].restitution);
            body->SetDamping(bodies[i].linearDamping, bodies[i].angularDamping);
            body->SetFriction(bodies[i].friction);
        }
    }
    m_BoxesVisible = false;
    if (Vesk::CRigidBody* box4 = BodyOf("box4")) {
        box4->SetLinearFactor(true, true, true);
        box4->SetAngularFactor(false, true, false);
    }
}

void CPhyState::CreateScreen()
{
    Vesk::CDisplay2DSystem& display = Vesk::CDisplay2DSystem::GetInstance();
    m_pRed = new Vesk::CDisplayObject2D("Red");
    m_pRed->SetPosition(0.5f, 0.5f);
    display.AddObject(m_pRed, 3);
    m_pGreen = new Vesk::CDisplayObject2D("Green");
    m_pGreen->SetPosition(0.6f, 0.6f);
    display.AddObject(m_pGreen, 2);
    m_pBlue = new Vesk::CDisplayObject2D("Blue");
    m_pBlue->SetPosition(0.53f, 0.65f);
    display.AddObject(m_pBlue, 1);
    m_pButton = new CButton("Btn");
    m_pButton->SetPosition(0.15f, 0.15f);
    m_pButton->SetCallback(OnButtonClicked);
    // A button answers clicks only while its owner state is on top.
    m_pButton->SetOwnerState(m_Name);
    CGuiManager::GetInstance().AddElement(m_pButton, 1, 1);
}

CVector3D CPhyState::PushForce(const MyKeyListener& keys, const CVector3D& gathered)
{
    CVector3D direction;
    if (keys.m_IHeld)
        direction = CVector3D(0.0f, 0.0f, 1.0f);
    else if (keys.m_KHeld)
        direction = CVector3D(0.0f, 0.0f, -1.0f);
    else if (keys.m_JHeld)
        direction = CVector3D(-1.0f, 0.0f, 0.0f);
    else if (keys.m_LHeld)
        direction = CVector3D(1.0f, 0.0f, 0.0f);
    else
        return CVector3D();
    const float length = gathered.Length();
    if (!(length < 1.0f))
        return CVector3D();
    return direction * (kPushScale * std::exp(length));
}

void CPhyState::Update(float dt)
{
    CEntityFactory::GetInstance().UpdateAll(dt);
    Vesk::CWindowSystem::GetInstance().SetCursorPosition(100, 100);

    if (m_pKeys && m_pKeys->m_TUp) {
        m_pKeys->m_TUp = false;
        m_BoxesVisible = !m_BoxesVisible;
        for (const char* name : kBoxNames)
            if (CEntity* box = Find(name))
                box->SetVisible(m_BoxesVisible);
    }
    DrawBodies();

    Vesk::CRigidBody* box4 = BodyOf("box4");
    if (!box4 || !m_pKeys)
        return;
    const CVector3D push = PushForce(*m_pKeys, box4->GetTotalForce());
    if (push.Length() > 0.0f)
        box4->ApplyForce(push);
    if (Vesk::CInputManager::GetInstance().IsKeyPressed(win::VK_SPACE) && box4->GetLinearVelocity().y >= 0.0f)
        box4->ApplyForce(CVector3D(0.0f, kJumpForce, 0.0f));
}

void CPhyState::DrawBodies() const
{
    for (size_t i = 0; i < 4; ++i)
        if (Vesk::CRigidBody* body = BodyOf(kBoxNames[i])) {
            const CVector3D& c = kBoxColours[i];
            body->DrawAABB(c.x, c.y, c.z);
            body->DrawOrientedBox(c.x, c.y, c.z);
        }
    if (m_pGround) {
        m_pGround->DrawAABB(255.0f, 255.0f, 255.0f);
        m_pGround->DrawOrientedBox(255.0f, 255.0f, 255.0f);
    }
}

void CPhyState::Exit()
{
    if (m_pGround) {
        Vesk::CPhysicsSystem::GetInstance().RemoveRigidBody(m_pGround);
        delete m_pGround;
        m_pGround = nullptr;
    }
    Vesk::CDisplay2DSystem& display = Vesk::CDisplay2DSystem::GetInstance();
    const std::pair<Vesk::CDisplayObject2D**, int> pictures[] = {{&m_pRed, 3}, {&m_pGreen, 2}, {&m_pBlue, 1}};
    for (const auto& [picture, layer] : pictures) {
        if (*picture)
            display.RemoveObject(*picture, layer);
        delete *picture;
        *picture = nullptr;
    }
    if (m_pButton)
        CGuiManager::GetInstance().RemoveElement(m_pButton, 1, 1);
    delete m_pButton;
    m_pButton = nullptr;
}

void CPhyState::Cleanup()
{
    CEntityFactory::GetInstance().Shutdown();
    m_pKeys.reset();
}

} // namespace Game
