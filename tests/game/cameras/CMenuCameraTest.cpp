// The menu camera's waypoint file and flights: what the reader keeps and leaves out, and that
// every flight ends, once, without a value that is not a number, whatever its points are.
#include "support/TestSupport.h"

#include "game/cameras/CMenuCamera.h"
#include "render/CCameraManager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Game::CameraWaypoints;
using Game::CMenuCamera;

std::vector<int> g_LevelEnds;
int g_TitleEnds = 0;

void RecordLevelEnd(int level) { g_LevelEnds.push_back(level); }
void RecordTitleEnd() { ++g_TitleEnds; }

bool Finite(const CVector3D& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

std::string PointText(const CVector3D& p)
{
    return std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.z);
}

class CMenuCameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Vesk::CCameraManager::GetInstance().Init());
        m_Camera = dynamic_cast<CMenuCamera*>(
            Vesk::CCameraManager::GetInstance().CreateCamera<CMenuCamera>("menucamera", false));
        ASSERT_NE(nullptr, m_Camera);
        m_Camera->SetFlightEndActions(&RecordLevelEnd, &RecordTitleEnd);
        g_LevelEnds.clear();
        g_TitleEnds = 0;
    }
    void TearDown() override { Vesk::CCameraManager::GetInstance().Shutdown(); }

    std::string Write(const std::string& body) const
    {
        const std::string path = m_Dir.File("waypoints.xml");
        testsupport::WriteFile(path, "<waypoints>" + body + "</waypoints>");
        return path;
    }

    // The paths given, each with its look-at point, loaded into the camera.
    void LoadPaths(const std::vector<std::vector<CVector3D>>& paths, const std::vector<CVector3D>& lookAts)
    {
        std::string body;
        for (size_t p = 0; p < paths.size(); ++p) {
            body += "<path total_pts=\"" + std::to_string(paths[p].size()) + "\"";
            if (p < lookAts.size())
                body += " look_at=\"" + PointText(lookAts[p]) + "\"";
            for (size_t i = 0; i < paths[p].size(); ++i)
                body += " waypt_" + std::to_string(i + 1) + "=\"" + PointText(paths[p][i]) + "\"";
            body += "/>";
        }
        m_Camera->LoadWaypoints(Write(body + "<breaker/>"));
    }

    // Frames flown until the camera stops; -1 when it has not stopped after maxFrames. Every
    // frame's eye, look-at and chase point must be numbers.
    int Fly(float dt, int maxFrames = 20000)
    {
        for (int frame = 1; frame <= maxFrames; ++frame) {
            m_Camera->Update(dt);
            EXPECT_TRUE(Finite(m_Camera->GetEye()) && Finite(m_Camera->GetLookAt()) &&
                        Finite(m_Camera->GetChasePoint()))
                << "frame " << frame;
            if (!m_Camera->IsMoving())
                return frame;
        }
        return -1;
    }

    testsupport::ScratchDir m_Dir;
    CMenuCamera* m_Camera = nullptr;
};

TEST_F(CMenuCameraTest, TheFileGivesUpToSevenPathsUntilTheBreaker)
{
    CameraWaypoints read;
    ASSERT_TRUE(Game::LoadCameraWaypoints(
        Write(R"(<a total_pts="3" look_at="1,2,3" waypt_0="9 9 9" waypt_1="0 0 0" waypt_2="10 0 0" waypt_3="10 5 0"/>
                 <b total_pts="2" waypt_1="0 0 0" waypt_2="x y z"/>
                 <c total_pts="1" look_at="4 5 6" waypt_1="7 8 9"/>
                 <d/><e/><f/><g/><h total_pts="1" waypt_1="1 1 1"/>)"),
        read));
    ASSERT_EQ(7u, read.paths.size()) << "an eighth path is not read";
    ASSERT_EQ(3u, read.paths[0].size()) << "\"waypt_0\" is never read";
    EXPECT_FLOAT_EQ(5.0f, read.paths[0][2].y);
    EXPECT_EQ(1u, read.paths[1].size()) << "a point that does not read is left out";
    EXPECT_TRUE(read.paths[3].empty());
    ASSERT_EQ(2u, read.lookAts.size()) << "a path without a look-at point adds none";
    EXPECT_FLOAT_EQ(2.0f, read.lookAts[0].y);
    EXPECT_FLOAT_EQ(6.0f, read.lookAts[1].z);

    ASSERT_TRUE(Game::LoadCameraWaypoints(
        Write(R"(<a total_pts="2" look_at="0 0 0" waypt_1="0 0 0" waypt_2="1 0 0"/><breaker/><b total_pts="1"/>)"),
        read));
    EXPECT_EQ(1u, read.paths.size()) << "nothing after the breaker";

    EXPECT_FALSE(Game::LoadCameraWaypoints(m_Dir.File("missing.xml"), read));
    EXPECT_TRUE(read.paths.empty());
    testsupport::WriteFile(m_Dir.File("other.xml"), "<points/>");
    EXPECT_FALSE(Game::LoadCameraWaypoints(m_Dir.File("other.xml"), read));
}

