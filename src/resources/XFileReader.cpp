#include "resources/XFileReader.h"

#include "platform/gfx/Types.h"
#include "platform/win/RegularFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <map>
#include <string_view>
#include <utility>

namespace Vesk {

namespace {

// Frames nest no deeper than this; deeper files are refused rather than recursed into.
constexpr int kMaxFrameDepth = 64;
// The fewest bytes an entry of a list takes in the text: a number and its separator, three of
// them for a vector, a corner count and three corners for a face, "{a}" for a material.
constexpr size_t kNumberBytes = 2;
constexpr size_t kVectorBytes = 3 * kNumberBytes;
constexpr size_t kFaceBytes = 4 * kNumberBytes;
constexpr size_t kMaterialBytes = 3;

struct Token {
    enum Kind { Word, Open, Close, String, Guid, End } kind = End;
    std::string_view text;
};

// Splits the text after the header into words, braces, strings and GUIDs. Commas and semicolons
// only separate values, so they are skipped like white space; "//" and "#" start comments.
class Lexer {
public:
    explicit Lexer(std::string_view text) : m_Text(text) {}

    Token Next()
    {
        Token token = Peek();
        m_HasPeek = false;
        return token;
    }

    const Token& Peek()
    {
        if (!m_HasPeek) {
            m_Peek = Read();
            m_HasPeek = true;
        }
        return m_Peek;
    }

    // Bytes not yet read (a peeked token counts as read).
    size_t Remaining() const { return m_Text.size() - m_Pos; }

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';'; }
    static bool EndsWord(char c) { return IsSpace(c) || c == '{' || c == '}' || c == '"' || c == '<'; }

    Token Read()
    {
        SkipSeparators();
        if (m_Pos >= m_Text.size())
            return {Token::End, {}};
        const char c = m_Text[m_Pos];
        if (c == '{' || c == '}') {
            ++m_Pos;
            return {c == '{' ? Token::Open : Token::Close, m_Text.substr(m_Pos - 1, 1)};
        }
        if (c == '"' || c == '<') {
            const char close = c == '"' ? '"' : '>';
            const size_t end = m_Text.find(close, m_Pos + 1);
            if (end == std::string_view::npos) {
                m_Pos = m_Text.size();
                return {Token::End, {}};
            }
            Token token{c == '"' ? Token::String : Token::Guid, m_Text.substr(m_Pos + 1, end - m_Pos - 1)};
            m_Pos = end + 1;
            return token;
        }
        const size_t start = m_Pos;
        while (m_Pos < m_Text.size() && !EndsWord(m_Text[m_Pos]))
            ++m_Pos;
        return {Token::Word, m_Text.substr(start, m_Pos - start)};
    }

    void SkipSeparators()
    {
        while (m_Pos < m_Text.size()) {
            const char c = m_Text[m_Pos];
            if (IsSpace(c)) {
                ++m_Pos;
            } else if (c == '#' || (c == '/' && m_Pos + 1 < m_Text.size() && m_Text[m_Pos + 1] == '/')) {
                const size_t end = m_Text.find('\n', m_Pos);
                m_Pos = end == std::string_view::npos ? m_Text.size() : end + 1;
            } else {
                return;
            }
        }
    }

    std::string_view m_Text;
    size_t m_Pos = 0;
    bool m_HasPeek = false;
    Token m_Peek;
};

using Vec3 = std::array<float, 3>;

// One Mesh object as written in the file, before its frame transform is applied.
struct RawMesh {
    std::vector<Vec3> positions;
    std::vector<std::vector<unsigned>> faces;
    std::vector<Vec3> normals;
    std::vector<std::vector<unsigned>> faceNormals; // empty when the mesh has no normals
    std::vector<std::array<float, 2>> uvs;          // empty when the mesh has no coordinates
    unsigned materialCount = 0;                     // 0 when the mesh has no material list
    std::vector<unsigned> faceMaterials;
};

struct Frame {
    gfx::Matrix transform;
    std::vector<RawMesh> meshes;
    std::vector<Frame> children;
};

class Parser {
public:
    explicit Parser(std::string_view body) : m_Lexer(body) {}

    bool Parse(Frame& root, std::string& error)
    {
        const bool ok = ParseChildren(root, 0, true);
        error = m_Error;
        return ok;
    }

private:
    bool Fail(const std::string& why)
    {
        if (m_Error.empty())
            m_Error = why;
        return false;
    }

    bool ReadUnsigned(unsigned& value, const char* what)
    {
        const Token token = m_Lexer.Next();
        const char* end = token.text.data() + token.text.size();
        const std::from_chars_result result = std::from_chars(token.text.data(), end, value);
        if (token.kind != Token::Word || result.ptr != end)
            return Fail(std::string("expected a count or index for ") + what);
        if (result.ec != std::errc())
            return Fail(std::string("a number too large for ") + what);
        return true;
    }

