#include "game/states/CCubeTestState.h"

#include "game/cameras/CObjectCamera.h"
#include "game/fx/SceneLights.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CubeDebris.h"

#include "input/CInputManager.h"
#include "math/Random.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/IMesh.h"
#include "scene/CSceneGraph.h"
#include "scene/CSceneNodes.h"

#include <string>

namespace Game {

namespace {

// The grid: rows from z = -75 and columns from x = -50, 25 units apart.
constexpr float kFirstRowZ = -75.0f;
constexpr float kFirstColumnX = -50.0f;
constexpr float kSpacing = 25.0f;
constexpr float kDegreesPerSecond = 10.0f;
// The material name matches none, so the models draw under the default material.
const char* const kMaterial = "doesnotmatterwhatiputhere";
// The camera looks over the whole grid from in front of it and above.
const CVector3D kEye(62.5f, 140.0f, -230.0f);
const CVector3D kLookAt(62.5f, 0.0f, 37.5f);

CMatrix4 Translation(const CVector3D& at)
{
    CMatrix4 m;
    m.m[3] = at.x;
    m.m[7] = at.y;
    m.m[11] = at.z;
    return m;
}

bool Released(char key) { return Vesk::CInputManager::GetInstance().IsKeyReleased(static_cast<uint32_t>(key)); }

} // namespace

CCubeTestState::~CCubeTestState() { ReleaseObjects(); }

void CCubeTestState::Init()
{
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("objectcam", true);
    SetCubeDebrisGravity(0.0f, 0.0f, 0.0f);
}

void CCubeTestState::Cleanup() { SetCubeDebrisGravity(0.0f, -25.0f, 0.0f); }

void CCubeTestState::Enter()
{
    EnsureSceneLight();
    if (Vesk::CLight* light = Vesk::CRenderer::GetInstance().GetLight(0))
        light->m_Position[2] = -100.0f;
    if (auto* camera = dynamic_cast<CObjectCamera*>(Vesk::CCameraManager::GetInstance().GetCurrentCamera()))
        camera->LookFrom(kEye, kLookAt);

    ReleaseObjects();
    Vesk::CSceneGraph::GetInstance().Reset();
    for (int row = 0; row < kGridSize; ++row)
        for (int column = 0; column < kGridSize; ++column)
            AddObject(row, column);
}

void CCubeTestState::AddObject(int row, int column)
{
    const std::string name = std::to_string(50 * row + column);
    TestObject object;
    object.transform = new Vesk::CTransformNode(name + "trans");
    object.geom = new Vesk::CGeomNode(name + "geom");
    object.material = new Vesk::CMaterialNode(name + "mat");
    if (!Vesk::CSceneGraph::GetInstance().AddNode(object.material)) {
        delete object.transform;
        delete object.geom;
        delete object.material;
        return;
    }
    object.material->SetMaterial(kMaterial);
    object.geom->SetMesh("swordman");
    // The models draw in the early bucket, before the cube shadow pass.
    object.geom->GetBucketKeys() = {-1};
    object.material->AddChild(object.transform);
    object.transform->AddChild(object.geom);
    Vesk::IMesh* mesh = object.geom->GetMesh();
    Vesk::IAnimationController* created = mesh ? mesh->CreateAnimationController() : nullptr;
    object.controller = dynamic_cast<CVeskCubeAnimationController*>(created);
    if (!object.controller)
        delete created;
    object.geom->SetAnimationController(object.controller);
    object.transform->SetLocalMatrix(
        Translation(CVector3D(kFirstColumnX + kSpacing * float(column), 0.0f, kFirstRowZ + kSpacing * float(row))));
    m_Objects.push_back(object);
}

void CCubeTestState::Update(float dt)
{
    m_Angle += dt * kDegreesPerSecond;
    for (size_t i = 0; i < m_Objects.size(); ++i) {
        const float k = float((i + 1) % 9 + 1);
        CMatrix4 place = m_Objects[i].transform->GetLocalMatrix();
        const CVector3D at(place.m[3], place.m[7], place.m[11]);
        CMatrix4 aboutZ, aboutY;
        aboutZ.RotationZ(k * m_Angle);
        aboutY.RotationY(k * m_Angle);
        place = Translation(at);
        place.Multiply(place, aboutZ);
        place.Multiply(place, aboutY);
        m_Objects[i].transform->SetLocalMatrix(place);
    }
    if (const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera())
        PlaceSceneLight(camera->GetEye());

    if (Released('F'))
        for (TestObject& object : m_Objects)
            if (object.controller && float(Random15()) / float(kRandomMax) < 0.5f)
                object.controller->Shatter(object.transform->GetLocalMatrix());
    if (Released('1'))
        for (TestObject& object : m_Objects) {
            object.geom->SetMesh("cube");
            object.material->SetMaterial("default");
        }
    if (Released('2'))
        for (TestObject& object : m_Objects) {
            object.geom->SetMesh("testmesh");
            object.material->SetMaterial(kMaterial);
            if (object.controller)
                object.controller->ResetShatter();
        }
    if (Released('R'))
        for (TestObject& object : m_Objects)
            if (object.controller)
                object.controller->ResetShatter();
}

void CCubeTestState::Exit() { ReleaseObjects(); }

void CCubeTestState::ReleaseObjects()
{
    for (TestObject& object : m_Objects) {
        object.geom->SetAnimationController(nullptr);
        delete object.controller;
    }
    m_Objects.clear();
}

} // namespace Game
