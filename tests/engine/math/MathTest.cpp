#include "math/Angles.h"
#include "math/Matrix3.h"
#include "math/Matrix4.h"
#include "math/Quaternion.h"
#include "math/Vector3D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace {

const float kPi = 3.14159265f;

void ExpectVector(const CVector3D& actual, const CVector3D& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectMatrix(const CMatrix4& actual, const float (&expected)[16], float tolerance = 1e-5f)
{
    for (unsigned i = 0; i < 16; ++i)
        EXPECT_NEAR(actual.m[i], expected[i], tolerance) << "element " << i;
}

CVector3D Apply(const CMatrix4& m, const CVector3D& p, float w = 1.0f)
{
    const float v[4] = {p.x, p.y, p.z, w};
    float out[4];
    m.TransformVector4(out, v);
    EXPECT_FLOAT_EQ(out[3], w);
    return CVector3D(out[0], out[1], out[2]);
}

CQuaternion AxisAngle(CVector3D axis, float degrees)
{
    axis.Normalize();
    const float half = CDegree(degrees).ToRadian().x * 0.5f;
    return CQuaternion(std::cos(half), axis.x * std::sin(half), axis.y * std::sin(half), axis.z * std::sin(half));
}

TEST(MathTest, VectorNormalizeLeavesNearZeroAndNaNUnchanged)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        CVector3D in;
        CVector3D out;
    } cases[] = {
        {{0, 0, 0}, {0, 0, 0}},       {{1e-8f, 0, 0}, {1e-8f, 0, 0}}, {{1e-7f, 0, 0}, {1e-7f, 0, 0}},
        {{3, 0, 4}, {0.6f, 0, 0.8f}}, {{0, -2, 0}, {0, -1, 0}},       {{1e-6f, 0, 0}, {1, 0, 0}},
    };
    for (const auto& c : cases) {
        CVector3D v = c.in;
        v.Normalize();
        ExpectVector(v, c.out, 1e-6f);
        ExpectVector(c.in.GetNormalized(), c.out, 1e-6f);
    }
    CVector3D v(nan, 1, 1);
    v.Normalize();
    EXPECT_TRUE(std::isnan(v.x));
    EXPECT_EQ(v.y, 1.0f);
}

TEST(MathTest, VectorArithmeticAndReading)
{
    const CVector3D a(1, 2, 3), b(4, 5, 6);
    ExpectVector(a.Cross(b), CVector3D(-3, 6, -3));
    EXPECT_FLOAT_EQ(a.Dot(b), 32.0f);
    ExpectVector(b / 2.0f, CVector3D(2, 2.5f, 3));
    EXPECT_FLOAT_EQ(CVector3D(3, 0, 4).Length(), 5.0f);

    for (const char* text : {"1.5,-2,30", "1.5 -2 30", "1.5, -2, 3e1"}) {
        std::istringstream in(text);
        CVector3D v;
        EXPECT_TRUE(ReadVector3D(in, v)) << text;
        ExpectVector(v, CVector3D(1.5f, -2, 30));
    }
}

TEST(MathTest, AngleConversionsUseTheFixedFactors)
{
    EXPECT_FLOAT_EQ(CDegree(180).ToRadian().x, 180.0f * 0.01745329238474369f);
    EXPECT_NEAR(CDegree(180).ToRadian().x, kPi, 1e-6f);
    EXPECT_FLOAT_EQ(CRadian(2).ToDegree().x, 2.0f * 57.2957763671875f);
}

TEST(MathTest, Matrix3MultiplyPutsTheArgumentFirst)
{
    CMatrix3 a = CMatrix3::Rotation2D(kPi / 2); // rows (0, -1, 0), (1, 0, 0), (0, 0, 1)
    CMatrix3 b;
    b(0, 0) = 2;
    CMatrix3 out;
    a.Multiply(out, b);
    const float expected[9] = {0, -2, 0, 1, 0, 0, 0, 0, 1};
    for (unsigned i = 0; i < 9; ++i)
        EXPECT_NEAR(out.m[i], expected[i], 1e-6f) << i;

    a.Multiply(a, b); // aliasing the output
    for (unsigned i = 0; i < 9; ++i)
        EXPECT_NEAR(a.m[i], expected[i], 1e-6f) << i;

    CMatrix3& shared = CMatrix3::Rotation2D(0.5f);
    EXPECT_EQ(&shared, &CMatrix3::Rotation2D(1.0f));
    EXPECT_FLOAT_EQ(shared(0, 0), std::cos(1.0f));
}

