#include "render/CCameraManager.h"

namespace Vesk {

bool CCameraManager::Init()
{
    auto camera = std::make_unique<CCamera>();
    camera->SetName("default");
    m_Current = camera.get();
    m_Cameras["default"] = std::move(camera);
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
    if (keepOwnPosition) {
        m_Current = camera;
        camera->Reset();
    } else {
        if (m_Current)
            camera->CopyPositionFrom(*m_Current);
        m_Current = camera;
    }
}

} // namespace Vesk
