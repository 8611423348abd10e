// Data of voxel-cube models: a submesh (its cubes with colours, its pose, the per-cube drawing
// state written by animation and debris, its place in the hierarchy), the keyframe animations
// with their per-submesh poses, and the face-neighbour codes made by hidden-cube removal.
#pragma once

#include "math/AABB.h"
#include "math/Matrix3.h"
#include "math/Matrix4.h"
#include "math/Vector3D.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Game {

// CubeNeighbourCode: one decimal digit per face neighbour that is present.
constexpr uint32_t kNeighbourPlusX = 1;
constexpr uint32_t kNeighbourMinusX = 10;
constexpr uint32_t kNeighbourPlusY = 100;
constexpr uint32_t kNeighbourMinusY = 1000;
constexpr uint32_t kNeighbourPlusZ = 10000;
constexpr uint32_t kNeighbourMinusZ = 100000;
constexpr uint32_t kCubeEnclosed = 111111;

// Cube positions are in cube units; each cube is a unit cube centred on its position.
struct CubeSubmesh {
    std::string name;
    CVector3D localPosition; // relative to the parent; overwritten by the animation pose
    CMatrix3 rotation;       // pose rotation, written by the animation controller
    int cubeCount = 0;
    bool debris = false;     // drawn from its own positions and matrices; cleared after each draw
    bool visible = true;     // false: no records are appended
    int visibleCount = 0;    // cubes not enclosed on all six sides, stored first
    CAABB box;               // in mesh space
    float shadeValue = 0.0f; // handed to the cube shader

    // Per cube, in step after hidden-cube removal.
    std::vector<CVector3D> restPositions;
    std::vector<CVector3D> colours; // r, g, b on the 0-255 scale
    std::vector<CVector3D> currentPositions;
    std::vector<uint32_t> neighbourCodes;
    std::vector<float> flashValues;
    // Every flying cube of a shattered submesh keeps the same rotation: one matrix for them all.
    CMatrix4 debrisMatrix;

    std::vector<CubeSubmesh*> children; // not owned
    CubeSubmesh* parent = nullptr;
};

struct CubeKeyPose {
    CVector3D position;
    CMatrix3 rotation;
    float angles[3] = {0.0f, 0.0f, 0.0f}; // degrees, as given, so that they are written back unchanged
};

struct CubeKeyframe {
    int frame = 0;
    std::map<std::string, CubeKeyPose> poses; // by submesh name
};

struct CubeAnimation {
    int fps = 0;
    std::vector<CubeKeyframe> keyframes; // ascending, one per frame number
};

// The keyframe with that frame number, inserted in frame order when there is none.
CubeKeyframe& FindOrInsertKeyframe(CubeAnimation& animation, int frame);

} // namespace Game