TEST(MathTest, QuaternionRoundTripsThroughEveryMatrixBranch)
{
    const CQuaternion cases[] = {
        CQuaternion(),                      // positive trace
        AxisAngle(CVector3D(1, 2, 3), 60),  // positive trace
        AxisAngle(CVector3D(1, 0, 0), 180), // x largest
        AxisAngle(CVector3D(0, 1, 0), 180), // y largest
        AxisAngle(CVector3D(0, 0, 1), 180), // z largest
        AxisAngle(CVector3D(1, 0.3f, 0.2f), 160),
        AxisAngle(CVector3D(0.3f, 1, 0.2f), 160),
        AxisAngle(CVector3D(0.2f, 0.3f, -1), 160),
    };
    for (const CQuaternion& q : cases) {
        CMatrix3 m;
        q.ToMatrix3(m);
        CQuaternion back;
        back.FromMatrix3(m);
        const float sign = (back.w * q.w + back.x * q.x + back.y * q.y + back.z * q.z) < 0 ? -1.0f : 1.0f;
        EXPECT_NEAR(back.w * sign, q.w, 1e-5f);
        EXPECT_NEAR(back.x * sign, q.x, 1e-5f);
        EXPECT_NEAR(back.y * sign, q.y, 1e-5f);
        EXPECT_NEAR(back.z * sign, q.z, 1e-5f);
    }
}

TEST(MathTest, QuaternionNormalize)
{
    CQuaternion q(2, 0, 0, 0);
    q.Normalize();
    EXPECT_FLOAT_EQ(q.w, 1.0f);

    CQuaternion zero(0, 0, 0, 0);
    zero.Normalize();
    EXPECT_EQ(zero.w, 0.0f);
    EXPECT_EQ(zero.x, 0.0f);

    CQuaternion tiny(1e-8f, 0, 0, 0);
    tiny.Normalize();
    EXPECT_EQ(tiny.w, 1e-8f);
}

TEST(MathTest, AxisRotationsInDegrees)
{
    const struct {
        void (CMatrix4::*rotation)(float);
        CVector3D in;
        CVector3D out;
    } cases[] = {
        {&CMatrix4::RotationY, {1, 0, 0}, {0, 0, 1}},  {&CMatrix4::RotationY, {0, 0, 1}, {-1, 0, 0}},
        {&CMatrix4::RotationX, {0, 1, 0}, {0, 0, -1}}, {&CMatrix4::RotationX, {0, 0, 1}, {0, 1, 0}},
        {&CMatrix4::RotationZ, {1, 0, 0}, {0, -1, 0}}, {&CMatrix4::RotationZ, {0, 1, 0}, {1, 0, 0}},
    };
    for (const auto& c : cases) {
        CMatrix4 m;
        m.m[3] = 42; // overwritten by the builder
        (m.*c.rotation)(90);
        ExpectVector(Apply(m, c.in), c.out);
    }
}

TEST(MathTest, Matrix4MultiplyTransposeAndColumns)
{
    CMatrix4 translate;
    translate.m[3] = 1;
    CMatrix4 rotate;
    rotate.RotationY(90);
    CMatrix4 product;
    translate.Multiply(product, rotate); // rotate first, then translate
    ExpectVector(Apply(product, CVector3D(1, 0, 0)), CVector3D(1, 0, 1));
    rotate.Multiply(product, translate);
    ExpectVector(Apply(product, CVector3D(1, 0, 0)), CVector3D(0, 0, 2));

    float columns[16];
    for (unsigned i = 0; i < 16; ++i)
        columns[i] = static_cast<float>(i);
    CMatrix4 m;
    m.FromColumns(columns);
    EXPECT_EQ(m(0, 3), 12.0f);
    EXPECT_EQ(m(1, 0), 1.0f);
    CMatrix4 transposed;
    m.GetTransposed(transposed);
    CMatrix4 viaFree;
    TransposeMatrix4(viaFree, m);
    m.Transpose();
    for (unsigned i = 0; i < 16; ++i) {
        EXPECT_EQ(m.m[i], columns[i]);
        EXPECT_EQ(transposed.m[i], columns[i]);
        EXPECT_EQ(viaFree.m[i], columns[i]);
    }
}

