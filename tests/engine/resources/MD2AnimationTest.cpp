// MD2 playback: frame stepping of the controller, independent controllers on one model, and the
// blended vertex stream (z negated, upright through the mesh matrix, t held to one frame).
#include "resources/md2/CMD2AnimationController.h"
#include "resources/md2/CMD2Model.h"

#include "MD2Fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Vesk::CMD2AnimationController;
using Vesk::CMD2Model;

namespace {

// Frames 0-3 "yell", 4-9 "walk"; "walk" comes first in ascending order.
std::shared_ptr<CMD2Model> YellAndWalk()
{
    auto model = std::make_shared<CMD2Model>();
    const std::vector<uint8_t> bytes = md2fixture::Build(md2fixture::NamedFrames(
        {"yell1", "yell2", "yell3", "yell4", "walk1", "walk2", "walk3", "walk4", "walk5", "walk6"}));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(model->LoadFromMemory(bytes.data(), bytes.size(), "yellwalk.md2"));
    testing::internal::GetCapturedStdout();
    return model;
}

} // namespace

TEST(MD2ControllerTest, FramesCycleBeforeTheEndFrameOneStepPerUpdate)
{
    auto model = YellAndWalk();
    CMD2AnimationController controller(nullptr, model);
    ASSERT_EQ("walk", controller.GetAnimationName());
    ASSERT_EQ(4, controller.GetRange().start);
    ASSERT_EQ(9, controller.GetRange().end);

    std::vector<int> frames, nextFrames;
    for (int i = 0; i < 7; ++i) {
        controller.Update(1.0f / 24.0f);
        frames.push_back(controller.GetCurrentFrame());
        nextFrames.push_back(controller.GetNextFrame());
        EXPECT_EQ(frames.back(), controller.GetBlend().frameA);
        EXPECT_EQ(nextFrames.back(), controller.GetBlend().frameB);
    }
    EXPECT_EQ((std::vector<int>{4, 5, 6, 7, 8, 4, 5}), frames) << "the end frame 9 is never frame A";
    EXPECT_EQ((std::vector<int>{4, 6, 7, 8, 4, 5, 6}), nextFrames) << "the blend runs from 8 back to 4";

    // A step of 2.5 frames still advances one frame per update.
    controller.SetAnimation("walk", 0, 60.0f);
    frames.clear();
    for (int i = 0; i < 3; ++i) {
        controller.Update(2.5f / 60.0f);
        frames.push_back(controller.GetCurrentFrame());
    }
    EXPECT_EQ((std::vector<int>{6, 7, 8}), frames);
    EXPECT_FLOAT_EQ(2.5f, controller.GetFraction());
    EXPECT_FLOAT_EQ(2.5f, controller.GetLastStep());
}

TEST(MD2ControllerTest, SetAnimationRestartsOnlyForANewName)
{
    auto model = YellAndWalk();
    CMD2AnimationController controller(nullptr, model);
    EXPECT_EQ(4, controller.GetCurrentFrame()) << "a new controller starts on its animation's first frame";
    controller.Update(1.0f / 24.0f);
    controller.Update(1.0f / 24.0f);
    const int frame = controller.GetCurrentFrame();
    const float fraction = controller.GetFraction();

    controller.SetAnimation("walk", 1, 12.0f);
    EXPECT_EQ(frame, controller.GetCurrentFrame());
    EXPECT_FLOAT_EQ(fraction, controller.GetFraction());
    EXPECT_FLOAT_EQ(12.0f, controller.GetFramesPerSecond());

    controller.SetAnimation("yell", 0, 24.0f);
    EXPECT_EQ(0, controller.GetRange().start);
    EXPECT_EQ(3, controller.GetRange().end);
    EXPECT_EQ(0, controller.GetCurrentFrame());
    EXPECT_FLOAT_EQ(1.0f, controller.GetFraction());

    // An unknown name restarts the animation that was playing, under the new name.
    controller.Update(1.0f / 24.0f);
    controller.SetAnimation("swim", 0, 24.0f);
    EXPECT_EQ("swim", controller.GetAnimationName());
    EXPECT_EQ(0, controller.GetRange().start);
    EXPECT_EQ(3, controller.GetRange().end);
    EXPECT_EQ(0, controller.GetCurrentFrame());
}

