// Value types of the graphics layer: matrices in Direct3D form (row vectors, left-handed, clip
// depth 0 to 1), viewports with a top-left origin, render states and their values, vertex
// declaration elements and the fixed-function material. Numeric values follow Direct3D 9 so that
// callers can keep the numbers they are written against.
#pragma once

#include <cstdint>

namespace gfx {

// 4x4 matrix in Direct3D form: m[4 * row + column], used with row vectors (v' = v * M), the
// translation in the last row. The layer converts to OpenGL in one place when it uploads.
struct Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Matrix Identity() { return Matrix(); }
    float& operator()(int row, int column) { return m[4 * row + column]; }
    float operator()(int row, int column) const { return m[4 * row + column]; }
};

// a * b in Direct3D order (first a, then b, for row vectors).
Matrix Multiply(const Matrix& a, const Matrix& b);
// Left-handed perspective projection with clip depth 0 to 1 (as D3DXMatrixPerspectiveFovLH).
Matrix PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
// Left-handed view matrix (as D3DXMatrixLookAtLH).
Matrix LookAtLH(const float eye[3], const float at[3], const float up[3]);
// Left-handed orthographic projection of the box (l..r, b..t, zn..zf), depth 0 to 1.
Matrix OrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf);

struct Viewport {
    int x = 0, y = 0;          // top-left corner in pixels of the current target
    int width = 0, height = 0; // size in pixels
    float minZ = 0.0f, maxZ = 1.0f;
};

enum class TransformState { World, View, Projection };

enum class PrimitiveType { PointList = 1, LineList = 2, LineStrip = 3, TriangleList = 4, TriangleStrip = 5 };

// Render states, with Direct3D's numbering.
enum class RenderState : uint32_t {
    ZEnable = 7,
    FillMode = 8,
    ZWriteEnable = 14,
    SrcBlend = 19,
    DestBlend = 20,
    CullMode = 22,
    AlphaBlendEnable = 27,
    Lighting = 137,
    NormalizeNormals = 143,
    PointSpriteEnable = 156,
};

enum : uint32_t { FILL_POINT = 1, FILL_WIREFRAME = 2, FILL_SOLID = 3 };
enum : uint32_t { CULL_NONE = 1, CULL_CW = 2, CULL_CCW = 3 };
enum : uint32_t {
    BLEND_ZERO = 1,
    BLEND_ONE = 2,
    BLEND_SRCCOLOR = 3,
    BLEND_INVSRCCOLOR = 4,
    BLEND_SRCALPHA = 5,
    BLEND_INVSRCALPHA = 6,
    BLEND_DESTALPHA = 7,
    BLEND_INVDESTALPHA = 8,
    BLEND_DESTCOLOR = 9,
    BLEND_INVDESTCOLOR = 10,
};

enum : uint32_t { CLEAR_TARGET = 1, CLEAR_ZBUFFER = 2, CLEAR_STENCIL = 4 };

// Flexible vertex format bits the callers use.
enum : uint32_t { FVF_XYZ = 0x002, FVF_NORMAL = 0x010, FVF_DIFFUSE = 0x040, FVF_TEX1 = 0x100 };

// Stream frequencies for hardware instancing: the geometry stream is INDEXEDDATA | count, the
// instance stream INSTANCEDATA | 1.
enum : uint32_t { STREAMSOURCE_INDEXEDDATA = 1u << 30, STREAMSOURCE_INSTANCEDATA = 2u << 30 };

enum class DeclType : uint8_t { Float1, Float2, Float3, Float4, Color };
enum class DeclUsage : uint8_t { Position, Normal, Color, TexCoord };

struct VertexElement {
    uint16_t stream = 0;
    uint16_t offset = 0;
    DeclType type = DeclType::Float3;
    DeclUsage usage = DeclUsage::Position;
    uint8_t usageIndex = 0;
};

// Byte size of one element of the type.
int DeclTypeSize(DeclType type);

// Colours are packed ARGB (alpha in the top byte), as Direct3D takes them.
struct ColorValue {
    float r = 0, g = 0, b = 0, a = 0;
};

struct Material {
    ColorValue diffuse, ambient, specular, emissive;
    float power = 0;
};

} // namespace gfx
