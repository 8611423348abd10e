// One physics frame with 200 dynamic boxes resting on a static compound floor of 3600 boxes:
// the world step, and the collision pass that follows it.
#include "physics/CCompoundBody.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace Vesk;

namespace {

constexpr int kFloorSide = 60;   // 60 x 60 floor boxes
constexpr int kBoxesPerRow = 20; // 20 x 10 dynamic boxes
constexpr int kBoxRows = 10;
constexpr float kStep = 1.0f / 60.0f;

class Scene {
public:
    Scene()
    {
        CPhysicsSystem& physics = CPhysicsSystem::GetInstance();
        physics.Init();
        physics.SetGravity(CVector3D(0, -10, 0));
        m_Floor = std::make_unique<CCompoundBody>();
        physics.AddRigidBody(m_Floor.get(), -1, -1);
        m_Floor->SetBodyType(BODY_STATIC);
        for (int i = 0; i < kFloorSide; ++i) {
            for (int j = 0; j < kFloorSide; ++j)
                m_Floor->AddBoxShape(CVector3D(2.0f * i, -0.5f, 2.0f * j), CVector3D(2, 1, 2));
        }
        for (int i = 0; i < kBoxesPerRow; ++i) {
            for (int j = 0; j < kBoxRows; ++j) {
                auto box = std::make_unique<CRigidBody>(CVector3D(1, 1, 1), nullptr, 1.0f, false);
                physics.AddRigidBody(box.get(), -1, -1);
                box->SetPosition(CVector3D(5.0f + 5.0f * i, 1.0f, 5.0f + 10.0f * j));
                // Kept awake, as moving characters are, so that every step does the full work.
                box->SetActivationState(ACTIVATION_NEVER_SLEEPS);
                m_Boxes.push_back(std::move(box));
            }
        }
        for (int i = 0; i < 120; ++i)
            Frame();
    }
    ~Scene()
    {
        m_Boxes.clear();
        m_Floor.reset();
        CPhysicsSystem::GetInstance().Shutdown();
    }

    static void Step() { CPhysicsSystem::GetInstance().StepSimulation(kStep, 1, kStep); }
    static void Frame()
    {
        Step();
        CPhysicsSystem::GetInstance().ProcessCollisions();
    }

private:
    std::unique_ptr<CCompoundBody> m_Floor;
    std::vector<std::unique_ptr<CRigidBody>> m_Boxes;
};

void BM_PhysicsStep(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        Scene::Step();
}
BENCHMARK(BM_PhysicsStep)->Unit(benchmark::kMillisecond);

void BM_CollisionPass(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        CPhysicsSystem::GetInstance().ProcessCollisions();
}
BENCHMARK(BM_CollisionPass)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
