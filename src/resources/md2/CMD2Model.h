// An MD2 model as the engine keeps it: the file's texture coordinates, triangles and key frames,
// the named animations derived from the frame names, and the pose that the latest controller
// update asked for. Builds the blended vertex stream that the mesh draws.
#pragma once

#include "math/AABB.h"
#include "math/Matrix4.h"
#include "math/Vector3D.h"
#include "resources/md2/MD2File.h"

#include <map>
#include <string>
#include <vector>

namespace Vesk {

// Key frames of one named animation, both ends inclusive.
struct MD2AnimationRange {
    int start = 0;
    int end = 0;
};

// A pose between two key frames: A + t × (B − A).
struct MD2Blend {
    float t = 0.0f;
    int frameA = 0;
    int frameB = 0;
};

// One vertex of the drawn stream: position, normal, texture coordinate (32 bytes).
struct MD2DrawVertex {
    float position[3];
    float normal[3];
    float uv[2];
};
static_assert(sizeof(MD2DrawVertex) == 32, "MD2 vertices are 32 bytes");

// The animation a frame name belongs to: the text before its first digit, except that a first
// digit other than '0' exactly three characters before the end is kept ("pain101" -> "pain1").
std::string MD2AnimationName(const std::string& frameName);

class CMD2Model {
public:
    using AnimationMap = std::map<std::string, MD2AnimationRange>;

    // Reads and checks the file; a failure logs one line and leaves the model empty.
    bool Load(const std::string& path);
    bool LoadFromMemory(const uint8_t* data, size_t size, const std::string& source);

    const MD2FileData& GetData() const { return m_Data; }
    int GetFrameCount() const { return static_cast<int>(m_Data.frames.size()); }
    const AnimationMap& GetAnimations() const { return m_Animations; }
    // Null when the model has no animation of that name.
    const MD2AnimationRange* FindAnimation(const std::string& name) const;
    // The animation new controllers start with: the first name in ascending order.
    const std::string& GetCurrentAnimationName() const { return m_CurrentAnimationName; }

    void SetBlend(const MD2Blend& blend) { m_Blend = blend; }
    const MD2Blend& GetBlend() const { return m_Blend; }

    // Every vertex of frame 0, unpacked, with z negated.
    void GetVertexPositions(std::vector<CVector3D>& out) const;
    // The box around every vertex of every frame as drawn through the mesh matrix, so that no
    // pose between frames reaches outside it; an inverted box for a model without vertices.
    CAABB GetBounds(const CMatrix4& meshMatrix) const;

    // The triangle list of the pose (three vertices per triangle, in file order): positions and
    // normals blended between frames A and B with z negated, then turned by the mesh matrix applied
    // the way Direct3D applies a world matrix (row vector × matrix); t is held to 0..1. False, with
    // an empty stream, when a frame lies outside the model.
    bool BuildVertices(const MD2Blend& blend, const CMatrix4& meshMatrix, std::vector<MD2DrawVertex>& out) const;

private:
    void ParseAnimations();

    MD2FileData m_Data;
    AnimationMap m_Animations;
    std::string m_CurrentAnimationName;
    MD2Blend m_Blend;
};

} // namespace Vesk
