// The developer voxel-model viewer (initial state "CubeTest", or Ctrl+F5): a ground of terrain
// cubes with its height map and a few animated models and props in front of a fixed camera,
// lit by scene light 0 and drawn by the cube renderer with shadows. Owns the models' animation
// controllers; the scene nodes belong to the scene graph.
#pragma once

#include "core/IGameState.h"
#include "math/Vector3D.h"

#include <string>
#include <vector>

namespace Vesk {
class CGeomNode;
}

namespace Game {

class CVeskCubeAnimationController;

class CCubeTestState : public Vesk::IGameState {
public:
    CCubeTestState() : IGameState("CubeTest") {}
    ~CCubeTestState() override;

    void Init() override;
    void Cleanup() override;
    void Enter() override;
    void Exit() override;
    void Update(float dt) override;

private:
    struct TestObject {
        Vesk::CGeomNode* geom;
        CVeskCubeAnimationController* controller;
    };

    // Nodes for a model placed at a world position, under the default material; the model draws
    // in an early bucket, before the shadow pass.
    Vesk::CGeomNode* AddModel(const std::string& mesh, const std::string& name, const CVector3D& at);
    void ReleaseControllers();

    std::vector<TestObject> m_Objects;
};

} // namespace Game