    // A count of items that each take at least bytesEach bytes of the text still to come (the
    // last one perhaps a byte less): a larger count is refused before anything is allocated.
    bool ReadCount(unsigned& count, size_t bytesEach, const char* what, unsigned limit = UINT_MAX)
    {
        if (!ReadUnsigned(count, what))
            return false;
        if (count > limit)
            return Fail(std::string("too many entries in ") + what);
        if (count > m_Lexer.Remaining() / bytesEach + 1)
            return Fail(std::string("more entries in ") + what + " than the file can hold");
        return true;
    }

    bool ReadFloat(float& value, const char* what)
    {
        const Token token = m_Lexer.Next();
        const char* end = token.text.data() + token.text.size();
        if (token.kind != Token::Word || std::from_chars(token.text.data(), end, value).ptr != end ||
            !std::isfinite(value))
            return Fail(std::string("expected a number in ") + what);
        return true;
    }

    bool ReadFloats(float* values, int count, const char* what)
    {
        for (int i = 0; i < count; ++i) {
            if (!ReadFloat(values[i], what))
                return false;
        }
        return true;
    }

    // Skips to the brace that closes the object whose opening brace was just read.
    bool SkipBlock()
    {
        int depth = 1;
        while (depth > 0) {
            const Token token = m_Lexer.Next();
            if (token.kind == Token::End)
                return Fail("the file ends inside an object");
            depth += token.kind == Token::Open ? 1 : token.kind == Token::Close ? -1 : 0;
        }
        return true;
    }

    // Reads "Type [name] [<guid>] {" up to the brace; type is empty for a bare "{ reference }".
    bool OpenObject(std::string_view& type)
    {
        Token token = m_Lexer.Next();
        type = {};
        if (token.kind == Token::Word) {
            type = token.text;
            if (m_Lexer.Peek().kind == Token::Word)
                m_Lexer.Next();
            if (m_Lexer.Peek().kind == Token::Guid)
                m_Lexer.Next();
            token = m_Lexer.Next();
        }
        if (token.kind != Token::Open)
            return Fail(type.empty() ? "expected an object" : "expected \"{\" after " + std::string(type));
        return true;
    }

    // Objects of a frame (or of the file, at the top level) up to its closing brace.
    bool ParseChildren(Frame& frame, int depth, bool topLevel)
    {
        for (;;) {
            const Token::Kind next = m_Lexer.Peek().kind;
            if (next == Token::End) {
                if (topLevel)
                    return true;
                return Fail("the file ends inside a frame");
            }
            if (next == Token::Close) {
                m_Lexer.Next();
                if (topLevel)
                    return Fail("unbalanced \"}\"");
                return true;
            }
            std::string_view type;
            if (!OpenObject(type))
                return false;
            bool ok = true;
            if (type == "Mesh") {
                frame.meshes.emplace_back();
                ok = ParseMesh(frame.meshes.back());
            } else if (type == "Frame") {
                if (depth + 1 > kMaxFrameDepth)
                    return Fail("frames nest too deeply");
                frame.children.emplace_back();
                ok = ParseChildren(frame.children.back(), depth + 1, false);
            } else if (type == "FrameTransformMatrix" && !topLevel) {
                ok = ReadFloats(frame.transform.m, 16, "FrameTransformMatrix") && SkipBlock();
            } else {
                ok = SkipBlock();
            }
            if (!ok)
                return false;
        }
    }

    bool ParseMesh(RawMesh& mesh)
    {
        unsigned vertexCount = 0;
        if (!ReadCount(vertexCount, kVectorBytes, "the vertex count", kMaxXFileVertices))
            return false;
        mesh.positions.resize(vertexCount);
        for (Vec3& p : mesh.positions) {
            if (!ReadFloats(p.data(), 3, "the vertex positions"))
                return false;
        }
        if (!ReadFaces(mesh.faces, vertexCount, nullptr, "the faces"))
            return false;
        for (;;) {
            const Token::Kind next = m_Lexer.Peek().kind;
            if (next == Token::Close) {
                m_Lexer.Next();
                return true;
            }
            if (next == Token::End)
                return Fail("the file ends inside a mesh");
            std::string_view type;
            if (!OpenObject(type))
                return false;
            bool ok = true;
            if (type == "MeshNormals")
                ok = ParseNormals(mesh);
            else if (type == "MeshTextureCoords")
                ok = ParseTextureCoords(mesh);
            else if (type == "MeshMaterialList")
                ok = ParseMaterialList(mesh);
            if (!ok || !SkipBlock())
                return false;
        }
    }

