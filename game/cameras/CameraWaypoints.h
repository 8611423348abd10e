// The menu camera's flight paths as "assets/scripts/camera/cameraWaypts.xml" gives them: the
// children of "waypoints" up to "breaker", at most seven, each with "total_pts", a "look_at"
// point and the points "waypt_1" .. "waypt_N" as "x y z" (any one separator character).
#pragma once

#include "math/Vector3D.h"

#include <string>
#include <vector>

namespace Game {

struct CameraWaypoints {
    static constexpr size_t kMaxPaths = 7;

    // One list of points per path, in file order.
    std::vector<std::vector<CVector3D>> paths;
    // The look-at point of each path read; a path without a readable one adds none.
    std::vector<CVector3D> lookAts;
};

// False, with a log line, when the file or its "waypoints" element is missing (no paths then).
// A point or count that does not read is left out with a log line.
bool LoadCameraWaypoints(const std::string& path, CameraWaypoints& out);

} // namespace Game
