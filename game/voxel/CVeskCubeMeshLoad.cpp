// Reading of ".vskc" files into a cube mesh.
#include "game/voxel/CVeskCubeMesh.h"

#include "game/voxel/CubePose.h"
#include "game/voxel/VskcScanner.h"

#include "core/Log.h"
#include "platform/win/RegularFile.h"

#include <algorithm>

namespace Game {

namespace {

// Keyframe numbers lie far inside this in every clip; beyond it a file is taken as damaged.
constexpr int kMaxKeyframeNumber = 1000000;

} // namespace

// One pass over the sections of a file, keeping the current submesh, animation, keyframe and
// pose target. A false result from a section means the reading ends there.
class VskcReader {
public:
    VskcReader(CVeskCubeMesh& mesh, VskcScanner& in, const std::string& path) : m_Mesh(mesh), m_In(in), m_Path(path) {}

    void Run()
    {
        char c;
        while (m_In.NextChar(c)) {
            if (c != '#')
                continue;
            std::string_view keyword;
            if (!m_In.ReadWord(keyword) || !Section(keyword))
                break;
        }
        if (m_Stop.empty())
            return;
        Vesk::LogLine("CVeskCubeMesh: \"" + m_Path + "\" " + m_Stop + " at byte " + std::to_string(m_In.Offset()) +
                      "; keeping what was read");
    }

    const CMatrix4& GetScale() const { return m_Scale; }

private:
    bool Section(std::string_view keyword)
    {
        if (keyword == "MESHSCALE")
            return MeshScale();
        if (keyword == "SUBMESHNAME")
            return SubmeshName();
        if (keyword == "LOCALPOSITION") {
            CVector3D p;
            if (!Triple(p))
                return false;
            if (m_Submesh)
                m_Submesh->localPosition = p;
            return true;
        }
        if (keyword == "NUMCUBES") {
            int count;
            if (!Int(count))
                return false;
            if (m_Submesh)
                m_Submesh->cubeCount = count;
            return true;
        }
        if (keyword == "POSITIONDATA")
            return PositionData();
        if (keyword == "COLORDATA")
            return ColourData();
        if (keyword == "HIERARCHY")
            return Hierarchy();
        if (keyword == "ANIMNAME")
            return AnimName();
        if (keyword == "ANIMFPS") {
            int fps;
            if (!Int(fps))
                return false;
            if (m_Animation)
                m_Animation->fps = fps;
            return true;
        }
        if (keyword == "KEYFRAME")
            return Keyframe();
        if (keyword == "SUBMESH")
            return PoseSubmesh();
        if (keyword == "KEYPOSITION") {
            CVector3D p;
            if (!Triple(p))
                return false;
            if (m_Pose)
                m_Pose->position = p;
            return true;
        }
        if (keyword == "KEYORIENTATION") {
            CVector3D a;
            if (!Triple(a))
                return false;
            if (m_Pose) {
                m_Pose->rotation = EulerToMatrix(a.x, a.y, a.z);
                m_Pose->angles[0] = a.x;
                m_Pose->angles[1] = a.y;
                m_Pose->angles[2] = a.z;
            }
            return true;
        }
        return true;
    }

    bool Check(VskcScanner::Result result, const char* what)
    {
        if (result == VskcScanner::Result::Ok)
            return true;
        m_Stop = result == VskcScanner::Result::End ? std::string("ends early") : std::string("has no ") + what;
        return false;
    }

    bool Float(float& v) { return Check(m_In.ReadFloat(v), "number"); }
    bool Int(int& v) { return Check(m_In.ReadInt(v), "whole number"); }
    bool Triple(CVector3D& v) { return Float(v.x) && Float(v.y) && Float(v.z); }
    bool Word(std::string& word)
    {
        std::string_view view;
        if (!m_In.ReadWord(view)) {
            m_Stop = "ends early";
            return false;
        }
        word.assign(view.data(), view.size());
        return true;
    }

    // Each cube needs at least six characters of text: never reserve more than the text holds.
    std::size_t Reservable(int count) const
    {
        return std::min<std::size_t>(static_cast<std::size_t>(count), m_In.Remaining() / 6 + 1);
    }

    bool MeshScale()
    {
        float s;
        if (!Float(s))
            return false;
        m_Scale.m[0] = m_Scale.m[5] = m_Scale.m[10] = s;
        return true;
    }

