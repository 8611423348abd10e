// CSideScrollCamera: the game camera of play, registered as "sidescrolling". A hierarchical state
// machine decides its targets: "FollowEntitiesState" follows the centre of the living players,
// "FollowWaypointsState" follows them and bends the target onto a path of waypoint entities, and
// "LockCameraState" leaves the targets where they are. It owns its state machine; the followed
// entity and the waypoints are held by checked handles, so entities may go at any time.
#pragma once

#include "core/CHierachicalFSM.h"
#include "game/base/ISideScrollCamera.h"
#include "game/cameras/CGameCamera.h"
#include "game/entities/EntityHandle.h"

#include <memory>
#include <string>
#include <vector>

namespace Game {

class CEntity;

class CSideScrollCamera : public CGameCamera, public ISideScrollCamera {
public:
    static constexpr float kRate = 15.0f;
    // How far the follow target lies from the group centre (and where Reset first looks).
    static constexpr float kLookBelow = 5.0f;
    static constexpr float kFollowLookAhead = 28.0f;
    static constexpr float kResetLookAhead = 8.0f;
    // The offset's scale for the target eye, divided by the zoom.
    static constexpr float kFollowDistance = 1.85f;
    // The first scene light stands this far from the target look-at point.
    static constexpr float kLightAbove = 65.0f;
    static constexpr float kLightBehind = -160.0f;

    CSideScrollCamera();
    ~CSideScrollCamera() override;

    // Places the camera behind the living players and follows them again; nothing happens while
    // no player lives.
    void Reset() override;
    // The state machine, the angles, the first scene light, then the game camera's glide.
    void Update(float dt) override;
    // Switches to the named state on the next Update; unknown names change nothing.
    void ChangeState(const std::string& name) override;
    // Keeps the view's direction and distance and moves it onto the entity; null only forgets
    // the followed entity.
    void SetTarget(CEntity* entity);
    CEntity* GetTarget() const { return m_Target.Get(); }

    // The centre of the living "player" characters (each further one pulls the centre halfway to
    // itself); false when none lives.
    bool GetPlayerGroupCentre(CVector3D& centre) const;
    // The state callbacks.
    void UpdateFollowEntities(float dt);
    void UpdateFollowWaypoints(float dt);

    // The camera path, in order; the positions should increase in x.
    void SetWaypoints(const std::vector<CEntity*>& waypoints);
    // The waypoints that still live, in order.
    std::vector<CEntity*> GetWaypoints() const;

    float GetZoom() const { return m_Zoom; }
    // Zoom scales the distance of the eye; values that are not positive and finite are ignored.
    void SetZoom(float zoom);
    const CVector3D& GetOffset() const { return m_Offset; }
    // The name of the active state; empty while a change is pending.
    std::string GetStateName() const;

private:
    using StateMachine = Vesk::CHierachicalFSM<CSideScrollCamera>;

    CVector3D FollowEyeFor(const CVector3D& lookAt) const;

    EntityHandle m_Target;
    // The eye relative to the look-at point, before zoom.
    CVector3D m_Offset{0.0f, 30.0f, -60.0f};
    std::unique_ptr<StateMachine> m_StateMachine;
    std::vector<EntityHandle> m_Waypoints;
    float m_Zoom = 1.0f;
};

} // namespace Game
