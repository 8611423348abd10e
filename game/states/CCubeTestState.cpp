#include "game/states/CCubeTestState.h"

#include "game/cameras/CObjectCamera.h"

#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeDebris.h"
#include "game/voxel/CubeHeightMap.h"

#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

namespace Game {

namespace {

// The ground is drawn like a level's terrain: blocks of 4 units from the origin.
constexpr float kBlockSize = 4.0f;
const CVector3D kEye(64.0f, 60.0f, -50.0f);
const CVector3D kLookAt(64.0f, 0.0f, 40.0f);

} // namespace

CCubeTestState::~CCubeTestState() { ReleaseControllers(); }

void CCubeTestState::Init()
{
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("objectcam", false);
    SetCubeDebrisGravity(0.0f, 0.0f, 0.0f);
}

void CCubeTestState::Cleanup() { SetCubeDebrisGravity(0.0f, -25.0f, 0.0f); }

void CCubeTestState::Enter()
{
    // Light 0 shines the way the shadow pass's light looks: from above and behind the camera.
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    renderer.AddLight();
    Vesk::CLight* light = renderer.GetLight(0);
    const CVector3D lightEye = kEye + CVector3D(0.0f, 120.0f, 60.0f);
    const CVector3D direction = (kLookAt - lightEye).GetNormalized();
    light->m_Type = 1;
    light->m_Direction[0] = direction.x;
    light->m_Direction[1] = direction.y;
    light->m_Direction[2] = direction.z;

    if (auto* camera = dynamic_cast<CObjectCamera*>(Vesk::CCameraManager::GetInstance().GetCurrentCamera()))
        camera->LookFrom(kEye, kLookAt);

    Vesk::CSceneGraph::GetInstance().Reset();
    if (Vesk::CGeomNode* ground = AddModel("cubetestground", "ground", CVector3D())) {
        if (auto* mesh = dynamic_cast<CVeskCubeMesh*>(ground->GetMesh())) {
            CMatrix4 scale;
            scale.m[0] = scale.m[5] = scale.m[10] = kBlockSize;
            mesh->SetScaleMatrix(scale);
            mesh->SetTerrainFlag(1);
            mesh->ComputeBounds();
            ground->SetMesh(mesh);
        }
    }
    LoadHeightMap("cubetestgroundHM.dat");

    // Kobolds stand on the floor (its top at y = 6, their feet half a cube below their origin),
    // crates on the raised platform (top at y = 14).
    const char* clips[] = {"WALK", "IDLE"};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column) {
            const std::string name = "kobold" + std::to_string(row * 3 + column);
            const CVector3D at(24.0f + 18.0f * float(column), 6.5f, 24.0f + 18.0f * float(row));
            if (Vesk::CGeomNode* geom = AddModel("koboldminion", name, at)) {
                auto* controller =
                    dynamic_cast<CVeskCubeAnimationController*>(geom->GetMesh()->CreateAnimationController());
                if (!controller)
                    continue;
                controller->SetAnimation(clips[(row + column) % 2], 0, 1.0f);
                geom->SetAnimationController(controller);
                m_Objects.push_back({geom, controller});
            }
        }
    AddModel("crate", "crate0", CVector3D(92.0f, 14.5f, 34.0f));
    AddModel("crate", "crate1", CVector3D(102.0f, 14.5f, 40.0f));
}

void CCubeTestState::Exit() { ReleaseControllers(); }

void CCubeTestState::Update(float) {}

Vesk::CGeomNode* CCubeTestState::AddModel(const std::string& mesh, const std::string& name, const CVector3D& at)
{
    Vesk::IMesh* model = Vesk::CResourceManager::GetInstance().LoadMesh(mesh);
    if (!dynamic_cast<CVeskCubeMesh*>(model))
        return nullptr;
    Vesk::CSceneGraph& scene = Vesk::CSceneGraph::GetInstance();
    auto* material = new Vesk::CMaterialNode(name + "mat");
    auto* transform = new Vesk::CTransformNode(name + "trans");
    auto* geom = new Vesk::CGeomNode(name + "geom");
    CMatrix4 place;
    place.m[3] = at.x;
    place.m[7] = at.y;
    place.m[11] = at.z;
    transform->SetLocalMatrix(place);
    geom->SetMesh(model);
    geom->GetBucketKeys() = {-1};
    material->AddChild(transform);
    transform->AddChild(geom);
    if (!scene.AddNode(material)) {
        delete material;
        return nullptr;
    }
    return geom;
}

void CCubeTestState::ReleaseControllers()
{
    for (TestObject& object : m_Objects) {
        object.geom->SetAnimationController(nullptr);
        delete object.controller;
    }
    m_Objects.clear();
}

} // namespace Game
