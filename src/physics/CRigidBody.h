// One Bullet rigid body with its default motion state and its collision shapes, plus the contact
// record the physics system's collision pass fills each frame. Objects come from the physics
// system's body pool. A body still registered when destroyed takes itself out of the world and
// out of every other body's contact record first.
#pragma once

#include "math/AABB.h"
#include "math/Matrix4.h"
#include "math/Vector3D.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class btCollisionShape;
class btDefaultMotionState;
class btRigidBody;

namespace Vesk {

class CRigidBody;

enum RigidBodyType : int {
    BODY_DYNAMIC = 0,
    BODY_STATIC = 1,
    BODY_NO_CONTACT_RESPONSE = 2,
};

// The activation states SetActivationState takes (Bullet's own numbers).
enum BodyActivationState : int {
    ACTIVATION_ACTIVE = 1,
    ACTIVATION_SLEEPING = 2,
    ACTIVATION_WANTS_DEACTIVATION = 3,
    ACTIVATION_NEVER_SLEEPS = 4,
    ACTIVATION_SIMULATION_OFF = 5,
};

// What the last collision pass found for one body: one normal per contact that exchanged normals
// (each pointing from the other body towards this one) and one entry per touching body.
struct ContactInfo {
    std::vector<CVector3D> m_ContactNormals;
    std::vector<CRigidBody*> m_TouchingBodies;
};

class CRigidBody {
public:
    static constexpr uint16_t kNoId = 0xFFFF;

    // size: the full box size; collisionCallback: the owner's prefab flag, kept for game code.
    CRigidBody(const CVector3D& size, void* owner, float mass, bool collisionCallback);
    // A 2 x 2 x 2 box of mass 1 with no owner.
    CRigidBody();
    virtual ~CRigidBody();
    CRigidBody(const CRigidBody&) = delete;
    CRigidBody& operator=(const CRigidBody&) = delete;

    static void* operator new(size_t size);
    static void operator delete(void* object);

    // Called by CPhysicsSystem::AddRigidBody: the shapes, then the Bullet body.
    virtual void CreateShape();
    void CreateBody();
    // Where the body enters the world (the origin unless set): the Bullet body is built there, so
    // that its broadphase entry starts there too. Set it before AddRigidBody; the rotation is m's
    // upper-left 3 x 3 as in SetRotation. A position or rotation with a value that is not finite
    // is not taken.
    void SetStartTransform(const CVector3D& position, const CMatrix4& rotation);

    // Everything below reaches the Bullet body: no effect (zero results) before AddRigidBody.
    CVector3D GetPosition() const;
    void SetPosition(const CVector3D& position);
    // The rotation is m's upper-left 3 x 3, read in CMatrix4's column-vector convention.
    void SetRotation(const CMatrix4& m);
    CMatrix4 GetWorldMatrix() const;
    void SetLinearFactor(bool x, bool y, bool z);
    void SetAngularFactor(bool x, bool y, bool z);
    void SetLinearVelocity(const CVector3D& velocity);
    void SetAngularVelocity(const CVector3D& velocity);
    CVector3D GetLinearVelocity() const;
    CVector3D GetTotalForce() const;
    CVector3D GetGravity() const;
    void ApplyForce(const CVector3D& force);
    void SetGravity(const CVector3D& gravity);
    void SetDamping(float linear, float angular);
    void SetFriction(float friction);
    void SetRestitution(float restitution);
    // 0 dynamic, 1 static, 2 no contact response; other values change nothing.
    void SetBodyType(int type);
    int GetBodyType() const { return m_BodyType; }
    void SetActivationState(int state);
    CAABB GetAABB() const;
    // The box the broadphase holds for the body (empty while it is in no world).
    CAABB GetBroadphaseBox() const;

    // Debug drawing through the renderer's line queue; colours on the 0-255 scale.
    void DrawAABB(float r, float g, float b) const;
    void DrawVelocity(float r, float g, float b) const;
    void DrawOrientedBox(float r, float g, float b) const;

    ContactInfo& GetContactInfo() { return m_Contact; }
    const ContactInfo& GetContactInfo() const { return m_Contact; }
    CRigidBody* GetLastTouchingBody() const { return m_LastTouching; }
    bool IsTouched() const { return m_Touched; }

    uint16_t GetId() const { return m_Id; }
    bool IsRegistered() const { return m_Id != kNoId; }
    void* GetOwner() const { return m_Owner; }
    void SetOwner(void* owner) { m_Owner = owner; }
    bool HasCollisionCallbackFlag() const { return m_CollisionCallback; }
    float GetMass() const { return m_Mass; }
    const CVector3D& GetDimensions() const { return m_Dimensions; }
    // The shape's box when the Bullet body was built, at the origin.
    const CAABB& GetCreationBox() const { return m_CreationBox; }
    btRigidBody* GetBulletBody() const { return m_Body; }

protected:
    void AddShape(btCollisionShape* shape) { m_Shapes.push_back(shape); }
    // Takes the body out of the physics system if it is still registered there.
    void Unregister();

private:
    friend class CPhysicsSystem;

    // The collision pass's bookkeeping.
    void ClearContacts();
    void RecordTouch(CRigidBody* other);
    void ForgetBody(const CRigidBody* other);

    btRigidBody* m_Body = nullptr;
    CVector3D m_Dimensions{2.0f, 2.0f, 2.0f};
    CVector3D m_StartPosition;
    CMatrix4 m_StartRotation;
    CAABB m_CreationBox;
    CRigidBody* m_LastTouching = nullptr;
    bool m_Touched = false;
    bool m_CollisionCallback = false;
    float m_Mass = 1.0f;
    int m_BodyType = BODY_DYNAMIC;
    uint16_t m_Id = kNoId;
    ContactInfo m_Contact;
    btDefaultMotionState* m_MotionState = nullptr;
    std::vector<btCollisionShape*> m_Shapes;
    void* m_Owner = nullptr;
};

} // namespace Vesk