    bool SubmeshName()
    {
        auto submesh = std::make_unique<CubeSubmesh>();
        if (!Word(submesh->name))
            return false;
        const std::string name = submesh->name;
        if (m_Mesh.m_Submeshes.count(name)) {
            // A repeated name keeps the first submesh; what follows for this one is dropped.
            m_Dropped = std::move(submesh);
            m_Submesh = m_Dropped.get();
            return true;
        }
        m_Submesh = submesh.get();
        m_Mesh.m_Submeshes.emplace(name, std::move(submesh));
        return true;
    }

    bool PositionData()
    {
        if (!m_Submesh || m_Submesh->cubeCount <= 0)
            return true;
        // Only the positions are read here; the per-cube drawing state is sized once, by the
        // hidden-cube removal at the end of the load.
        const bool kept = m_Submesh != m_Dropped.get();
        std::vector<CVector3D>& positions = m_Submesh->restPositions;
        positions.reserve(positions.size() + Reservable(m_Submesh->cubeCount));
        for (int i = 0; i < m_Submesh->cubeCount; ++i) {
            CVector3D p;
            if (!Triple(p))
                return false;
            positions.push_back(p);
            if (kept)
                m_Mesh.m_RawCubeBounds.Merge(CAABB(p, p));
        }
        return true;
    }

    bool ColourData()
    {
        if (!m_Submesh || m_Submesh->cubeCount <= 0)
            return true;
        m_Submesh->colours.reserve(m_Submesh->colours.size() + Reservable(m_Submesh->cubeCount));
        for (int i = 0; i < m_Submesh->cubeCount; ++i) {
            CVector3D c;
            if (!Triple(c))
                return false;
            m_Submesh->colours.push_back(c);
        }
        return true;
    }

    // Child and parent name pairs up to the next section. Pairs naming anything but two
    // submeshes of the mesh link nothing ("NULL" parents among them).
    bool Hierarchy()
    {
        char next;
        while (m_In.PeekChar(next) && next != '#') {
            std::string child, parent;
            if (!Word(child) || !Word(parent))
                return false;
            CubeSubmesh* c = m_Mesh.FindSubmesh(child);
            CubeSubmesh* p = m_Mesh.FindSubmesh(parent);
            if (c && p)
                m_Mesh.LinkSubmesh(c, p);
        }
        return true;
    }

    bool AnimName()
    {
        std::string name;
        if (!Word(name))
            return false;
        m_Animation = &m_Mesh.m_Animations[name];
        m_Keyframe = nullptr;
        m_Pose = nullptr;
        return true;
    }

    bool Keyframe()
    {
        int frame;
        if (!Int(frame))
            return false;
        if (frame < -kMaxKeyframeNumber || frame > kMaxKeyframeNumber) {
            m_Stop =
                "has keyframe number " + std::to_string(frame) + " (beyond " + std::to_string(kMaxKeyframeNumber) + ")";
            return false;
        }
        m_Pose = nullptr;
        if (m_Animation)
            m_Keyframe = &FindOrInsertKeyframe(*m_Animation, frame);
        return true;
    }

    bool PoseSubmesh()
    {
        std::string name;
        if (!Word(name))
            return false;
        m_Pose = m_Keyframe && m_Mesh.FindSubmesh(name) ? &m_Keyframe->poses[name] : nullptr;
        return true;
    }

    CVeskCubeMesh& m_Mesh;
    VskcScanner& m_In;
    const std::string& m_Path;
    std::string m_Stop;
    CMatrix4 m_Scale;
    CubeSubmesh* m_Submesh = nullptr;
    std::unique_ptr<CubeSubmesh> m_Dropped;
    CubeAnimation* m_Animation = nullptr;
    CubeKeyframe* m_Keyframe = nullptr;
    CubeKeyPose* m_Pose = nullptr;
};

bool CVeskCubeMesh::Load(const std::string& path)
{
    std::string text, error;
    if (!win::ReadRegularFile(path, text, error)) {
        Vesk::LogLine("CVeskCubeMesh: cannot read \"" + path + "\": " + error);
        return false;
    }
    VskcScanner in(text);
    std::string_view first;
    if (!in.ReadWord(first) || first != "#VSKCUB") {
        Vesk::LogLine("CVeskCubeMesh: \"" + path + "\" is not a voxel-cube model (no \"#VSKCUB\" at its start)");
        return false;
    }

    VskcReader reader(*this, in, path);
    reader.Run();

    RebuildRootList();
    m_MeshMatrix = reader.GetScale();
    // Also gives every cube a colour (white where the file left them out) and its drawing state.
    RemoveHiddenCubesAll();
    ComputeBounds();
    return true;
}

} // namespace Game
