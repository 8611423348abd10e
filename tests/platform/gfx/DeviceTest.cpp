#include "GfxFixture.h"

#include "platform/gfx/Program.h"
#include "platform/gfx/Texture.h"

#include <cstring>

using namespace gfx;
using gfxtest::DeviceFixture;
using gfxtest::MakeBuffer;

namespace {

const uint32_t kBlack = 0xFF000000, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

float Bits(uint32_t colour)
{
    float f;
    std::memcpy(&f, &colour, sizeof f);
    return f;
}

Matrix Translation(float x, float y, float z)
{
    Matrix m;
    m(3, 0) = x;
    m(3, 1) = y;
    m(3, 2) = z;
    return m;
}

// A quad of half-size 1 in the z = 0 plane, clockwise on screen when viewed from -z, as a
// triangle list of XYZ | DIFFUSE vertices.
std::vector<float> Quad(uint32_t colour)
{
    const float c = Bits(colour);
    return {-1, 1, 0, c, 1, 1, 0, c, 1, -1, 0, c, -1, 1, 0, c, 1, -1, 0, c, -1, -1, 0, c};
}

class DeviceTest : public DeviceFixture {
protected:
    // Eye at (0, 0, -5) looking along +z; 90 degree field of view, square aspect.
    void SetCamera()
    {
        const float eye[3] = {0, 0, -5}, at[3] = {0, 0, 5}, up[3] = {0, 1, 0};
        Dev().SetTransform(TransformState::View, LookAtLH(eye, at, up));
        Dev().SetTransform(TransformState::Projection, PerspectiveFovLH(1.5707964f, 1.0f, 1.0f, 100.0f));
        Dev().SetRenderState(RenderState::Lighting, 0);
    }

    void DrawQuad(uint32_t colour, const Matrix& world)
    {
        auto vb = MakeBuffer(Dev(), Quad(colour));
        Dev().SetTransform(TransformState::World, world);
        Dev().SetFVF(FVF_XYZ | FVF_DIFFUSE);
        Dev().SetStreamSource(0, vb.get(), 0, 16);
        Dev().DrawPrimitive(PrimitiveType::TriangleList, 0, 2);
    }

    int CountPixels(uint32_t colour)
    {
        int n = 0;
        for (uint32_t p : Screen())
            n += p == colour;
        return n;
    }
};

// World (2, 1, 5) from an eye at z = -5: view-space centre (2, 1, 10), so the quad spans
// x 0.1..0.3 and y 0..0.2 in clip space: pixels 55..65 across and 40..50 down.
TEST_F(DeviceTest, TranslatedQuadLandsWhereDirect3DPutsIt)
{
    SetCamera();
    Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBlack, 1.0f, 0);
    DrawQuad(kRed, Translation(2, 1, 5));

    EXPECT_EQ(Pixel(60, 45), kRed);
    EXPECT_EQ(Pixel(56, 41), kRed);
    EXPECT_EQ(Pixel(64, 49), kRed);
    EXPECT_EQ(Pixel(53, 45), kBlack); // left of the quad
    EXPECT_EQ(Pixel(60, 52), kBlack); // a flipped y would be here
    EXPECT_EQ(Pixel(40, 45), kBlack); // a mirrored x would be here
    EXPECT_EQ(CountPixels(kRed), 100);
}

TEST_F(DeviceTest, DepthFollowsDirect3DClipRange)
{
    SetCamera();
    Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBlack, 1.0f, 0);
    // Between the eye and the near plane: Direct3D clips it away.
    DrawQuad(kBlue, Translation(0, 0, -4.5f));
    EXPECT_EQ(CountPixels(kBlue), 0);

    // The nearer quad wins whatever the order.
    DrawQuad(kRed, Translation(0, 0, 0));
    DrawQuad(kGreen, Translation(0, 0, 10));
    EXPECT_EQ(Pixel(50, 50), kRed);
    Dev().SetRenderState(RenderState::ZEnable, 0);
    DrawQuad(kGreen, Translation(0, 0, 10));
    EXPECT_EQ(Pixel(50, 50), kGreen);
}

