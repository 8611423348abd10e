// Cameras by name and the current camera. Init creates the "default" camera and makes it
// current; Shutdown deletes every camera.
#pragma once

#include "core/CSingleton.h"
#include "render/CCamera.h"

#include <map>
#include <memory>
#include <string>

namespace Vesk {

class CCameraManager : public CSingleton<CCameraManager> {
public:
    bool Init() override;
    void Shutdown() override;

    CCamera* GetCurrentCamera() const { return m_Current; }
    CCamera* GetCamera(const std::string& name) const;
    void SetCurrentCamera(const std::string& name, bool keepOwnPosition);

    // The camera registered under the name, created as a T when there is none.
    template <typename T>
    CCamera* CreateCamera(const std::string& name, bool makeCurrent)
    {
        CCamera* camera = GetCamera(name);
        if (!camera) {
            auto created = std::make_unique<T>();
            created->SetName(name);
            camera = created.get();
            m_Cameras[name] = std::move(created);
        }
        if (makeCurrent)
            SetCurrentCamera(name, true);
        return camera;
    }

private:
    std::map<std::string, std::unique_ptr<CCamera>> m_Cameras;
    CCamera* m_Current = nullptr;
};

} // namespace Vesk
