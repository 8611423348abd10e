// CControllerManager: creates controllers and shared group controllers by type id from the
// creator records filled at start-up, keeps the controllers it made in an update list, updates
// the enabled ones each frame and destroys them. Owns the controller classes' pools.
#pragma once

#include "core/CSingleton.h"
#include "game/controllers/IController.h"
#include "game/controllers/ISharedCharacterController.h"
#include "game/world/CreatorRecord.h"

#include <map>
#include <vector>

namespace Game {

class CControllerManager : public Vesk::CSingleton<CControllerManager> {
public:
    using ControllerCreator = CreatorRecord<IController>;
    using SharedCreator = CreatorRecord<ISharedCharacterController>;

    ~CControllerManager() override;

    // An id already present keeps its first record.
    void RegisterCreator(int type, ControllerCreator::Create create, ControllerCreator::Destroy destroy,
                         ControllerCreator::PoolAction releaseAll, ControllerCreator::PoolAction deletePool);
    void RegisterSharedCreator(int type, SharedCreator::Create create, SharedCreator::Destroy destroy,
                               SharedCreator::PoolAction releaseAll, SharedCreator::PoolAction deletePool);

    // A controller of the type attached to the record's owner and put on the update list; null
    // when the type has no creator (13 is none) or its pool gives no object.
    IController* CreateController(int type, const ControllerSetting& record);
    // Takes the controller off the update list and gives it back to its pool; the pointer
    // becomes null. Null is ignored.
    void DestroyController(IController*& controller);
    ISharedCharacterController* CreateSharedController(int type);
    void DestroySharedController(ISharedCharacterController*& controller);

    // Every enabled controller, in creation order, then every shared controller.
    void Update(float dt);
    // Destroys every controller and shared controller.
    void Shutdown() override;

    const std::vector<IController*>& GetControllers() const { return m_Controllers; }

private:
    std::map<int, ControllerCreator> m_Creators;
    std::map<int, SharedCreator> m_SharedCreators;
    std::vector<IController*> m_Controllers;
    std::vector<ISharedCharacterController*> m_SharedControllers;
};

} // namespace Game