TEST_F(DeviceTest, ClearStaysInsideTheViewport)
{
    Dev().Clear(CLEAR_TARGET, kBlack, 1.0f, 0);
    Dev().SetViewport({10, 20, 30, 40, 0.0f, 1.0f});
    Dev().Clear(CLEAR_TARGET, 0xFF373737, 1.0f, 0);

    EXPECT_EQ(Pixel(10, 20), 0xFF373737u);
    EXPECT_EQ(Pixel(39, 59), 0xFF373737u);
    EXPECT_EQ(Pixel(9, 20), kBlack);
    EXPECT_EQ(Pixel(10, 19), kBlack);
    EXPECT_EQ(Pixel(40, 59), kBlack);
    EXPECT_EQ(Pixel(39, 60), kBlack);
    EXPECT_EQ(CountPixels(0xFF373737), 30 * 40);
}

TEST_F(DeviceTest, CullModeKeepsDirect3DFrontFaces)
{
    SetCamera();
    struct Case {
        uint32_t cull;
        bool clockwiseDrawn, counterClockwiseDrawn;
    } cases[] = {{CULL_CCW, true, false}, {CULL_CW, false, true}, {CULL_NONE, true, true}};
    for (const Case& c : cases) {
        Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBlack, 1.0f, 0);
        Dev().SetRenderState(RenderState::CullMode, c.cull);
        DrawQuad(kRed, Translation(-2, 0, 5));
        Matrix mirrored = Translation(2, 0, 5);
        mirrored(0, 0) = -1; // mirroring x turns the winding round
        DrawQuad(kGreen, mirrored);
        EXPECT_EQ(Pixel(40, 50) == kRed, c.clockwiseDrawn) << "cull " << c.cull;
        EXPECT_EQ(Pixel(60, 50) == kGreen, c.counterClockwiseDrawn) << "cull " << c.cull;
    }
}

TEST_F(DeviceTest, FixedFunctionColourSources)
{
    SetCamera();
    Material material;
    material.emissive = {0, 0, 1, 1};
    Dev().SetMaterial(material);
    const uint8_t texel[4] = {255, 0, 0, 255};
    auto red = Texture::FromPixels(Dev(), 1, 1, texel, false);

    struct Case {
        uint32_t lighting;
        const Texture* texture;
        uint32_t expected;
    } cases[] = {
        {0, nullptr, kGreen},   // unlit: the vertex colour
        {1, nullptr, kBlue},    // lit without lights: the emissive colour
        {0, red.get(), kBlack}, // green vertex times red texel
        {1, red.get(), kBlack}, // blue emissive times red texel
    };
    for (const Case& c : cases) {
        Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF808080, 1.0f, 0);
        Dev().SetRenderState(RenderState::Lighting, c.lighting);
        Dev().SetTexture(0, c.texture);
        DrawQuad(kGreen, Translation(0, 0, 5));
        EXPECT_EQ(Pixel(50, 50), c.expected) << "lighting " << c.lighting << " texture " << (c.texture != nullptr);
    }
    Dev().SetTexture(0, nullptr);
}