    // A face count, then per face its corner count and corners, each below indexLimit. With
    // shape given, every face must have the corner count of the matching face of shape.
    bool ReadFaces(std::vector<std::vector<unsigned>>& faces, unsigned indexLimit,
                   const std::vector<std::vector<unsigned>>* shape, const char* what)
    {
        unsigned faceCount = 0;
        if (!ReadCount(faceCount, kFaceBytes, what))
            return false;
        if (shape && faceCount != shape->size())
            return Fail(std::string("the face count of ") + what + " differs from the mesh's");
        for (unsigned f = 0; f < faceCount; ++f) {
            unsigned corners = 0;
            if (!ReadUnsigned(corners, what))
                return false;
            if (corners < 3)
                return Fail(std::string("a face with fewer than three corners in ") + what);
            if (shape && corners != (*shape)[f].size())
                return Fail(std::string("a face of ") + what + " differs in corners from the mesh's");
            std::vector<unsigned> face;
            for (unsigned c = 0; c < corners; ++c) {
                unsigned index = 0;
                if (!ReadUnsigned(index, what))
                    return false;
                if (index >= indexLimit)
                    return Fail(std::string("an index out of range in ") + what);
                face.push_back(index);
            }
            faces.push_back(std::move(face));
        }
        return true;
    }

    bool ParseNormals(RawMesh& mesh)
    {
        unsigned count = 0;
        if (!ReadCount(count, kVectorBytes, "the normal count"))
            return false;
        mesh.normals.clear();
        for (unsigned i = 0; i < count; ++i) {
            Vec3 n;
            if (!ReadFloats(n.data(), 3, "the normals"))
                return false;
            mesh.normals.push_back(n);
        }
        mesh.faceNormals.clear();
        return ReadFaces(mesh.faceNormals, count, &mesh.faces, "the face normals");
    }

    bool ParseTextureCoords(RawMesh& mesh)
    {
        unsigned count = 0;
        if (!ReadUnsigned(count, "the texture coordinate count"))
            return false;
        if (count != mesh.positions.size())
            return Fail("the texture coordinate count differs from the vertex count");
        mesh.uvs.resize(count);
        for (auto& uv : mesh.uvs) {
            if (!ReadFloats(uv.data(), 2, "the texture coordinates"))
                return false;
        }
        return true;
    }

    bool ParseMaterialList(RawMesh& mesh)
    {
        unsigned materialCount = 0, indexCount = 0;
        if (!ReadCount(materialCount, kMaterialBytes, "the material count") ||
            !ReadCount(indexCount, kNumberBytes, "the material indices"))
            return false;
        // One index stands for every face.
        if (indexCount != mesh.faces.size() && indexCount != 1)
            return Fail("the material index count differs from the face count");
        mesh.faceMaterials.clear();
        for (unsigned i = 0; i < indexCount; ++i) {
            unsigned material = 0;
            if (!ReadUnsigned(material, "the material indices"))
                return false;
            if (material >= materialCount)
                return Fail("a face names a material outside the list");
            mesh.faceMaterials.push_back(material);
        }
        if (indexCount == 1)
            mesh.faceMaterials.assign(mesh.faces.size(), mesh.faceMaterials.front());
        mesh.materialCount = materialCount;
        return true;
    }

    Lexer m_Lexer;
    std::string m_Error;
};

Vec3 TransformPoint(const Vec3& p, const gfx::Matrix& m)
{
    Vec3 out;
    for (int c = 0; c < 3; ++c)
        out[c] = p[0] * m(0, c) + p[1] * m(1, c) + p[2] * m(2, c) + m(3, c);
    return out;
}

// Normals go through the inverse transpose of the upper 3x3 block: its cofactors divided by the
// determinant, of which only the sign matters before normalising.
Vec3 TransformNormal(const Vec3& n, const gfx::Matrix& m)
{
    auto a = [&m](int r, int c) { return m(r % 3, c % 3); };
    float cof[3][3];
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            cof[r][c] = a(r + 1, c + 1) * a(r + 2, c + 2) - a(r + 1, c + 2) * a(r + 2, c + 1);
    }
    const float det = m(0, 0) * cof[0][0] + m(0, 1) * cof[0][1] + m(0, 2) * cof[0][2];
    Vec3 out;
    for (int c = 0; c < 3; ++c)
        out[c] = n[0] * cof[0][c] + n[1] * cof[1][c] + n[2] * cof[2][c];
    const float length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    if (length > 1e-12f) {
        const float scale = (det < 0.0f ? -1.0f : 1.0f) / length;
        for (float& v : out)
            v *= scale;
    }
    return out;
}

