// ICameraJolts: the jolts that hits and moves give the camera that follows the fight: a shake
// along the view direction and a punch sideways or up and down. The game camera implements it;
// attacks and moves reach it through Current(), so they never depend on the camera classes.
#pragma once

namespace Game {

class ICameraJolts {
public:
    virtual ~ICameraJolts() = default;
    virtual void AddShake(float amount) = 0;
    // The direction is on the screen plane (x sideways, y up).
    virtual void AddPunch(float amount, float directionX, float directionY) = 0;

    // The camera manager's current camera when it takes jolts, else null.
    static ICameraJolts* Current();
};

} // namespace Game
