// Building blocks shared by the voxel-model generators: a shape made of coloured boxes that
// becomes one submesh, speckled colouring, and keyframes that pose every part of a model.
#pragma once

#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubePose.h"

#include "ContentColour.h"

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace ModelKit {

using Game::CubeSubmesh;
using Game::CVeskCubeMesh;

using Cell = std::tuple<int, int, int>;
using Colouring = std::function<CVector3D(int x, int y, int z)>;

// The cubes of one submesh by cell; a later box overwrites the cells it shares with earlier ones.
class Shape {
public:
    void Box(int x0, int y0, int z0, int x1, int y1, int z1, const Colouring& colour)
    {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                for (int z = z0; z <= z1; ++z)
                    m_Cubes[Cell(x, y, z)] = colour(x, y, z);
    }
    void Box(int x0, int y0, int z0, int x1, int y1, int z1, const CVector3D& colour)
    {
        Box(x0, y0, z0, x1, y1, z1, [colour](int, int, int) { return colour; });
    }

    CubeSubmesh* AddTo(CVeskCubeMesh& mesh, const std::string& name, const CVector3D& local) const
    {
        CubeSubmesh* s = mesh.CreateSubmesh(name);
        s->localPosition = local;
        for (const auto& cube : m_Cubes) {
            s->restPositions.push_back(CVector3D(float(std::get<0>(cube.first)), float(std::get<1>(cube.first)),
                                                 float(std::get<2>(cube.first))));
            s->colours.push_back(cube.second);
        }
        s->cubeCount = static_cast<int>(s->restPositions.size());
        return s;
    }

private:
    std::map<Cell, CVector3D> m_Cubes;
};

inline Colouring Speckle(const CVector3D& base)
{
    return [base](int x, int y, int z) { return Speckled(base, x, y, z); };
}

struct Pose {
    const char* submesh;
    CVector3D position;
    float a, b, c;
};

inline void AddKeyframe(CVeskCubeMesh& mesh, const std::string& clip, int fps, int frame,
                        const std::vector<Pose>& poses)
{
    Game::CubeAnimation& animation = mesh.GetOrCreateAnimation(clip);
    animation.fps = fps;
    Game::CubeKeyframe& key = Game::FindOrInsertKeyframe(animation, frame);
    for (const Pose& p : poses) {
        Game::CubeKeyPose& pose = key.poses[p.submesh];
        pose.position = p.position;
        pose.rotation = Game::EulerToMatrix(p.a, p.b, p.c);
        pose.angles[0] = p.a;
        pose.angles[1] = p.b;
        pose.angles[2] = p.c;
    }
}

} // namespace ModelKit
