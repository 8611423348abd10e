#include "game/fx/CSprite3DManager.h"

#include "game/fx/CSprite3D.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "resources/IMesh.h"
#include "scene/CSceneGraph.h"
#include "scene/CSceneNodes.h"

#include <algorithm>

namespace Game {

namespace {

constexpr size_t kReservedSprites = 200;

} // namespace

CSprite3DManager::~CSprite3DManager() { Shutdown(); }

bool CSprite3DManager::Init()
{
    Shutdown();
    m_Sprites.reserve(kReservedSprites);
    return true;
}

void CSprite3DManager::Shutdown()
{
    for (CSprite3D* sprite : m_Sprites)
        DestroySprite(sprite);
    m_Sprites.clear();
}

CSprite3D* CSprite3DManager::CreateSprite(const std::string& mesh)
{
    auto* sprite = new CSprite3D;
    sprite->m_pTransformNode = new Vesk::CTransformNode(mesh + "sprite3Dtransnode");
    sprite->m_pGeomNode = new Vesk::CGeomNode(mesh + "sprite3Dgeomnode");
    sprite->m_pTransformNode->AddChild(sprite->m_pGeomNode);
    sprite->m_pGeomNode->SetMesh(mesh);
    // Sprites draw in the early pass with the entities.
    sprite->m_pGeomNode->GetBucketKeys().front() = -1;
    if (Vesk::IMesh* model = sprite->m_pGeomNode->GetMesh()) {
        Vesk::IAnimationController* controller = model->CreateAnimationController();
        sprite->m_pAnimationController = dynamic_cast<CVeskCubeAnimationController*>(controller);
        if (sprite->m_pAnimationController) {
            sprite->m_pGeomNode->SetAnimationController(controller);
            controller->SetAnimation("IDLE", 0, 0.0f);
        } else {
            delete controller;
        }
    }
    Vesk::CSceneGraph& scene = Vesk::CSceneGraph::GetInstance();
    sprite->m_NodesInTree = scene.AddNode(sprite->m_pTransformNode) != nullptr;
    sprite->m_TreeGeneration = scene.GetTreeGeneration();
    m_Sprites.push_back(sprite);
    return sprite;
}

void CSprite3DManager::RemoveSprite(CSprite3D* sprite)
{
    const auto it = std::find(m_Sprites.begin(), m_Sprites.end(), sprite);
    if (it == m_Sprites.end())
        return;
    m_Sprites.erase(it);
    DestroySprite(sprite);
}

void CSprite3DManager::Update(float dt)
{
    Vesk::CSceneGraph& scene = Vesk::CSceneGraph::GetInstance();
    for (CSprite3D* sprite : m_Sprites)
        if (sprite->m_pAnimationController)
            scene.AdvanceAnimation(*sprite->m_pAnimationController, dt);
}

void CSprite3DManager::DestroySprite(CSprite3D* sprite)
{
    // Deleting the transform node takes it off its parent and deletes the geometry node. When the
    // scene tree has been deleted since (scene graph Shutdown or Reset), the nodes went with it.
    if (!sprite->m_NodesInTree || Vesk::CSceneGraph::GetInstance().GetTreeGeneration() == sprite->m_TreeGeneration)
        delete sprite->m_pTransformNode;
    delete sprite->m_pAnimationController;
    delete sprite;
}

} // namespace Game
