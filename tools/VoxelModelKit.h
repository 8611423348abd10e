// Building blocks shared by the voxel-model generators: a shape made of coloured boxes that
// becomes one submesh, speckled colouring, keyframes that pose every part of a model, and the rig
// that keeps each part's rest place so keyframes need name only the parts that move.
#pragma once

#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubePose.h"

#include "ContentColour.h"
#include "GeneratorOutputs.h"

#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <utility>
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

    // The cells whose centres lie inside the ellipsoid; with a shell depth, only the outer layer
    // of that depth (the inside of a big part is never seen).
    void Ellipsoid(float cx, float cy, float cz, float rx, float ry, float rz, const Colouring& colour,
                   float shell = 0.0f)
    {
        const auto inside = [&](int x, int y, int z, float shrink) {
            const float dx = (float(x) - cx) / (rx - shrink), dy = (float(y) - cy) / (ry - shrink),
                        dz = (float(z) - cz) / (rz - shrink);
            return dx * dx + dy * dy + dz * dz <= 1.0f;
        };
        for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x)
            for (int y = int(cy - ry) - 1; y <= int(cy + ry) + 1; ++y)
                for (int z = int(cz - rz) - 1; z <= int(cz + rz) + 1; ++z)
                    if (inside(x, y, z, 0.0f) && (shell <= 0.0f || !inside(x, y, z, shell)))
                        m_Cubes[Cell(x, y, z)] = colour(x, y, z);
    }
    void Ellipsoid(float cx, float cy, float cz, float rx, float ry, float rz, const CVector3D& colour)
    {
        Ellipsoid(cx, cy, cz, rx, ry, rz, [colour](int, int, int) { return colour; });
    }
    // Recolours the frontmost (lowest z) cell of every column in the rectangle: faces and marks on
    // round surfaces.
    void PaintFront(int x0, int y0, int x1, int y1, const CVector3D& colour)
    {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) {
                CVector3D* front = nullptr;
                int frontZ = 0;
                for (auto& cube : m_Cubes)
                    if (std::get<0>(cube.first) == x && std::get<1>(cube.first) == y &&
                        (!front || std::get<2>(cube.first) < frontZ)) {
                        front = &cube.second;
                        frontZ = std::get<2>(cube.first);
                    }
                if (front)
                    *front = colour;
            }
    }
    // Drops the cells with two filled layers around them on all six sides: the inside of a big
    // block is never seen, and the two layers left still hide it when an outer cube flies off.
    void Hollow()
    {
        std::vector<Cell> inner;
        for (const auto& cube : m_Cubes) {
            const auto [x, y, z] = cube.first;
            bool enclosed = true;
            for (int d = 1; d <= 2 && enclosed; ++d)
                enclosed = m_Cubes.count(Cell(x + d, y, z)) && m_Cubes.count(Cell(x - d, y, z)) &&
                           m_Cubes.count(Cell(x, y + d, z)) && m_Cubes.count(Cell(x, y - d, z)) &&
                           m_Cubes.count(Cell(x, y, z + d)) && m_Cubes.count(Cell(x, y, z - d));
            if (enclosed)
                inner.push_back(cube.first);
        }
        for (const Cell& cell : inner)
            m_Cubes.erase(cell);
    }
    // Drops the cells below the height (flat bottoms of round shapes).
    void CutBelow(int y)
    {
        for (auto it = m_Cubes.begin(); it != m_Cubes.end();)
            it = std::get<1>(it->first) < y ? m_Cubes.erase(it) : std::next(it);
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

// One part's place in a keyframe: its rest place moved by the offset, turned by the angles
// (degrees: a about x, positive swinging a hanging limb forward to -z; b about y; c about z,
// positive swinging a hanging limb to +x).
struct Move {
    Move(std::string partName, float aboutX = 0.0f, float aboutY = 0.0f, float aboutZ = 0.0f,
         const CVector3D& shift = CVector3D())
        : part(std::move(partName)), a(aboutX), b(aboutY), c(aboutZ), offset(shift)
    {
    }
    std::string part;
    float a, b, c;
    CVector3D offset;
};

// The parts of one model with their rest places. A keyframe poses every part: those not named
// stand at rest. A move naming no part is a generator fault and makes Save fail.
class Rig {
public:
    explicit Rig(CVeskCubeMesh& mesh) : m_Mesh(mesh) {}

    CubeSubmesh* Part(const Shape& shape, const std::string& name, const CVector3D& at, CubeSubmesh* parent = nullptr)
    {
        CubeSubmesh* s = shape.AddTo(m_Mesh, name, at);
        if (!s) {
            std::fprintf(stderr, "Rig: part %s given twice\n", name.c_str());
            ++m_Faults;
            return nullptr;
        }
        if (parent)
            m_Mesh.SetSubmeshParent(s, parent);
        m_Rest.emplace_back(name, at);
        return s;
    }

    void Key(const std::string& clip, int fps, int frame, const std::vector<Move>& moves)
    {
        std::vector<Pose> poses;
        for (const auto& rest : m_Rest)
            poses.push_back(Pose{rest.first.c_str(), rest.second, 0.0f, 0.0f, 0.0f});
        for (const Move& move : moves) {
            bool found = false;
            for (Pose& pose : poses)
                if (move.part == pose.submesh) {
                    pose.position = pose.position + move.offset;
                    pose.a = move.a;
                    pose.b = move.b;
                    pose.c = move.c;
                    found = true;
                }
            if (!found) {
                std::fprintf(stderr, "Rig: clip %s moves the unknown part %s\n", clip.c_str(), move.part.c_str());
                ++m_Faults;
            }
        }
        AddKeyframe(m_Mesh, clip, fps, frame, poses);
    }

    // Hidden cubes removed, the mesh written; false on any fault met while building.
    bool Save(const std::string& path)
    {
        m_Mesh.RemoveHiddenCubesAll();
        return m_Faults == 0 && m_Mesh.Save(path);
    }

private:
    CVeskCubeMesh& m_Mesh;
    std::vector<std::pair<std::string, CVector3D>> m_Rest;
    int m_Faults = 0;
};

// One file a generator writes: its name in the output directory and the function making it.
// Model generators write into the meshes folder by default.
inline int WriteOutputs(const char* tool, int argc, char** argv, const std::vector<GeneratorOutput>& outputs)
{
    return ::WriteOutputs(tool, argc, argv, "bin/assets/meshes", outputs);
}

} // namespace ModelKit
