// ISideScrollCamera: what game triggers need of the side-scrolling camera, which runs its
// behaviour as a state machine: switching it to a named state ("LockCameraState" holds the view
// on the fight). The side-scrolling camera implements it.
#pragma once

#include <string>

namespace Game {

class ISideScrollCamera {
public:
    virtual ~ISideScrollCamera() = default;
    // Switches to the named state when the camera has one.
    virtual void ChangeState(const std::string& name) = 0;

    // When the camera manager's current camera is a side-scrolling camera, switches it to
    // "LockCameraState"; any other camera is left alone.
    static void LockCurrentCamera();
};

} // namespace Game
