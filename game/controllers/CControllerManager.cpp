#include "game/controllers/CControllerManager.h"

#include "core/Log.h"
#include "game/entities/CEntity.h"

#include <algorithm>

namespace Game {

CControllerManager::~CControllerManager()
{
    // Live controllers' own memory goes with their pools' pages.
    for (auto& entry : m_Creators)
        entry.second.deletePool();
    for (auto& entry : m_SharedCreators)
        entry.second.deletePool();
}

bool CControllerManager::Init()
{
    m_Enabled = true;
    return true;
}

void CControllerManager::Shutdown()
{
    ReleaseAllControllers();
    ReleaseSharedControllers();
}

void CControllerManager::RegisterCreator(int type, ControllerCreator::Create create, ControllerCreator::Destroy destroy,
                                         ControllerCreator::PoolAction releaseAll,
                                         ControllerCreator::PoolAction deletePool)
{
    InsertCreator(m_Creators, type, create, destroy, releaseAll, deletePool);
}

void CControllerManager::RegisterSharedCreator(int type, SharedCreator::Create create, SharedCreator::Destroy destroy,
                                               SharedCreator::PoolAction releaseAll,
                                               SharedCreator::PoolAction deletePool)
{
    InsertCreator(m_SharedCreators, type, create, destroy, releaseAll, deletePool);
}

IController* CControllerManager::CreateController(int type, const ControllerSetting& setting)
{
    const auto found = m_Creators.find(type);
    if (found == m_Creators.end())
        return nullptr;
    IController* controller = found->second.create();
    if (!controller)
        return nullptr;
    controller->Attach(setting);
    m_Controllers.push_back(controller);
    return controller;
}

void CControllerManager::DestroyController(IController*& controller)
{
    // The caller's pointer may be the owner's own, which DropController clears: work on a copy.
    IController* target = controller;
    controller = nullptr;
    const auto listed = std::find(m_Controllers.begin(), m_Controllers.end(), target);
    if (!target || listed == m_Controllers.end())
        return;
    if (CEntity* owner = target->GetOwnerEntity())
        owner->DropController(target);
    target->Detach();
    if (m_Updating) {
        *listed = nullptr;
        m_DeferredDestroys.push_back(target);
        return;
    }
    m_Controllers.erase(listed);
    ReturnToPool(target);
}

void CControllerManager::ReturnToPool(IController*& controller)
{
    const auto found = m_Creators.find(controller->GetControllerType());
    if (found != m_Creators.end())
        found->second.destroy(&controller);
    controller = nullptr;
}

void CControllerManager::ReleaseAllControllers()
{
    for (IController* controller : m_Controllers) {
        if (!controller)
            continue;
        if (CEntity* owner = controller->GetOwnerEntity())
            owner->DropController(controller);
        controller->Detach();
    }
    for (auto& entry : m_Creators)
        entry.second.releaseAll();
    m_Controllers.clear();
    m_DeferredDestroys.clear();
    ++m_ReleaseCount;
}

ISharedCharacterController* CControllerManager::CreateSharedController(int type, const std::string& name)
{
    const auto found = m_SharedCreators.find(type);
    if (found == m_SharedCreators.end())
        return nullptr;
    if (m_SharedControllers.count(name)) {
        Vesk::LogLine("CControllerManager: a shared controller named \"" + name + "\" exists already");
        return nullptr;
    }
    ISharedCharacterController* controller = found->second.create();
    if (!controller)
        return nullptr;
    controller->Init(name);
    m_SharedControllers.emplace(name, controller);
    return controller;
}

void CControllerManager::CreateSharedControllers()
{
    CreateSharedController(COLLISION_AVOIDANCE, kCollisionAvoidanceName);
    CreateSharedController(GENERIC_ATTACK_FLOCK, kAttackFlockName);
}

ISharedCharacterController* CControllerManager::GetSharedController(const std::string& name) const
{
    const auto found = m_SharedControllers.find(name);
    return found == m_SharedControllers.end() ? nullptr : found->second;
}

void CControllerManager::DestroySharedController(ISharedCharacterController*& controller)
{
    if (!controller)
        return;
    const auto held = std::find_if(m_SharedControllers.begin(), m_SharedControllers.end(),
                                   [&](const auto& entry) { return entry.second == controller; });
    if (held != m_SharedControllers.end())
        m_SharedControllers.erase(held);
    const auto found = m_SharedCreators.find(controller->GetType());
    if (found != m_SharedCreators.end())
        found->second.destroy(&controller);
    controller = nullptr;
}

void CControllerManager::ReleaseSharedControllers()
{
    // Each controller's destructor takes it off its members' lists before its memory goes.
    for (auto& entry : m_SharedCreators)
        entry.second.releaseAll();
    m_SharedControllers.clear();
}

void CControllerManager::Update(float dt)
{
    if (!m_Enabled)
        return;
    // Controllers created during the walk wait for the next frame; destroyed ones are skipped.
    m_Updating = true;
    const size_t count = m_Controllers.size();
    for (size_t i = 0; i < count && i < m_Controllers.size(); ++i) {
        IController* controller = m_Controllers[i];
        if (controller && controller->m_Enabled)
            controller->Update(dt);
    }
    m_Updating = false;
    DestroyDeferred();
    // A shared controller may be destroyed by another's update: look each name up again.
    std::vector<std::string> names;
    for (const auto& entry : m_SharedControllers)
        names.push_back(entry.first);
    for (const std::string& name : names) {
        if (ISharedCharacterController* shared = GetSharedController(name))
            shared->Update(dt);
    }
}

void CControllerManager::DestroyDeferred()
{
    m_Controllers.erase(std::remove(m_Controllers.begin(), m_Controllers.end(), nullptr), m_Controllers.end());
    const std::vector<IController*> deferred = std::move(m_DeferredDestroys);
    m_DeferredDestroys.clear();
    for (IController* controller : deferred)
        ReturnToPool(controller);
}

} // namespace Game
