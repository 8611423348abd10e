#include "render/CCameraManager.h"

namespace Vesk {

bool CCameraManager::Init()
{
    CreateCamera<CCamera>("default", true);
    return true;
}

void CCameraManager::Shutdown()
{
    m_Current = nullptr;
    m_Cameras.clear();
}

CCamera* CCameraManager::GetCamera(const std::string& name) const
{
    auto it = m_Cameras.find(name);
    return it == m_Cameras.end() ? nullptr : it->second.get();
}

void CCameraManager::SetCurrentCamera(const std::string& name, bool keepOwnPosition)
{
    CCamera* camera = GetCamera(name);
    if (!camera)
        return;
    m_Current = camera;
    if (keepOwnPosition)
        camera->Reset();
}

} // namespace Vesk