TEST_F(CMenuCameraTest, TheLevelFlightEndsOnceAtTheLastPointWithTheStoredLevel)
{
    LoadPaths({{{0, 0, 0}, {100, 0, 0}, {100, 0, 100}}}, {{50, 50, 50}});
    m_Camera->SetLevel(3);
    m_Camera->StartPath(0);
    EXPECT_EQ(m_Camera, Vesk::CCameraManager::GetInstance().GetCurrentCamera());
    EXPECT_TRUE(m_Camera->IsMoving());
    ASSERT_GT(Fly(1.0f / 60.0f), 0);
    EXPECT_EQ(std::vector<int>{3}, g_LevelEnds);
    EXPECT_LT(std::hypot(m_Camera->GetEye().x - 100.0f, m_Camera->GetEye().z - 100.0f), 0.5f);
    EXPECT_NEAR(50.0f, m_Camera->GetLookAt().y, 1e-3f) << "path 0 looks at its look-at point";
    m_Camera->Update(1.0f / 60.0f);
    EXPECT_EQ(1u, g_LevelEnds.size()) << "a finished flight does not end again";
}

TEST_F(CMenuCameraTest, EveryFlightEndsWhateverItsPoints)
{
    // A step of 1/64 s moves the chase point 7.8125 units, so the second table lands on its
    // points exactly.
    const struct {
        const char* what;
        std::vector<CVector3D> points;
        float dt;
    } cases[] = {
        {"repeated points", {{0, 0, 0}, {0, 0, 0}, {20, 0, 0}, {20, 0, 0}, {20, 0, 0}}, 1.0f / 60.0f},
        {"steps landing on the points", {{0, 0, 0}, {7.8125f, 0, 0}, {15.625f, 0, 0}}, 1.0f / 64.0f},
        {"all points the same", {{5, 5, 5}, {5, 5, 5}}, 1.0f / 60.0f},
        {"long frames", {{0, 0, 0}, {300, 0, 0}, {300, 300, 0}}, 0.5f},
    };
    for (const auto& c : cases) {
        g_TitleEnds = 0;
        Vesk::CCameraManager::GetInstance().Shutdown();
        SetUp();
        // Path 1 turns its view between the two look-at points along each segment.
        LoadPaths({{{0, 0, 0}, {1, 0, 0}}, c.points}, {{0, 0, 0}, {9, 9, 9}});
        m_Camera->StartPath(1);
        EXPECT_GT(Fly(c.dt), 0) << c.what;
        EXPECT_EQ(1, g_TitleEnds) << c.what;
        EXPECT_NEAR(0.0f, m_Camera->GetLookAt().x, 1e-3f) << c.what << ": the title flight ends on path 0's look-at";
    }
}

TEST_F(CMenuCameraTest, PathsThatCannotBeFlownEndAtOnceAndUnreadableLookAtsAreSkipped)
{
    // Path 1 has no look-at point of path 0 to turn to; path 2 has one point.
    LoadPaths({{{0, 0, 0}, {40, 0, 0}}, {{0, 0, 0}, {40, 0, 0}}, {{1, 1, 1}}}, {});
    m_Camera->StartPath(1);
    EXPECT_GT(Fly(1.0f / 60.0f), 0);
    EXPECT_EQ(1, g_TitleEnds);

    m_Camera->SetLevel(2);
    m_Camera->StartPath(0);
    EXPECT_GT(Fly(1.0f / 60.0f), 0);
    m_Camera->StartPath(5);
    EXPECT_FALSE(m_Camera->IsMoving());
    EXPECT_EQ((std::vector<int>{2}), g_LevelEnds) << "a path that is not there is not flown";
    m_Camera->StartPath(2);
    EXPECT_FALSE(m_Camera->IsMoving()) << "one point is no flight";
}

TEST_F(CMenuCameraTest, AMissingFileLeavesAFixedCameraThatStillEndsTheTitleFlight)
{
    m_Camera->LoadWaypoints(m_Dir.File("missing.xml"));
    m_Camera->StartPath(1);
    EXPECT_FALSE(m_Camera->IsMoving());
    EXPECT_EQ(1, g_TitleEnds) << "the menu still shows";
    m_Camera->SetLevel(1);
    m_Camera->StartPath(0);
    EXPECT_EQ(std::vector<int>{1}, g_LevelEnds) << "the level still starts";
}

TEST_F(CMenuCameraTest, ALongFrameFliesAsOneOfAtMostOneSixtieth)
{
    LoadPaths({{{0, 0, 0}, {1000, 0, 0}}}, {{0, 0, 0}});
    m_Camera->StartPath(0);
    m_Camera->Update(0.05f);
    EXPECT_NEAR(500.0f * CMenuCamera::kMaxFlightStep, m_Camera->GetChasePoint().x, 1e-3f);
}

} // namespace
