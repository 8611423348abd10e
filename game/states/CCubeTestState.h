// CCubeTestState (initial state "CubeTest", or Ctrl+F5): the voxel-cube models on trial - a 10 x 10
// grid of "swordman" models, each turning about Z and Y at its own rate of a growing angle, lit
// from the camera. Keys, each on its release: F shatters about half of them, 1 swaps every model
// to the unit "cube", 2 to "testmesh" (whole again), R puts the shattered ones back together.
// Owns the models' animation controllers; the scene nodes belong to the scene graph.
#pragma once

#include "core/IGameState.h"

#include <vector>

namespace Vesk {
class CGeomNode;
class CMaterialNode;
class CTransformNode;
} // namespace Vesk

namespace Game {

class CVeskCubeAnimationController;

class CCubeTestState : public Vesk::IGameState {
public:
    static constexpr int kGridSize = 10;

    struct TestObject {
        Vesk::CTransformNode* transform;
        Vesk::CGeomNode* geom;
        Vesk::CMaterialNode* material;
        CVeskCubeAnimationController* controller;
    };

    CCubeTestState() : IGameState("") {}
    ~CCubeTestState() override;

    void Init() override;
    void Cleanup() override;
    void Enter() override;
    void Exit() override;
    void Update(float dt) override;

    const std::vector<TestObject>& GetObjects() const { return m_Objects; }
    float GetAngle() const { return m_Angle; }

private:
    void AddObject(int row, int column);
    void ReleaseObjects();

    std::vector<TestObject> m_Objects;
    float m_Angle = 0.0f;
};

} // namespace Game
