// Every camera under a unique name, and the current one that the renderer, culling and picking
// use. Init creates the camera "default" and makes it current; the manager owns its cameras and
// deletes them in Shutdown.
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
    // Null when no camera has the name.
    CCamera* GetCamera(const std::string& name) const;
    // Unknown names change nothing. keepOwnPosition false: the camera first takes eye, look-at
    // point and up from the current camera; true: it keeps them and is Reset.
    void SetCurrentCamera(const std::string& name, bool keepOwnPosition);

    // The camera registered under the name, created as a T when there is none; with makeCurrent
    // it becomes current keeping its own position.
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
