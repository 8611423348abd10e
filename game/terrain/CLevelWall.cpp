#include "game/terrain/CLevelWall.h"

#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeRenderer.h"

#include "core/Log.h"
#include "physics/CCompoundBody.h"
#include "physics/CPhysicsSystem.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

namespace Game {

namespace {

constexpr float kWallBlockSize = 4.0f;
constexpr short kWallGroup = 4;  // COLGRP_WALL
constexpr short kAllGroups = -1; // COLGRP_ALL

} // namespace

CLevelWall::~CLevelWall()
{
    delete m_Body; // the body leaves the physics system on its way out
    m_Body = nullptr;
    m_TransformNode.Release();
    m_GeomNode = nullptr;
}

bool CLevelWall::Load(const std::string& meshName)
{
    auto* mesh = dynamic_cast<CVeskCubeMesh*>(Vesk::CResourceManager::GetInstance().LoadMesh(meshName));
    if (!mesh) {
        Vesk::LogLine("CLevelWall: \"" + meshName + "\" is not a voxel-cube model; the level has no wall");
        return false;
    }
    m_Mesh = mesh;
    m_Mesh->SetTerrainFlag(1);
    CMatrix4 scale;
    scale.m[0] = scale.m[5] = scale.m[10] = kWallBlockSize;
    m_Mesh->SetScaleMatrix(scale);
    m_Mesh->ComputeBounds();

    auto* transform = new Vesk::CTransformNode(meshName + "Transform");
    m_GeomNode = new Vesk::CGeomNode(meshName + "Geom");
    m_GeomNode->GetBucketKeys() = {kCubeMeshBucket};
    transform->AddChild(m_GeomNode);
    m_GeomNode->SetMesh(m_Mesh);
    m_TransformNode.Attach(transform);

    if (!m_Body) {
        auto* body = new Vesk::CCompoundBody();
        if (Vesk::CPhysicsSystem::GetInstance().AddRigidBody(body, kWallGroup, kAllGroups)) {
            body->SetBodyType(Vesk::BODY_STATIC);
            m_Body = body;
        } else {
            Vesk::LogLine("CLevelWall: the physics system did not take the wall body; the wall does not block");
            delete body;
        }
    }
    if (m_Body)
        for (const auto& entry : m_Mesh->GetSubmeshMap())
            if (!entry.second->restPositions.empty())
                m_Body->AddBoxShapeFromAABB(entry.second->box);
    return true;
}

} // namespace Game
