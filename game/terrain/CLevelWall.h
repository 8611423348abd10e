// CLevelWall: the boundary of a level, a voxel-cube model named like the terrain model followed by
// "WALL". Owns the scene nodes that show it with the terrain's drawing (terrain instance buffer,
// blocks of 4 units) and a static compound body with one box per submesh, so that the wall both
// shows and blocks.
#pragma once

#include "game/terrain/SceneRootNode.h"

#include <string>

namespace Vesk {
class CCompoundBody;
class CGeomNode;
} // namespace Vesk

namespace Game {

class CVeskCubeMesh;

class CLevelWall {
public:
    CLevelWall() = default;
    // Takes the body out of the physics system and the nodes out of the scene graph; safe when
    // nothing was loaded.
    ~CLevelWall();
    CLevelWall(const CLevelWall&) = delete;
    CLevelWall& operator=(const CLevelWall&) = delete;

    // Shows the model and adds its submesh boxes to the body. A name that gives no voxel-cube
    // model leaves the wall without nodes and body (false, with a log line).
    bool Load(const std::string& meshName);

    Vesk::CCompoundBody* GetBody() const { return m_Body; }
    CVeskCubeMesh* GetMesh() const { return m_Mesh; }
    Vesk::CTransformNode* GetTransformNode() const { return m_TransformNode.Get(); }
    Vesk::CGeomNode* GetGeomNode() const { return m_GeomNode; }

private:
    Vesk::CCompoundBody* m_Body = nullptr;
    CVeskCubeMesh* m_Mesh = nullptr;
    SceneRootNode m_TransformNode;
    Vesk::CGeomNode* m_GeomNode = nullptr;
};

} // namespace Game
