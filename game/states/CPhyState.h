// CPhyState ("CPhyState", initial state "PhysicsTest"): a physics test bed seen through the
// "viewercam". A static "player" block stands over four boxes with their own restitution,
// friction and damping on a ground slab; a collision callback between box2 and box4 kicks both,
// and three coloured 2D pictures and a button try the 2D layers and a click. Keys: T (on its
// release) shows or hides the boxes, I, K, J and L held push box4 along +z, -z, -x and +x, Space
// throws it up. Owns its key listener, the ground body, the pictures and the button; the boxes
// belong to the entity factory.
#pragma once

#include "core/IGameState.h"
#include "input/IKeyboardListener.h"
#include "math/Vector3D.h"

#include <memory>

namespace Vesk {
class CDisplayObject2D;
class CRigidBody;
} // namespace Vesk

namespace Game {

class CButton;
class CEntity;

// The keys the physics state reads through its listener: whether T was let go since it last went
// down, and whether I, K, J and L are held.
class MyKeyListener : public Vesk::IKeyboardListener {
public:
    void OnKeyDown(const Vesk::KeyEvent& event) override;
    void OnKeyUp(const Vesk::KeyEvent& event) override;

    bool m_TUp = false;
    bool m_IHeld = false;
    bool m_KHeld = false;
    bool m_JHeld = false;
    bool m_LHeld = false;
};

class CPhyState : public Vesk::IGameState {
public:
    static constexpr const char* kBoxNames[] = {"box1", "box2", "box3", "box4"};

    CPhyState();
    ~CPhyState() override;

    void Enter() override;
    void Exit() override;
    void Cleanup() override;
    void Update(float dt) override;

    // The force box4 gets this step from the held keys (I, K, J, L, first match), given the force
    // already gathered on it: the key's direction x 10000 x exp(its length) while that length is
    // below 1, else nothing.
    static CVector3D PushForce(const MyKeyListener& keys, const CVector3D& gathered);

    bool AreBoxesVisible() const { return m_BoxesVisible; }
    MyKeyListener* GetKeyListener() const { return m_pKeys.get(); }
    Vesk::CRigidBody* GetGround() const { return m_pGround; }

private:
    void CreateBoxes();
    void CreateScreen();
    void DrawBodies() const;

    std::unique_ptr<MyKeyListener> m_pKeys;
    Vesk::CRigidBody* m_pGround = nullptr;
    Vesk::CDisplayObject2D* m_pRed = nullptr;
    Vesk::CDisplayObject2D* m_pGreen = nullptr;
    Vesk::CDisplayObject2D* m_pBlue = nullptr;
    CButton* m_pButton = nullptr;
    bool m_BoxesVisible = false;
};

} // namespace Game
