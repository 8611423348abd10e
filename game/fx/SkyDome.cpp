#include "game/fx/SkyDome.h"

#include "core/Log.h"
#include "math/Matrix4.h"
#include "scene/CSceneGraph.h"
#include "scene/CSceneNodes.h"

namespace Game {

bool SkyDome::Create(const char* owner)
{
    auto* transform = new Vesk::CTransformNode("skyplanetrans");
    auto* material = new Vesk::CMaterialNode("skyplanemat");
    material->SetMaterial("sky");
    auto* geom = new Vesk::CGeomNode("skyplanetrans");
    geom->SetMesh("skysphere");
    material->AddChild(geom);
    transform->AddChild(material);
    if (!Vesk::CSceneGraph::GetInstance().AddNode(transform)) {
        Vesk::LogLine(std::string(owner) + ": the scene graph took no sky");
        delete transform;
        m_pTransform = nullptr;
        return false;
    }
    m_pTransform = transform;
    return true;
}

void SkyDome::Follow(const CVector3D& eye, float degrees)
{
    if (!m_pTransform)
        return;
    CMatrix4 local;
    local.RotationY(degrees);
    local.m[3] = eye.x;
    local.m[7] = eye.y;
    local.m[11] = eye.z;
    m_pTransform->SetLocalMatrix(local);
}

} // namespace Game
