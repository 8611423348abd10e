// CreateTween: a GUI tween controller of a type made through the controller manager, for the
// screen loader and the other widgets that animate their pictures.
#pragma once

#include "core/Log.h"
#include "game/controllers/CControllerManager.h"

#include <string>

namespace Game {

// The controller of the type when it is a Tween; null (with a log line) when the type makes none
// or something else, which is then destroyed again.
template <typename Tween>
Tween* CreateTween(int type)
{
    IController* controller = CControllerManager::GetInstance().CreateController(type, ControllerSetting());
    auto* tween = dynamic_cast<Tween*>(controller);
    if (!tween && controller)
        CControllerManager::GetInstance().DestroyController(controller);
    if (!tween)
        Vesk::LogLine("CreateTween: no tween controller of type " + std::to_string(type));
    return tween;
}

} // namespace Game
