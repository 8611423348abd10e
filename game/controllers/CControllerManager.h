// CControllerManager: creates controllers and shared group controllers by type id from the
// creator records filled at start-up, keeps the controllers it made in an update list (creation
// order) and the shared ones by name, updates them once a frame and destroys them. The objects
// live in their classes' pools; the manager deletes the pools at exit.
#pragma once

#include "core/CSingleton.h"
#include "game/base/CreatorRecord.h"
#include "game/controllers/IController.h"
#include "game/controllers/ISharedCharacterController.h"

#include <map>
#include <string>
#include <vector>

namespace Game {

class CControllerManager : public Vesk::CSingleton<CControllerManager> {
public:
    using ControllerCreator = CreatorRecord<IController>;
    using SharedCreator = CreatorRecord<ISharedCharacterController>;

    static constexpr const char* kCollisionAvoidanceName = "globalcollisionavoidance";
    static constexpr const char* kAttackFlockName = "globalattackflock";

    ~CControllerManager() override;

    // Enables the manager.
    bool Init() override;
    // Every controller, then every shared controller, goes back to its pool; the creators stay.
    void Shutdown() override;

    // An id already present keeps its first record.
    void RegisterCreator(int type, ControllerCreator::Create create, ControllerCreator::Destroy destroy,
                         ControllerCreator::PoolAction releaseAll, ControllerCreator::PoolAction deletePool);
    void RegisterSharedCreator(int type, SharedCreator::Create create, SharedCreator::Destroy destroy,
                               SharedCreator::PoolAction releaseAll, SharedCreator::PoolAction deletePool);

    // A controller of the type attached to the setting's owner and put at the end of the update
    // list; null when the type has no creator (13 is none) or its pool gives no object.
    IController* CreateController(int type, const ControllerSetting& setting);
    // Detaches the controller, takes it off the update list and gives it back to its pool; the
    // pointer becomes null. Null, and a controller this manager does not hold, only null it. A
    // controller destroyed while the controllers are being updated goes back to its pool once the
    // update is over (it may be the one running).
    void DestroyController(IController*& controller);
    // Every controller of every type back to its pool; owners drop their controller pointers.
    void ReleaseAllControllers();
    // How many times every controller has been released at once; holders of controllers that
    // are not entities (GUI widgets and their tweens) compare it to know their pointers are gone.
    unsigned GetReleaseCount() const { return m_ReleaseCount; }

    // A shared controller of the type kept under the name; null when the type has no creator, its
    // pool gives no object, or the name is taken (the existing one stays).
    ISharedCharacterController* CreateSharedController(int type, const std::string& name);
    // "globalcollisionavoidance" (type 0) and "globalattackflock" (type 1).
    void CreateSharedControllers();
    // The shared controller of exactly that name, else null.
    ISharedCharacterController* GetSharedController(const std::string& name) const;
    // Takes one shared controller out of the map and gives it back to its pool; null is ignored.
    void DestroySharedController(ISharedCharacterController*& controller);
    // Every shared controller back to its pool (each first leaves its members' lists).
    void ReleaseSharedControllers();

    // While enabled: every enabled controller in creation order, then every shared controller in
    // ascending name order.
    void Update(float dt);
    // Cleared while the level editor is on top, so that nothing moves.
    void SetEnabled(bool enabled) { m_Enabled = enabled; }
    bool IsEnabled() const { return m_Enabled; }

    const std::vector<IController*>& GetControllers() const { return m_Controllers; }
    const std::map<std::string, ISharedCharacterController*>& GetSharedControllers() const
    {
        return m_SharedControllers;
    }

private:
    void ReturnToPool(IController*& controller);
    void DestroyDeferred();

    std::map<int, ControllerCreator> m_Creators;
    std::map<int, SharedCreator> m_SharedCreators;
    // Destroyed entries become null while the list is being updated and are erased after.
    std::vector<IController*> m_Controllers;
    std::map<std::string, ISharedCharacterController*> m_SharedControllers;
    std::vector<IController*> m_DeferredDestroys;
    unsigned m_ReleaseCount = 0;
    bool m_Updating = false;
    bool m_Enabled = true;
};

} // namespace Game
