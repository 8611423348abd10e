#include "resources/md2/CMD2Model.h"

#include "core/Log.h"
#include "platform/win/RegularFile.h"
#include "resources/md2/MD2Normals.h"

#include <iostream>
#include <iterator>

namespace Vesk {

namespace {

// Far above any real MD2 model (512 frames of 2048 vertices are about 4 MB).
constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;

CVector3D Unpack(const MD2Frame& frame, const MD2PackedVertex& vertex)
{
    return CVector3D(vertex.position[0] * frame.scale[0] + frame.translate[0],
                     vertex.position[1] * frame.scale[1] + frame.translate[1],
                     vertex.position[2] * frame.scale[2] + frame.translate[2]);
}

CVector3D Normal(const MD2PackedVertex& vertex)
{
    const float* n = kMD2Normals[vertex.normal];
    return CVector3D(n[0], n[1], n[2]);
}

CVector3D Lerp(const CVector3D& a, const CVector3D& b, float t) { return a + (b - a) * t; }

// Row vector × matrix, as Direct3D applies a world matrix; translation only for points.
CVector3D TransformRow(const CMatrix4& m, const CVector3D& v, float w)
{
    CVector3D out;
    for (unsigned column = 0; column < 3; ++column)
        out[column] = v.x * m(0, column) + v.y * m(1, column) + v.z * m(2, column) + w * m(3, column);
    return out;
}

void Store(float* out, const CVector3D& v)
{
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

void LogAnimation(const std::string& name, const MD2AnimationRange& range)
{
    std::cout << "MD2 Loading.. Animation Name: " << name << "\n"
              << "Start: " << range.start << " End: " << range.end << std::endl;
}

} // namespace

std::string MD2AnimationName(const std::string& frameName)
{
    const size_t digit = frameName.find_first_of("0123456789");
    if (digit == std::string::npos)
        return frameName;
    if (digit + 3 == frameName.size() && frameName[digit] != '0')
        return frameName.substr(0, digit + 1);
    return frameName.substr(0, digit);
}

bool CMD2Model::Load(const std::string& path)
{
    std::string bytes, error;
    if (!win::ReadRegularFile(path, bytes, error, kMaxFileSize)) {
        LogLine("CMD2Mesh: cannot open " + path + ": " + error);
        *this = CMD2Model();
        return false;
    }
    return LoadFromMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), path);
}

bool CMD2Model::LoadFromMemory(const uint8_t* data, size_t size, const std::string& source)
{
    *this = CMD2Model();
    std::string error;
    if (!ParseMD2(data, size, m_Data, error)) {
        LogLine("CMD2Mesh: " + source + ": " + error);
        return false;
    }
    ParseAnimations();
    return true;
}

void CMD2Model::ParseAnimations()
{
    std::string current;
    MD2AnimationRange range;
    // A name met again later keeps its first range, but every run is logged.
    auto record = [this, &current, &range] {
        m_Animations.emplace(current, range);
        LogAnimation(current, range);
    };
    for (int i = 0; i < GetFrameCount(); ++i) {
        const std::string name = MD2AnimationName(m_Data.frames[static_cast<size_t>(i)].name);
        if (name == current) {
            range.end = i;
            continue;
        }
        if (i > 0)
            record();
        range.start = range.end = i;
        current = name;
    }
    record();
    m_CurrentAnimationName = m_Animations.begin()->first;
}

const MD2AnimationRange* CMD2Model::FindAnimation(const std::string& name) const
{
    const auto found = m_Animations.find(name);
    return found == m_Animations.end() ? nullptr : &found->second;
}

void CMD2Model::GetVertexPositions(std::vector<CVector3D>& out) const
{
    out.clear();
    if (m_Data.frames.empty())
        return;
    const MD2Frame& frame = m_Data.frames.front();
    for (const MD2PackedVertex& vertex : frame.vertices) {
        CVector3D p = Unpack(frame, vertex);
        p.z = -p.z;
        out.push_back(p);
    }
}

CAABB CMD2Model::GetBounds(const CMatrix4& meshMatrix) const
{
    std::vector<CVector3D> points;
    for (const MD2Frame& frame : m_Data.frames) {
        for (const MD2PackedVertex& vertex : frame.vertices) {
            CVector3D p = Unpack(frame, vertex);
            p.z = -p.z;
            points.push_back(TransformRow(meshMatrix, p, 1.0f));
        }
    }
    return CAABB::FromPoints(points.data(), static_cast<int>(points.size()));
}

bool CMD2Model::BuildVertices(const MD2Blend& blend, const CMatrix4& meshMatrix, std::vector<MD2DrawVertex>& out) const
{
    out.clear();
    const int frames = GetFrameCount();
    if (blend.frameA < 0 || blend.frameA >= frames || blend.frameB < 0 || blend.frameB >= frames)
        return false;
    // A step of several frames leaves t above 1; the pose stops at frame B instead of overshooting.
    float t = blend.t > 0.0f ? blend.t : 0.0f;
    t = t < 1.0f ? t : 1.0f;

    const MD2Frame& a = m_Data.frames[static_cast<size_t>(blend.frameA)];
    const MD2Frame& b = m_Data.frames[static_cast<size_t>(blend.frameB)];
    const float skinWidth = static_cast<float>(m_Data.header.skinWidth);
    const float skinHeight = static_cast<float>(m_Data.header.skinHeight);
    out.reserve(m_Data.triangles.size() * 3);
    for (const MD2Triangle& triangle : m_Data.triangles) {
        for (int corner = 0; corner < 3; ++corner) {
            const MD2PackedVertex& va = a.vertices[triangle.vertex[corner]];
            const MD2PackedVertex& vb = b.vertices[triangle.vertex[corner]];
            CVector3D position = Lerp(Unpack(a, va), Unpack(b, vb), t);
            CVector3D normal = Lerp(Normal(va), Normal(vb), t);
            position.z = -position.z;
            normal.z = -normal.z;

            MD2DrawVertex vertex;
            Store(vertex.position, TransformRow(meshMatrix, position, 1.0f));
            Store(vertex.normal, TransformRow(meshMatrix, normal, 0.0f));
            const MD2TexCoord& st = m_Data.texCoords[triangle.texCoord[corner]];
            vertex.uv[0] = st.s / skinWidth;
            vertex.uv[1] = st.t / skinHeight;
            out.push_back(vertex);
        }
    }
    return true;
}

} // namespace Vesk
