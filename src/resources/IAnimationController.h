// The interface through which the render pass advances any animated mesh: the mesh it animates
// (not owned) and a playback speed by which the frame's time step is multiplied before Update.
#pragma once

#include <string>

namespace Vesk {

class IMesh;

class IAnimationController {
public:
    explicit IAnimationController(IMesh* mesh) : m_pMesh(mesh) {}
    virtual ~IAnimationController() = default;
    IAnimationController(const IAnimationController&) = delete;
    IAnimationController& operator=(const IAnimationController&) = delete;

    // name, a mode flag that some controllers read (play once), frames per second.
    virtual void SetAnimation(const std::string& name, int mode, float fps) = 0;
    virtual int GetCurrentFrame() const = 0;
    virtual void Update(float dt) = 0;
    virtual void Reset() {}

    IMesh* GetMesh() const { return m_pMesh; }

    float m_PlaybackSpeed = 1.0f;

protected:
    IMesh* m_pMesh;
};

} // namespace Vesk
