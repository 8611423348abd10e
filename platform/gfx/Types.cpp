#include "platform/gfx/Types.h"

#include <cmath>

namespace gfx {

Matrix Multiply(const Matrix& a, const Matrix& b)
{
    Matrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a(r, k) * b(k, c);
            out(r, c) = sum;
        }
    return out;
}

Matrix PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar)
{
    const float yScale = 1.0f / std::tan(fovY * 0.5f);
    Matrix out;
    out.m[0] = yScale / aspect;
    out.m[5] = yScale;
    out.m[10] = zFar / (zFar - zNear);
    out.m[11] = 1.0f;
    out.m[14] = -zNear * zFar / (zFar - zNear);
    out.m[15] = 0.0f;
    return out;
}

static void Normalize3(float v[3])
{
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 0.0f)
        for (int i = 0; i < 3; ++i)
            v[i] /= length;
}

static void Cross3(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

static float Dot3(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Matrix LookAtLH(const float eye[3], const float at[3], const float up[3])
{
    float z[3] = {at[0] - eye[0], at[1] - eye[1], at[2] - eye[2]};
    Normalize3(z);
    float x[3];
    Cross3(up, z, x);
    Normalize3(x);
    float y[3];
    Cross3(z, x, y);
    Matrix out;
    for (int row = 0; row < 3; ++row) {
        out(row, 0) = x[row];
        out(row, 1) = y[row];
        out(row, 2) = z[row];
        out(row, 3) = 0.0f;
    }
    out(3, 0) = -Dot3(x, eye);
    out(3, 1) = -Dot3(y, eye);
    out(3, 2) = -Dot3(z, eye);
    out(3, 3) = 1.0f;
    return out;
}

Matrix OrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf)
{
    Matrix out;
    out.m[0] = 2.0f / (r - l);
    out.m[5] = 2.0f / (t - b);
    out.m[10] = 1.0f / (zf - zn);
    out.m[12] = (l + r) / (l - r);
    out.m[13] = (t + b) / (b - t);
    out.m[14] = zn / (zn - zf);
    return out;
}

int DeclTypeSize(DeclType type)
{
    switch (type) {
    case DeclType::Float1: return 4;
    case DeclType::Float2: return 8;
    case DeclType::Float3: return 12;
    case DeclType::Float4: return 16;
    case DeclType::Color: return 4;
    }
    return 0;
}

} // namespace gfx