// Merges frames and meshes into one vertex array and per-slot triangle lists.
class Merger {
public:
    bool Add(const Frame& frame, const gfx::Matrix& parent, std::string& error)
    {
        const gfx::Matrix world = gfx::Multiply(frame.transform, parent);
        for (const RawMesh& mesh : frame.meshes) {
            if (!AddMesh(mesh, world, error))
                return false;
        }
        for (const Frame& child : frame.children) {
            if (!Add(child, world, error))
                return false;
        }
        return true;
    }

    void Finish(XMeshData& data)
    {
        data.vertices = std::move(m_Vertices);
        data.indices.clear();
        data.subsets.clear();
        for (const std::vector<uint16_t>& slot : m_Slots) {
            XMeshData::Subset subset;
            subset.startIndex = static_cast<unsigned>(data.indices.size());
            subset.indexCount = static_cast<unsigned>(slot.size());
            data.indices.insert(data.indices.end(), slot.begin(), slot.end());
            data.subsets.push_back(subset);
        }
    }

private:
    bool AddMesh(const RawMesh& mesh, const gfx::Matrix& world, std::string& error)
    {
        const size_t firstSlot = m_Slots.size();
        m_Slots.resize(firstSlot + std::max(1u, mesh.materialCount));
        // A corner is one output vertex per pair of position and normal.
        std::map<std::pair<unsigned, unsigned>, uint16_t> corners;
        for (size_t f = 0; f < mesh.faces.size(); ++f) {
            const std::vector<unsigned>& face = mesh.faces[f];
            std::vector<uint16_t> indices;
            for (size_t c = 0; c < face.size(); ++c) {
                const unsigned normal = mesh.faceNormals.empty() ? 0u : mesh.faceNormals[f][c];
                auto key = std::make_pair(face[c], normal);
                auto found = corners.find(key);
                if (found == corners.end()) {
                    if (m_Vertices.size() >= kMaxXFileVertices) {
                        error = "too many vertices";
                        return false;
                    }
                    found = corners.emplace(key, static_cast<uint16_t>(m_Vertices.size())).first;
                    m_Vertices.push_back(MakeVertex(mesh, face[c], normal, world));
                }
                indices.push_back(found->second);
            }
            std::vector<uint16_t>& slot = m_Slots[firstSlot + (mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[f])];
            for (size_t c = 1; c + 1 < indices.size(); ++c) {
                slot.push_back(indices[0]);
                slot.push_back(indices[c]);
                slot.push_back(indices[c + 1]);
            }
        }
        // Vertices no face uses still belong to the mesh (and to its bounds).
        for (unsigned p = 0; p < mesh.positions.size(); ++p) {
            bool used = false;
            for (auto it = corners.lower_bound({p, 0}); it != corners.end() && it->first.first == p; ++it)
                used = true;
            if (!used) {
                if (m_Vertices.size() >= kMaxXFileVertices) {
                    error = "too many vertices";
                    return false;
                }
                m_Vertices.push_back(MakeVertex(mesh, p, 0, world));
            }
        }
        return true;
    }

    static XMeshData::Vertex MakeVertex(const RawMesh& mesh, unsigned position, unsigned normal,
                                        const gfx::Matrix& world)
    {
        XMeshData::Vertex v{};
        const Vec3 p = TransformPoint(mesh.positions[position], world);
        std::copy(p.begin(), p.end(), v.position);
        if (!mesh.normals.empty()) {
            const Vec3 n = TransformNormal(mesh.normals[normal], world);
            std::copy(n.begin(), n.end(), v.normal);
        }
        if (!mesh.uvs.empty()) {
            v.uv[0] = mesh.uvs[position][0];
            v.uv[1] = mesh.uvs[position][1];
        }
        return v;
    }

    std::vector<XMeshData::Vertex> m_Vertices;
    std::vector<std::vector<uint16_t>> m_Slots;
};

} // namespace

bool ParseXFile(const std::string& text, XMeshData& data, std::string& error)
{
    // "xof " version(4) format(4) float size(4).
    if (text.size() < 16 || text.compare(0, 4, "xof ") != 0) {
        error = "not a .x file";
        return false;
    }
    const std::string format = text.substr(8, 4);
    if (format != "txt ") {
        error = "only text .x files are read (format \"" + format + "\")";
        return false;
    }
    Frame root;
    if (!Parser(std::string_view(text).substr(16)).Parse(root, error))
        return false;
    Merger merger;
    if (!merger.Add(root, gfx::Matrix::Identity(), error))
        return false;
    merger.Finish(data);
    if (data.vertices.empty()) {
        error = "the file holds no vertices";
        return false;
    }
    return true;
}

bool ReadXFile(const std::string& path, XMeshData& data, std::string& error)
{
    std::string text;
    if (!win::ReadRegularFile(path, text, error))
        return false;
    return ParseXFile(text, data, error);
}

} // namespace Vesk