TEST(MD2ControllerTest, ControllersOfOneModelKeepTheirOwnAnimation)
{
    auto model = YellAndWalk();
    CMD2AnimationController walker(nullptr, model);
    CMD2AnimationController yeller(nullptr, model);
    yeller.SetAnimation("yell", 0, 24.0f);
    for (int i = 0; i < 12; ++i) {
        walker.Update(1.0f / 24.0f);
        EXPECT_EQ(walker.GetBlend().frameA, model->GetBlend().frameA) << "each update hands its pose to the model";
        yeller.Update(1.0f / 24.0f);
        EXPECT_EQ(yeller.GetBlend().frameA, model->GetBlend().frameA);
        EXPECT_GE(walker.GetCurrentFrame(), 4);
        EXPECT_LE(walker.GetCurrentFrame(), 8);
        EXPECT_GE(yeller.GetCurrentFrame(), 0);
        EXPECT_LE(yeller.GetCurrentFrame(), 2);
    }
    EXPECT_EQ("walk", model->GetCurrentAnimationName()) << "playing does not change what new controllers start with";
}

TEST(MD2ControllerTest, KeepsItsModelAliveAfterTheOwnerLetsGo)
{
    auto model = YellAndWalk();
    CMD2AnimationController controller(nullptr, model);
    model.reset();
    controller.SetAnimation("yell", 0, 24.0f);
    controller.Update(0.1f);
    EXPECT_EQ(1, controller.GetCurrentFrame());
}

TEST(MD2VerticesTest, BlendIsLinearWithZNegatedAndTextureCoordinatesFromTheSkin)
{
    md2fixture::Model fixture;
    md2fixture::Frame a, b;
    a.name = "pose1";
    a.scale[2] = 2.0f;
    a.translate[0] = 10.0f;
    a.vertices = {{1, 2, 3, 5}, {0, 0, 0, 5}, {4, 4, 4, 32}};
    b.name = "pose2";
    b.scale[2] = 2.0f;
    b.translate[0] = 10.0f;
    b.vertices = {{3, 2, 7, 32}, {0, 0, 0, 5}, {4, 4, 4, 32}};
    fixture.frames = {a, b};
    const std::vector<uint8_t> bytes = md2fixture::Build(fixture);
    CMD2Model model;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(model.LoadFromMemory(bytes.data(), bytes.size(), "blend.md2"));
    testing::internal::GetCapturedStdout();

    std::vector<Vesk::MD2DrawVertex> out;
    ASSERT_TRUE(model.BuildVertices({0.25f, 0, 1}, CMatrix4(), out));
    ASSERT_EQ(3u, out.size());
    // A = (11, 2, 6), B = (13, 2, 14): A + 0.25 (B − A) = (11.5, 2, 8), z negated.
    EXPECT_FLOAT_EQ(11.5f, out[0].position[0]);
    EXPECT_FLOAT_EQ(2.0f, out[0].position[1]);
    EXPECT_FLOAT_EQ(-8.0f, out[0].position[2]);
    // Normals (0, 0, 1) and (0, 1, 0) blended and z negated.
    EXPECT_FLOAT_EQ(0.0f, out[0].normal[0]);
    EXPECT_FLOAT_EQ(0.25f, out[0].normal[1]);
    EXPECT_FLOAT_EQ(-0.75f, out[0].normal[2]);
    // Texture coordinates (32, 16) over a 64 x 32 skin.
    EXPECT_FLOAT_EQ(0.5f, out[1].uv[0]);
    EXPECT_FLOAT_EQ(0.5f, out[1].uv[1]);

    // A step beyond one frame stops at frame B.
    ASSERT_TRUE(model.BuildVertices({2.5f, 0, 1}, CMatrix4(), out));
    EXPECT_FLOAT_EQ(13.0f, out[0].position[0]);
    EXPECT_FLOAT_EQ(-14.0f, out[0].position[2]);

    // Upright: the mesh matrix (rotation about x by 90 degrees) takes the file's up axis to y.
    CMatrix4 upright;
    upright.RotationX(90.0f);
    ASSERT_TRUE(model.BuildVertices({0.0f, 0, 0}, upright, out));
    EXPECT_NEAR(11.0f, out[0].position[0], 1e-5f);
    EXPECT_NEAR(6.0f, out[0].position[1], 1e-5f) << "file z becomes height";
    EXPECT_NEAR(2.0f, out[0].position[2], 1e-5f);
    EXPECT_NEAR(1.0f, out[0].normal[1], 1e-5f);

    // Frames outside the model draw nothing.
    const Vesk::MD2Blend outside[] = {{0.0f, 2, 0}, {0.0f, 0, -1}};
    for (const Vesk::MD2Blend& blend : outside) {
        EXPECT_FALSE(model.BuildVertices(blend, CMatrix4(), out));
        EXPECT_TRUE(out.empty());
    }

    std::vector<CVector3D> positions;
    model.GetVertexPositions(positions);
    ASSERT_EQ(3u, positions.size());
    EXPECT_FLOAT_EQ(11.0f, positions[0].x);
    EXPECT_FLOAT_EQ(-6.0f, positions[0].z);
}
