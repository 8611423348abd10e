// Writing of cube meshes as ".vskc" text.
#include "game/voxel/CVeskCubeMesh.h"

#include "core/AtomicFile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace Game {

namespace {

// Six significant digits, fixed or exponent notation, whichever is shorter: a stream's default,
// without the process locale.
void AppendFloat(std::string& out, float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    out.append(buffer, result.ptr);
}

void AppendTriple(std::string& out, const CVector3D& v)
{
    AppendFloat(out, v.x);
    out += ' ';
    AppendFloat(out, v.y);
    out += ' ';
    AppendFloat(out, v.z);
    out += '\n';
}

// Nearest whole number, halves away from zero.
long long RoundColour(float channel)
{
    double magnitude = std::trunc(std::fabs(static_cast<double>(channel)) + 0.5);
    magnitude = std::isnan(magnitude) ? 0.0 : std::min(magnitude, static_cast<double>(INT_MAX));
    const long long whole = static_cast<long long>(magnitude);
    return channel < 0.0f ? -whole : whole;
}

void AppendColour(std::string& out, const CVector3D& c)
{
    out += std::to_string(RoundColour(c.x)) + ' ' + std::to_string(RoundColour(c.y)) + ' ' +
           std::to_string(RoundColour(c.z)) + '\n';
}

} // namespace

bool CVeskCubeMesh::Save(const std::string& path)
{
    for (auto& entry : m_Animations)
        std::stable_sort(entry.second.keyframes.begin(), entry.second.keyframes.end(),
                         [](const CubeKeyframe& a, const CubeKeyframe& b) { return a.frame < b.frame; });

    std::string out = "#VSKCUB\n";
    for (const auto& entry : m_Submeshes) {
        const CubeSubmesh& submesh = *entry.second;
        // The count written is the number of positions, with a colour for each, so that the file
        // reads back as it was whatever state the counts were left in.
        const std::size_t count = submesh.restPositions.size();
        if (count == 0)
            continue;
        out += "# SUBMESHNAME " + submesh.name + "\n# LOCALPOSITION ";
        AppendTriple(out, submesh.localPosition);
        out += "# NUMCUBES " + std::to_string(count) + "\n# POSITIONDATA\n";
        for (const CVector3D& p : submesh.restPositions)
            AppendTriple(out, p);
        out += "# COLORDATA\n";
        for (std::size_t i = 0; i < count; ++i)
            AppendColour(out, i < submesh.colours.size() ? submesh.colours[i] : CVector3D(255.0f, 255.0f, 255.0f));
    }
    out += "# HIERARCHY\n";
    for (const auto& entry : m_Submeshes) {
        const CubeSubmesh& submesh = *entry.second;
        out += submesh.name + ' ' + (submesh.parent ? submesh.parent->name : std::string("NULL")) + '\n';
    }
    for (const auto& entry : m_Animations) {
        out += "# ANIMNAME " + entry.first + "\n # ANIMFPS " + std::to_string(entry.second.fps) + '\n';
        for (const CubeKeyframe& key : entry.second.keyframes) {
            out += " # KEYFRAME " + std::to_string(key.frame) + '\n';
            for (const auto& pose : key.poses) {
                out += "  # SUBMESH " + pose.first + "\n   # KEYPOSITION ";
                AppendTriple(out, pose.second.position);
                out += "   # KEYORIENTATION ";
                AppendTriple(out, CVector3D(pose.second.angles[0], pose.second.angles[1], pose.second.angles[2]));
            }
        }
    }
    return Vesk::WriteFileAtomically(path, out, "CVeskCubeMesh");
}

} // namespace Game