TEST_F(DeviceTest, InstancedDrawShowsEveryInstance)
{
    const char* vs = R"(
layout(location = POSITION0) in vec3 aPosition;
layout(location = TEXCOORD1) in vec3 aOffset;
void main() { gl_Position = vec4(aPosition + aOffset, 1.0); }
)";
    const char* fs = "out vec4 c;\nvoid main() { c = vec4(1.0, 1.0, 1.0, 1.0); }\n";
    std::string log;
    auto program = Program::Create(Dev(), vs, fs, log);
    ASSERT_NE(program, nullptr) << log;

    // A small square (0.04 wide in clip space) and five offsets along x.
    auto geometry =
        MakeBuffer(Dev(), {-0.02f, 0.02f, 0.5f, 0.02f, 0.02f, 0.5f, 0.02f, -0.02f, 0.5f, -0.02f, -0.02f, 0.5f});
    auto indices = IndexBuffer::Create(Dev(), 6);
    const uint16_t ix[6] = {0, 1, 2, 0, 2, 3};
    std::memcpy(indices->Lock(0, 0, 0), ix, sizeof ix);
    indices->Unlock();
    const int kInstances = 5;
    std::vector<float> offsets;
    for (int i = 0; i < kInstances; ++i)
        offsets.insert(offsets.end(), {-0.8f + 0.4f * i, 0.0f, 0.0f});
    auto instances = MakeBuffer(Dev(), offsets);

    Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBlack, 1.0f, 0);
    Dev().SetRenderState(RenderState::CullMode, CULL_NONE);
    Dev().SetVertexDeclaration(VertexDeclaration(
        {{0, 0, DeclType::Float3, DeclUsage::Position, 0}, {1, 0, DeclType::Float3, DeclUsage::TexCoord, 1}}));
    Dev().SetStreamSource(0, geometry.get(), 0, 12);
    Dev().SetStreamSourceFreq(0, STREAMSOURCE_INDEXEDDATA | kInstances);
    Dev().SetStreamSource(1, instances.get(), 0, 12);
    Dev().SetStreamSourceFreq(1, STREAMSOURCE_INSTANCEDATA | 1);
    Dev().SetIndices(indices.get());
    Dev().SetProgram(program.get());
    Dev().DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 4, 0, 2);

    // Count separate white runs along the middle row.
    const auto runs = [this] {
        std::vector<uint32_t> row = Dev().ReadPixels(0, 50, kWidth, 1);
        int count = 0;
        for (int x = 0; x < kWidth; ++x)
            count += row[x] == 0xFFFFFFFF && (x == 0 || row[x - 1] != 0xFFFFFFFF);
        return count;
    };
    const auto whiteAt = [this](float clipX) {
        return Dev().ReadPixels(static_cast<int>((clipX + 1.0f) * 0.5f * kWidth), 50, 1, 1)[0] == 0xFFFFFFFF;
    };
    EXPECT_EQ(runs(), kInstances);

    // A refill that sends only what it wrote: two instances at new places, drawn from the
    // device's copy of just those bytes.
    const auto drawInstances = [&](int count) {
        Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBlack, 1.0f, 0);
        Dev().SetStreamSourceFreq(0, STREAMSOURCE_INDEXEDDATA | static_cast<unsigned>(count));
        Dev().DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 4, 0, 2);
    };
    auto* written = static_cast<float*>(instances->Lock(0, 0, LOCK_DISCARD));
    ASSERT_NE(written, nullptr);
    const float moved[6] = {-0.6f, 0.0f, 0.0f, -0.2f, 0.0f, 0.0f};
    std::memcpy(written, moved, sizeof moved);
    instances->Unlock(sizeof moved);
    drawInstances(2);
    EXPECT_EQ(runs(), 2);
    EXPECT_TRUE(whiteAt(-0.6f) && whiteAt(-0.2f));
    // A later lock of one range puts the whole buffer back on the device first: the two moved,
    // the third set to the fifth's place, the last two where they were (x = -0.6, -0.2, 0.4, 0.8).
    std::memcpy(instances->Lock(24, 12, 0), offsets.data() + 12, 12);
    instances->Unlock(12);
    drawInstances(kInstances);
    EXPECT_EQ(runs(), 4);
    EXPECT_TRUE(whiteAt(-0.6f) && whiteAt(0.4f) && whiteAt(0.8f));
    Dev().SetProgram(nullptr);
}

TEST_F(DeviceTest, TransformsAndStatesReadBack)
{
    const Matrix world = Translation(1, 2, 3);
    Dev().SetTransform(TransformState::World, world);
    EXPECT_EQ(Dev().GetTransform(TransformState::World).m[13], 2.0f);
    Dev().SetRenderState(RenderState::FillMode, FILL_WIREFRAME);
    EXPECT_EQ(Dev().GetRenderState(RenderState::FillMode), FILL_WIREFRAME);
}

TEST_F(DeviceTest, BackBufferHasItsOwnSize)
{
    ASSERT_TRUE(Dev().SetBackBufferSize(40, 30));
    EXPECT_EQ(Dev().GetBackBufferWidth(), 40);
    Dev().SetViewport({0, 0, 40, 30, 0.0f, 1.0f});
    Dev().Clear(CLEAR_TARGET, kGreen, 1.0f, 0);
    EXPECT_EQ(Dev().ReadPixels(39, 29, 1, 1).at(0), kGreen);
    EXPECT_TRUE(Dev().ReadPixels(40, 0, 1, 1).empty()); // outside the back buffer
    // Sizes the driver cannot make, or no size at all, leave the back buffer as it was.
    EXPECT_FALSE(Dev().SetBackBufferSize(1000000, 1000000));
    EXPECT_FALSE(Dev().SetBackBufferSize(0, 30));
    EXPECT_EQ(Dev().GetBackBufferWidth(), 40);
    EXPECT_EQ(Dev().GetBackBufferHeight(), 30);
    Dev().Clear(CLEAR_TARGET, kBlue, 1.0f, 0);
    EXPECT_EQ(Dev().ReadPixels(39, 29, 1, 1).at(0), kBlue);
    Dev().Present();
}

