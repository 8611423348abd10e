// The interface of any animated mesh: the mesh it animates (not owned) and a playback speed by which
// the frame's time step is multiplied before Update. The scene graph's animation tick advances each
// controller once a frame; the render pass only poses the mesh before drawing (Update(0)).
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
    // The scene graph's animation tick in which the controller last advanced.
    unsigned m_AdvancedTick = ~0u;

protected:
    IMesh* m_pMesh;
};

} // namespace Vesk
