// The cameras a person steers: free flight by held keys (opposite keys cancel, diagonals are no
// faster), the mouse turn's limits, the editor camera's start, and the object camera's view file.
#include "support/TestSupport.h"

#include "game/cameras/CLevelEditorCamera.h"
#include "game/cameras/CObjectCamera.h"
#include "game/cameras/CViewerCamera.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using Game::ObjectCamView;

TEST(HandCamerasTest, HeldKeysFlyAtOneHundredUnitsASecondAlongTheView)
{
    const struct {
        std::vector<char> held;
        CVector3D expected; // after one second, from eye (0, 10, -15) looking along +z
    } cases[] = {
        {{}, {0, 0, 0}},
        {{'W'}, {0, 0, 100}},
        {{'W', 'S'}, {0, 0, 0}},
        {{'A', 'D'}, {0, 0, 0}},
        {{'W', 'D'}, {70.7107f, 0, 70.7107f}},
        {{'Q'}, {0, 100, 0}},
        {{'E', 'A'}, {-70.7107f, -70.7107f, 0}},
    };
    for (const auto& c : cases) {
        Game::CViewerCamera camera;
        camera.SetLookAt(CVector3D(0, 10, 0));
        camera.Reset();
        for (char key : c.held)
            camera.GetFlight().OnKey(static_cast<uint32_t>(key), true);
        const CVector3D start = camera.GetEye();
        for (int frame = 0; frame < 60; ++frame)
            camera.Update(1.0f / 60.0f);
        const CVector3D moved = camera.GetEye() - start;
        const std::string what(c.held.begin(), c.held.end());
        EXPECT_NEAR(c.expected.x, moved.x, 0.05f) << what;
        EXPECT_NEAR(c.expected.y, moved.y, 0.05f) << what;
        EXPECT_NEAR(c.expected.z, moved.z, 0.05f) << what;
    }
}

TEST(HandCamerasTest, KeysLetGoStopAndTheEditorUsesItsOwnKeys)
{
    Game::CLevelEditorCamera editor;
    editor.Reset();
    EXPECT_FLOAT_EQ(200.0f, editor.GetEye().y);
    EXPECT_FLOAT_EQ(70.0f, editor.GetLookAt().z);
    EXPECT_TRUE(editor.IsInputEnabled());
    Game::FreeFlight& flight = editor.GetFlight();
    flight.OnKey('W', true);
    flight.OnKey('R', true);
    EXPECT_EQ(1u | 16u, flight.heldBits) << "R is forward and W up for the editor";
    flight.OnKey('W', false);
    flight.OnKey('Q', true);
    EXPECT_EQ(1u, flight.heldBits);
    editor.DisableInput();
    EXPECT_EQ(0u, flight.heldBits) << "keys are let go when the keyboard side goes off";
    EXPECT_FALSE(editor.IsInputEnabled());
}

TEST(HandCamerasTest, MouseTurnWrapsYawAndStopsPitch)
{
    Game::CViewerCamera camera;
    camera.SetYaw(359.95f);
    camera.SetPitch(89.0f);
    Game::TurnByMouse(camera, -1, -50);
    EXPECT_NEAR(0.05f, camera.GetYaw(), 1e-3f);
    EXPECT_FLOAT_EQ(90.0f, camera.GetPitch());
    Game::TurnByMouse(camera, 0, 2000);
    EXPECT_FLOAT_EQ(-90.0f, camera.GetPitch());
}

TEST(HandCamerasTest, TheObjectCameraOrbitsToLookFromAGivenEye)
{
    Game::CObjectCamera camera;
    camera.LookFrom(CVector3D(64, 60, -50), CVector3D(64, 0, 40));
    for (int frame = 0; frame < 3; ++frame)
        camera.Update(1.0f / 60.0f);
    EXPECT_NEAR(64.0f, camera.GetEye().x, 0.01f);
    EXPECT_NEAR(60.0f, camera.GetEye().y, 0.01f);
    EXPECT_NEAR(-50.0f, camera.GetEye().z, 0.01f);
    EXPECT_NEAR(40.0f, camera.GetLookAt().z, 0.01f);
}

class ObjectCamFileTest : public ::testing::Test {
protected:
    std::string Path() const { return m_Dir.File("objectCam.config"); }
    testsupport::ScratchDir m_Dir;
};

TEST_F(ObjectCamFileTest, TheViewIsWrittenAsTextAndReadBack)
{
    ObjectCamView view;
    view.distance = 42.5f;
    view.yaw = 135.25f;
    view.pitch = -20.0f;
    view.lookAt = CVector3D(3.9f, -7.2f, 100.0f);
    EXPECT_EQ("42.5\n135.25\n-20\n3\n-7\n100\nCAMERA POSITION: 1 2 -3\nCAMERA LOOK--AT: 3 -7 100\n",
              Game::FormatObjectCamView(view, CVector3D(1.6f, 2.2f, -3.9f)));

    ObjectCamView read;
    ASSERT_TRUE(Game::ParseObjectCamView("12\n45\n30\n1\n2\n3\nCAMERA POSITION: 0 0 0\n", read));
    EXPECT_FLOAT_EQ(12.0f, read.distance);
    EXPECT_FLOAT_EQ(3.0f, read.lookAt.z);
    ObjectCamView kept = read;
    EXPECT_FALSE(Game::ParseObjectCamView("12\n45\nthirty\n", kept));
    EXPECT_FLOAT_EQ(12.0f, kept.distance) << "a file that does not read changes nothing";
    ASSERT_TRUE(Game::ParseObjectCamView("0.2\n0\n120\n0\n0\n0\n", read));
    EXPECT_FLOAT_EQ(1.0f, read.distance) << "the distance is at least 1";
    EXPECT_FLOAT_EQ(89.0f, read.pitch) << "the pitch stays within 89 degrees";
}

TEST_F(ObjectCamFileTest, SavingReplacesTheWholeFileAndTellsTheRealOutcome)
{
    Game::CObjectCamera camera;
    camera.Reset();
    // A longer file from before must not leave its tail behind the new view.
    testsupport::WriteFile(Path(), std::string(500, '9') + "\n");
    ASSERT_TRUE(camera.SaveView(Path()));
    const std::string saved = testsupport::ReadFile(Path());
    EXPECT_EQ(Game::FormatObjectCamView(camera.GetView(), camera.GetEye()), saved);

    Game::CObjectCamera other;
    other.Reset();
    testsupport::WriteFile(Path(), "55\n10\n20\n1\n2\n3\n");
    ASSERT_TRUE(other.LoadView(Path()));
    EXPECT_FLOAT_EQ(55.0f, other.GetView().distance);
    EXPECT_FLOAT_EQ(55.0f, (other.GetEye() - other.GetLookAt()).Length()) << "the eye sits on the orbit";
    EXPECT_FALSE(other.LoadView(m_Dir.File("missing.config")));
    EXPECT_FLOAT_EQ(55.0f, other.GetView().distance);

    // Where the file cannot be written the old one stays and the save reports it.
    ASSERT_EQ(0, mkdir((Path() + ".tmp").c_str(), 0755));
    EXPECT_FALSE(camera.SaveView(Path()));
    EXPECT_EQ("55\n10\n20\n1\n2\n3\n", testsupport::ReadFile(Path()));
}

} // namespace