TEST(MathTest, InverseUndoesTheMatrixAndRefusesSingularOnes)
{
    CMatrix4 views[2];
    views[0].Compose(CVector3D(1, 2, 3), CVector3D(2, 3, 0.5f), AxisAngle(CVector3D(1, 2, 3), 40));
    views[1].ViewLookAt(CVector3D(4, 5, 6), CVector3D(-1, 0, 2), CVector3D(0, 1, 0));
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (const CMatrix4& m : views) {
        CMatrix4 inverse = m;
        ASSERT_TRUE(inverse.Inverse());
        CMatrix4 product;
        m.Multiply(product, inverse);
        ExpectMatrix(product, identity);
    }

    CMatrix4 flat, zero, nan;
    flat.Compose(CVector3D(1, 2, 3), CVector3D(1, 0, 1), CQuaternion());
    for (float& e : zero.m)
        e = 0;
    nan.m[5] = std::numeric_limits<float>::quiet_NaN();
    for (const CMatrix4& singular : {flat, zero, nan}) {
        CMatrix4 m = singular;
        EXPECT_FALSE(m.Inverse());
        for (unsigned i = 0; i < 16; ++i)
            EXPECT_TRUE(m.m[i] == singular.m[i] || (std::isnan(m.m[i]) && std::isnan(singular.m[i])));
    }
}

TEST(MathTest, LookAtFrames)
{
    CMatrix4 view;
    view.ViewLookAt(CVector3D(1, 2, 3), CVector3D(1, 2, 7), CVector3D(0, 1, 0));
    ExpectVector(Apply(view, CVector3D(1, 2, 3)), CVector3D(0, 0, 0));
    ExpectVector(Apply(view, CVector3D(1, 2, 7)), CVector3D(0, 0, 4));
    ExpectVector(Apply(view, CVector3D(2, 2, 3)), CVector3D(1, 0, 0)); // left-handed: +x stays right
    ExpectVector(Apply(view, CVector3D(1, 3, 3)), CVector3D(0, 1, 0));

    const CVector3D position(1, 2, 3), up(0, 1, 0);
    const struct {
        bool towards;
        float expected[16];
    } cases[] = {
        {true, {1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3, 0, 0, 0, 1}},
        {false, {1, 0, 0, 1, 0, 1, 0, 2, 0, 0, -1, 3, 0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        CMatrix4 object;
        object.ObjectLookAt(position, CVector3D(1, 2, 10), up, c.towards);
        ExpectMatrix(object, c.expected);
        CMatrix4 along;
        along.ObjectLookAlong(position, CVector3D(0, 0, 7), up, c.towards);
        ExpectMatrix(along, c.expected);
    }
}

TEST(MathTest, ComposeScalesRotationRows)
{
    CMatrix4 m;
    m.Compose(CVector3D(5, 6, 7), CVector3D(2, 3, 4), AxisAngle(CVector3D(0, 0, 1), 90));
    const float expected[16] = {0, -2, 0, 5, 3, 0, 0, 6, 0, 0, 4, 7, 0, 0, 0, 1};
    ExpectMatrix(m, expected);
}

TEST(MathDeathTest, IndexAndDivisionAssertions)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CVector3D v(1, 2, 3);
    CMatrix3 m3;
    EXPECT_DEATH(v[3], "i < 3");
    EXPECT_DEATH(v / 0.0f, "scalar != 0.0");
    EXPECT_DEATH(m3(3, 0), "row < 3");
}

} // namespace