TEST_F(DeviceTest, ObjectsOutliveOrPredeceaseTheDevice)
{
    // A buffer destroyed while bound leaves no binding behind; the draw that follows does nothing.
    auto vb = MakeBuffer(Dev(), Quad(kRed));
    Dev().SetFVF(FVF_XYZ | FVF_DIFFUSE);
    Dev().SetStreamSource(0, vb.get(), 0, 16);
    vb.reset();
    Dev().Clear(CLEAR_TARGET, kBlack, 1.0f, 0);
    Dev().DrawPrimitive(PrimitiveType::TriangleList, 0, 2);
    EXPECT_EQ(CountPixels(kRed), 0);

    // An object that outlives its device is released with the device and destroyed safely later.
    auto survivor = MakeBuffer(Dev(), {1, 2, 3});
    m_Device.reset();
    survivor.reset();
}

TEST(VertexDeclarationTest, SizesAndFlexibleFormats)
{
    struct Case {
        uint32_t fvf;
        unsigned size;
    } cases[] = {{FVF_XYZ | FVF_NORMAL | FVF_TEX1, 32}, {FVF_XYZ | FVF_TEX1, 20}, {FVF_XYZ | FVF_DIFFUSE, 16}};
    for (const Case& c : cases)
        EXPECT_EQ(VertexDeclaration::FromFVF(c.fvf).VertexSize(0), c.size) << c.fvf;

    VertexDeclaration instanced({{0, 0, DeclType::Float3, DeclUsage::Position, 0},
                                 {0, 12, DeclType::Float3, DeclUsage::Normal, 0},
                                 {1, 88, DeclType::Float4, DeclUsage::TexCoord, 7}});
    EXPECT_EQ(instanced.VertexSize(0), 24u);
    EXPECT_EQ(instanced.VertexSize(1), 104u);
}

TEST_F(DeviceTest, DrawsThatWouldReadPastABufferAreSkipped)
{
    SetCamera();
    Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBlack, 1.0f, 0);
    auto vb = MakeBuffer(Dev(), Quad(kRed)); // six vertices
    Dev().SetTransform(TransformState::World, Translation(0, 0, 5));
    Dev().SetFVF(FVF_XYZ | FVF_DIFFUSE);
    Dev().SetStreamSource(0, vb.get(), 0, 16);
    testing::internal::CaptureStderr();
    Dev().DrawPrimitive(PrimitiveType::TriangleList, 3, 2); // vertices 3 to 8
    auto indices = IndexBuffer::Create(Dev(), 3);
    const uint16_t beyond[3] = {0, 1, 6};
    std::memcpy(indices->Lock(0, 0, 0), beyond, sizeof beyond);
    indices->Unlock();
    Dev().SetIndices(indices.get());
    Dev().DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 6, 0, 1);
    Dev().DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 6, 1, 1); // past the index buffer
    Dev().SetStreamSourceFreq(0, STREAMSOURCE_INDEXEDDATA | 4);
    Dev().SetStreamSource(1, vb.get(), 0, 64); // a 96-byte buffer cannot feed four 64-byte instances
    Dev().SetStreamSourceFreq(1, STREAMSOURCE_INSTANCEDATA | 1);
    Dev().SetVertexDeclaration(VertexDeclaration(
        {{0, 0, DeclType::Float3, DeclUsage::Position, 0}, {1, 0, DeclType::Float4, DeclUsage::TexCoord, 1}}));
    Dev().DrawPrimitive(PrimitiveType::TriangleList, 0, 2);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountPixels(kRed), 0);
    EXPECT_NE(log.find("draw skipped"), std::string::npos) << log;
}

TEST_F(DeviceTest, LocksRefuseRangesOutsideTheBufferAndNesting)
{
    auto vb = VertexBuffer::Create(Dev(), 64, true);
    EXPECT_EQ(vb->Lock(60, 8, 0), nullptr);
    EXPECT_EQ(vb->Lock(65, 0, 0), nullptr);
    ASSERT_NE(vb->Lock(0, 0, LOCK_DISCARD), nullptr);
    EXPECT_EQ(vb->Lock(0, 4, 0), nullptr);
    vb->Unlock();
    EXPECT_NE(vb->Lock(60, 4, 0), nullptr);
    vb->Unlock();
    EXPECT_EQ(VertexBuffer::Create(Dev(), 0, true), nullptr);
}

} // namespace
