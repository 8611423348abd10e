#include "VoxelTestSupport.h"

#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CubePose.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using Game::CubeAnimation;
using Game::CubeSubmesh;
using Game::CVeskCubeAnimationController;
using Game::CVeskCubeMesh;

namespace {

// One submesh "s" moving along x by 10 per keyframe and turning about z by 90 degrees per
// keyframe, keyframes at the given frames.
std::unique_ptr<CVeskCubeMesh> MovingMesh(std::initializer_list<int> frames, int fps = 10)
{
    auto mesh = std::make_unique<CVeskCubeMesh>();
    voxeltest::AddBlock(*mesh, "s", 1, 1, 1);
    CubeAnimation& clip = mesh->GetOrCreateAnimation("MOVE");
    clip.fps = fps;
    int step = 0;
    for (int frame : frames) {
        Game::CubeKeyPose& pose = Game::FindOrInsertKeyframe(clip, frame).poses["s"];
        pose.position = CVector3D(10.0f * step, 0, 0);
        pose.rotation = Game::EulerToMatrix(0, 0, 90.0f * step);
        ++step;
    }
    return mesh;
}

float X(const CVeskCubeMesh& mesh) { return mesh.FindSubmesh("s")->localPosition.x; }

TEST(CubeAnimationTest, LoopingTimelineInterpolatesAndRestarts)
{
    auto mesh = MovingMesh({1, 11, 21});
    std::unique_ptr<CVeskCubeAnimationController> c(mesh->CreateAnimationController());
    c->SetAnimation("MOVE", 0, 1.0f);
    EXPECT_FLOAT_EQ(X(*mesh), 0.0f);

    // fps 10 and steps of 0.25 s: 2.5 frames a step. Each Update poses at the time reached so far.
    const struct {
        float x;    // pose written by this update
        float time; // frame time after it
        int index;
    } steps[] = {
        {0.0f, 3.5f, 0},
        {2.5f, 6.0f, 0},
        {5.0f, 8.5f, 0},
        {7.5f, 11.0f, 1},
        {10.0f, 13.5f, 1},
        {12.5f, 16.0f, 1},
        {15.0f, 18.5f, 1},
        {17.5f, 21.0f, 2},
        // The last keyframe reached: back to frame 1 and keyframe 0.
        {0.0f, 3.5f, 0},
    };
    for (const auto& s : steps) {
        c->Update(0.25f);
        EXPECT_NEAR(X(*mesh), s.x, 1e-4f) << "time " << s.time;
        EXPECT_FLOAT_EQ(c->GetFrameTime(), s.time);
        EXPECT_EQ(c->GetKeyframeIndex(), s.index) << "time " << s.time;
    }
    EXPECT_FALSE(c->IsFinished());
    EXPECT_EQ(c->GetCurrentFrame(), 3);
    EXPECT_EQ(c->GetCurrentAnimationName(), "MOVE");

    // Rotation halfway between 0 and 90 degrees about z.
    c->SetAnimation("MOVE", 0, 6.0f);
    const CMatrix3& r = mesh->FindSubmesh("s")->rotation;
    EXPECT_NEAR(r.m[3], std::sin(0.25f * 3.14159265f), 1e-5f);
    EXPECT_NEAR(r.m[0], std::cos(0.25f * 3.14159265f), 1e-5f);
}

TEST(CubeAnimationTest, HoldAtEndStopsOnTheLastPose)
{
    auto mesh = MovingMesh({1, 11, 21});
    std::unique_ptr<CVeskCubeAnimationController> c(mesh->CreateAnimationController());
    c->SetAnimation("MOVE", 1, 15.0f);
    EXPECT_NEAR(X(*mesh), 14.0f, 1e-4f);
    for (int i = 0; i < 40; ++i)
        c->Update(0.25f);
    EXPECT_TRUE(c->IsFinished());
    EXPECT_NEAR(X(*mesh), 20.0f, 1e-4f);
    EXPECT_EQ(c->GetKeyframeIndex(), 2);

    // Starting past the end poses the last keyframe.
    c->SetAnimation("MOVE", 1, 99.0f);
    EXPECT_NEAR(X(*mesh), 20.0f, 1e-4f);
    EXPECT_FALSE(c->IsFinished());
}

TEST(CubeAnimationTest, ClipsThatCannotPlayLeaveThePoseAlone)
{
    // One keyframe: SetAnimation poses it, Update never applies it.
    auto single = MovingMesh({5});
    single->FindSubmesh("s")->localPosition = CVector3D(3, 0, 0);
    std::unique_ptr<CVeskCubeAnimationController> c(single->CreateAnimationController());
    c->Update(0.1f);
    EXPECT_FLOAT_EQ(X(*single), 3.0f);

    // Unknown names and clips without keyframes are ignored, also when another clip runs.
    auto mesh = MovingMesh({1, 11});
    mesh->GetOrCreateAnimation("EMPTY");
    std::unique_ptr<CVeskCubeAnimationController> m(mesh->CreateAnimationController());
    m->SetAnimation("NOPE", 0, 0.0f);
    m->SetAnimation("EMPTY", 0, 0.0f);
    EXPECT_EQ(m->GetCurrentAnimationName(), "");
    m->SetAnimation("MOVE", 0, 6.0f);
    m->SetAnimation("EMPTY", 0, 0.0f);
    EXPECT_EQ(m->GetCurrentAnimationName(), "MOVE");
    // A clip that starts out without keyframes ("EMPTY" comes first by name) can be left.
    std::unique_ptr<CVeskCubeAnimationController> fresh(mesh->CreateAnimationController());
    fresh->SetAnimation("MOVE", 0, 6.0f);
    EXPECT_EQ(fresh->GetCurrentAnimationName(), "MOVE");

    // A model without animations: Update leaves the loaded pose and clears debris flags.
    CVeskCubeMesh still;
    CubeSubmesh* s = voxeltest::AddBlock(still, "s", 1, 1, 1);
    s->localPosition = CVector3D(4, 0, 0);
    std::unique_ptr<CVeskCubeAnimationController> none(still.CreateAnimationController());
    s->debris = true;
    none->Update(0.1f);
    EXPECT_FLOAT_EQ(s->localPosition.x, 4.0f);
    EXPECT_FALSE(s->debris);
    EXPECT_EQ(none->GetCurrentFrame(), 0);
    EXPECT_EQ(none->GetSubmeshTransform("s").m[3], 0.0f);
}

TEST(CubeAnimationTest, KeyframesAtTheSameTimeGiveNoNaN)
{
    auto mesh = MovingMesh({1, 11});
    // Two keyframes sharing a frame number (only code can make them; files merge them).
    CubeAnimation& clip = mesh->GetOrCreateAnimation("MOVE");
    clip.keyframes[1].frame = 1;
    std::unique_ptr<CVeskCubeAnimationController> c(mesh->CreateAnimationController());
    c->SetAnimation("MOVE", 0, 1.0f);
    for (int i = 0; i < 5; ++i) {
        c->Update(0.1f);
        const CubeSubmesh* s = mesh->FindSubmesh("s");
        ASSERT_FALSE(std::isnan(s->localPosition.x));
        for (float v : s->rotation.m)
            ASSERT_FALSE(std::isnan(v));
    }
}

TEST(CubeAnimationTest, SlerpCases)
{
    const float h = std::sqrt(0.5f);
    const CQuaternion identity(1, 0, 0, 0), quarterZ(h, 0, 0, h);
    const struct {
        const char* name;
        CQuaternion a, b;
        float t;
        CQuaternion expected;
    } cases[] = {
        {"t 0", identity, quarterZ, 0.0f, identity},
        {"t 1", identity, quarterZ, 1.0f, quarterZ},
        {"halfway", identity, quarterZ, 0.5f, CQuaternion(std::cos(0.3926991f), 0, 0, std::sin(0.3926991f))},
        {"q and -q", quarterZ, CQuaternion(-h, 0, 0, -h), 0.5f, quarterZ},
        {"nearly equal: the average", identity, CQuaternion(0.9999995f, 0, 0, 0.0009f), 0.9f,
         CQuaternion(0.99999975f, 0, 0, 0.00045f)},
        {"shorter way round", identity, CQuaternion(-h, 0, 0, h), 1.0f, CQuaternion(h, 0, 0, -h)},
    };
    for (const auto& c : cases) {
        const CQuaternion q = Game::QuaternionSlerp(c.a, c.b, c.t);
        EXPECT_NEAR(q.w, c.expected.w, 1e-5f) << c.name;
        EXPECT_NEAR(q.x, c.expected.x, 1e-5f) << c.name;
        EXPECT_NEAR(q.y, c.expected.y, 1e-5f) << c.name;
        EXPECT_NEAR(q.z, c.expected.z, 1e-5f) << c.name;
    }
}

TEST(CubeAnimationTest, ShadePulsesAndDecays)
{
    auto mesh = MovingMesh({1, 11});
    std::unique_ptr<CVeskCubeAnimationController> c(mesh->CreateAnimationController());
    c->StartPulse(2.0f);
    EXPECT_FLOAT_EQ(c->GetShadeValue(), -1.5f);
    // Each step of 0.05 s multiplies the value by 1 - 0.05 * 2 * 5 = 0.5.
    const float expected[] = {-0.75f, -0.375f, -1.5f, -0.75f};
    for (float e : expected) {
        c->Update(0.05f);
        EXPECT_FLOAT_EQ(c->GetShadeValue(), e);
        EXPECT_FLOAT_EQ(mesh->FindSubmesh("s")->shadeValue, c->GetShadeValue()) << "handed to the shader";
    }
    // A pulse already under way keeps its value when started again.
    c->StartPulse(4.0f);
    EXPECT_FLOAT_EQ(c->GetShadeValue(), -0.75f);
}

TEST(CubeAnimationTest, GetSubmeshTransformPosesFirst)
{
    auto mesh = MovingMesh({1, 11});
    std::unique_ptr<CVeskCubeAnimationController> c(mesh->CreateAnimationController());
    c->SetAnimation("MOVE", 0, 6.0f);
    mesh->FindSubmesh("s")->localPosition = CVector3D(-50, 0, 0);
    EXPECT_NEAR(c->GetSubmeshTransform("s").m[3], 5.0f, 1e-4f);
    EXPECT_FLOAT_EQ(c->GetSubmeshTransform("missing").m[3], 0.0f);
}

TEST(CubeAnimationTest, ControllerOutlivingItsMeshDoesNothing)
{
    auto mesh = MovingMesh({1, 11});
    std::unique_ptr<CVeskCubeAnimationController> c(mesh->CreateAnimationController());
    std::unique_ptr<CVeskCubeAnimationController> other(mesh->CreateAnimationController());
    other.reset();
    mesh.reset();
    EXPECT_EQ(c->GetMesh(), nullptr);
    c->SetAnimation("MOVE", 0, 1.0f);
    c->Update(0.1f);
    c->Shatter(CMatrix4());
    c->ResetShatter();
    EXPECT_EQ(c->GetCurrentFrame(), 0);
    EXPECT_FALSE(c->UpdatePose());
}

} // namespace
