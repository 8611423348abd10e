// What a run of the game registers once, before its first state: the cameras by name, the cube
// renderer and the cube-model loader, the entity, controller and collision-group types, and the
// entity factory.
#pragma once

namespace Game {

// "viewercam", "objectcam", "editorcamera", "terraineditorcamera", "sidescrolling", "menucamera".
void RegisterCameras();
// The cameras, then everything else above; the renderer must be up.
void RegisterGameTypes();

} // namespace Game
