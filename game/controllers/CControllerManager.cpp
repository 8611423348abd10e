#include "game/controllers/CControllerManager.h"

#include <algorithm>

namespace Game {

namespace {

template <typename Base>
void EraseFirst(std::vector<Base*>& list, Base* object)
{
    const auto found = std::find(list.begin(), list.end(), object);
    if (found != list.end())
        list.erase(found);
}

} // namespace

CControllerManager::~CControllerManager()
{
    // Live controllers' own memory goes with their pools' pages.
    for (auto& entry : m_Creators)
        entry.second.deletePool();
    for (auto& entry : m_SharedCreators)
        entry.second.deletePool();
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

IController* CControllerManager::CreateController(int type, const ControllerSetting& record)
{
    const auto found = m_Creators.find(type);
    if (found == m_Creators.end())
        return nullptr;
    IController* controller = found->second.create();
    if (!controller)
        return nullptr;
    controller->Attach(record);
    m_Controllers.push_back(controller);
    return controller;
}

void CControllerManager::DestroyController(IController*& controller)
{
    if (!controller)
        return;
    EraseFirst(m_Controllers, controller);
    const auto found = m_Creators.find(controller->GetControllerType());
    if (found != m_Creators.end())
        found->second.destroy(&controller);
    controller = nullptr;
}

ISharedCharacterController* CControllerManager::CreateSharedController(int type)
{
    const auto found = m_SharedCreators.find(type);
    if (found == m_SharedCreators.end())
        return nullptr;
    ISharedCharacterController* controller = found->second.create();
    if (controller)
        m_SharedControllers.push_back(controller);
    return controller;
}

void CControllerManager::DestroySharedController(ISharedCharacterController*& controller)
{
    if (!controller)
        return;
    EraseFirst(m_SharedControllers, controller);
    const auto found = m_SharedCreators.find(controller->GetSharedControllerType());
    if (found != m_SharedCreators.end())
        found->second.destroy(&controller);
    controller = nullptr;
}

void CControllerManager::Update(float dt)
{
    // A controller may destroy others while it runs: walk a copy and skip the ones that went.
    const std::vector<IController*> controllers = m_Controllers;
    for (IController* controller : controllers) {
        if (std::find(m_Controllers.begin(), m_Controllers.end(), controller) != m_Controllers.end() &&
            controller->m_Enabled)
            controller->Update(dt);
    }
    const std::vector<ISharedCharacterController*> shared = m_SharedControllers;
    for (ISharedCharacterController* controller : shared) {
        if (std::find(m_SharedControllers.begin(), m_SharedControllers.end(), controller) != m_SharedControllers.end())
            controller->Update(dt);
    }
}

void CControllerManager::Shutdown()
{
    while (!m_Controllers.empty()) {
        IController* controller = m_Controllers.back();
        DestroyController(controller);
    }
    while (!m_SharedControllers.empty()) {
        ISharedCharacterController* controller = m_SharedControllers.back();
        DestroySharedController(controller);
    }
}

} // namespace Game
