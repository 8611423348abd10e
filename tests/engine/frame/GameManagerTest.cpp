// The game manager's frame timing (freeze, slow motion, cap), its state stack requests and the
// status requests, driven through a fake counter on a headless window. The manager is a
// process-wide singleton: CTest runs every test in its own process.
#include "core/CFrameClock.h"
#include "debug/CDebugOutputManager.h"
#include "frame/CGameManager.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "platform/win/Messages.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Vesk::CGameManager;

namespace {

std::vector<std::string> g_Calls;

class RecordingState : public Vesk::IGameState {
public:
    explicit RecordingState(const std::string& name) : IGameState(name) {}
    ~RecordingState() override { Log("Delete"); }
    void Init() override { Log("Init"); }
    void Cleanup() override { Log("Cleanup"); }
    void Enter() override { Log("Enter"); }
    void Exit() override { Log("Exit"); }
    void Pause() override { Log("Pause"); }
    void Resume() override { Log("Resume"); }
    void Update(float dt) override
    {
        Log("Update");
        m_Steps.push_back(dt);
        if (m_OnUpdate)
            m_OnUpdate();
    }

    std::vector<float> m_Steps;
    std::function<void()> m_OnUpdate;

private:
    void Log(const char* call) { g_Calls.push_back(m_Name + "." + call); }
};

// Each frame lasts `frameTicks` counter ticks at 1000 ticks per second.
class GameManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The manager opens "startup.log" when it is first built, so enter the scratch folder first;
        // start-up reads the asset definition files from there.
        testsupport::CopyTree(testsupport::SourceDir() + "/bin/assets", m_Dir.File("assets"));
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        m_Game = &CGameManager::GetInstance();
        g_Calls.clear();
        m_Game->SetCounter(
            [this] {
                m_Now += m_ReadingEnd ? m_FrameTicks : 0;
                m_ReadingEnd = !m_ReadingEnd;
                return m_Now;
            },
            1000);
        ASSERT_TRUE(m_Game->Init(10, 10, 500, 280, "Thrummock", false));
    }
    void TearDown() override { m_Game->Shutdown(); }

    std::vector<std::string> TakeCalls()
    {
        std::vector<std::string> calls;
        calls.swap(g_Calls);
        return calls;
    }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
    CGameManager* m_Game = nullptr;
    int64_t m_Now = 0;
    int64_t m_FrameTicks = 16;
    bool m_ReadingEnd = false;
};

bool QuitPosted()
{
    win::Message message;
    while (win::PeekMessage(message))
        if (message.code == win::WM_QUIT)
            return true;
    return false;
}

} // namespace

TEST_F(GameManagerTest, StartupLogListsEveryStepInOrder)
{
    const std::string expected = "Window Initialized\nMinidump Initialized\nProfiler Initialized\nTimer Initialized\n"
                                 "Camera Manager Initialized\nRenderer Initialized\nPhysics Initialized\n"
                                 "DevGUI Component Initialized\nResource Manager Initialized\n"
                                 "Debug Output Manager Initialized\nCDisplay2D System Initialized\n"
                                 "CParticle System Initialized\nAudio System Initialized\nSceneGraph Initialized\n";
    EXPECT_EQ(expected, testsupport::ReadFile(m_Dir.File("startup.log")));
}

TEST_F(GameManagerTest, FreezeGivesSlowMotionThenFrozenFramesThenNormalTime)
{
    auto* state = new RecordingState("A");
    m_Game->ChangeState(state);
    m_FrameTicks = 20; // 0.02 s per frame
    m_Game->Update();  // the first frame has no measured duration yet
    m_Game->m_FreezeTimer = 0.75f;

    // Unscaled countdown: 0.75 -> above 0.1 for 32 frames of 0.02 s, then frozen until 0.
    // The clock hands the steps down: effects keep the frame's own step in frozen frames.
    std::vector<int> statuses;
    std::vector<float> effectSteps;
    const Vesk::CFrameClock& clock = Vesk::CFrameClock::GetInstance();
    for (int i = 0; i < 40; ++i) {
        m_Game->Update();
        statuses.push_back(m_Game->m_Status);
        effectSteps.push_back(clock.GetEffectStep());
        EXPECT_EQ(state->m_Steps.back(), clock.GetTimeStep());
        EXPECT_EQ(m_Game->GetFrameCount(), clock.GetFrameIndex());
    }
    const std::vector<float>& steps = state->m_Steps;
    ASSERT_EQ(41u, steps.size());
    EXPECT_FLOAT_EQ(0.0f, steps[0]);
    for (int i = 1; i <= 32; ++i) {
        EXPECT_NEAR(0.02f * 0.05f, steps[i], 1e-6f) << "frame " << i;
        EXPECT_NEAR(0.02f * 0.05f, effectSteps[i - 1], 1e-6f) << "frame " << i;
        EXPECT_EQ(CGameManager::StatusRun, statuses[i - 1]) << "frame " << i;
    }
    for (int i = 33; i <= 37; ++i) {
        EXPECT_EQ(0.0f, steps[i]) << "frame " << i;
        EXPECT_NEAR(0.02f, effectSteps[i - 1], 1e-6f) << "frame " << i;
        EXPECT_EQ(CGameManager::StatusFrozen, statuses[i - 1]) << "frame " << i;
    }
    EXPECT_NEAR(0.02f, steps[38], 1e-6f);
    EXPECT_EQ(CGameManager::StatusRun, statuses[37]);
}

TEST_F(GameManagerTest, LongFrameIsCappedAndFreezeRaisedWhileFrozenStaysFrozen)
{
    auto* state = new RecordingState("A");
    m_Game->ChangeState(state);
    m_FrameTicks = 100;
    m_Game->Update();
    m_Game->Update();
    EXPECT_FLOAT_EQ(0.04f, state->m_Steps.back());

    m_FrameTicks = 10;
    m_Game->Update();
    m_Game->m_FreezeTimer = 0.05f;
    m_Game->Update();
    EXPECT_EQ(CGameManager::StatusFrozen, m_Game->m_Status);
    m_Game->m_FreezeTimer = 0.5f;
    m_Game->Update();
    EXPECT_EQ(CGameManager::StatusFrozen, m_Game->m_Status);
    EXPECT_EQ(0.0f, state->m_Steps.back());
}

TEST_F(GameManagerTest, StateRequestsRunInOrderAfterTheFrame)
{
    auto* a = new RecordingState("A");
    m_Game->PushState(a);
    EXPECT_EQ((std::vector<std::string>{"A.Init", "A.Enter"}), TakeCalls()) << "push on an empty stack runs at once";

    a->m_OnUpdate = [this] {
        m_Game->PushState(new RecordingState("B"));
        m_Game->PopState();
        m_Game->ChangeState(new RecordingState("C"));
    };
    m_Game->Update();
    EXPECT_EQ((std::vector<std::string>{"A.Update", "A.Pause", "B.Init", "B.Enter", "B.Exit", "B.Cleanup", "A.Resume",
                                        "B.Delete", "A.Exit", "A.Cleanup", "A.Delete", "C.Init", "C.Enter"}),
              TakeCalls());
    EXPECT_EQ(1u, m_Game->GetStateCount());
    EXPECT_EQ("C", m_Game->GetCurrentState()->GetName());
}

TEST_F(GameManagerTest, FrameEndHookSeesEveryFrameBeforeItsStateRequests)
{
    auto* a = new RecordingState("A");
    m_Game->PushState(a);
    std::vector<uint64_t> frames;
    m_Game->SetFrameEndHook([&frames](uint64_t frame) {
        frames.push_back(frame);
        g_Calls.push_back("hook");
    });
    a->m_OnUpdate = [this] { m_Game->ChangeState(new RecordingState("B")); };
    TakeCalls();
    const uint64_t first = m_Game->GetFrameCount();
    m_Game->Update();
    EXPECT_EQ((std::vector<std::string>{"A.Update", "hook", "A.Exit", "A.Cleanup", "A.Delete", "B.Init", "B.Enter"}),
              TakeCalls());
    m_Game->Update();
    EXPECT_EQ((std::vector<std::string>{"B.Update", "hook"}), TakeCalls());
    EXPECT_EQ((std::vector<uint64_t>{first, first + 1}), frames);

    m_Game->SetFrameEndHook(nullptr);
    m_Game->Update();
    EXPECT_EQ(2u, frames.size());
}

TEST_F(GameManagerTest, ChangeReplacesOnlyTheTopAndPopOnEmptyStackDoesNothing)
{
    m_Game->PushState(new RecordingState("A"));
    m_Game->PushState(new RecordingState("B"));
    m_Game->Update();
    TakeCalls();
    m_Game->ChangeState(new RecordingState("C"));
    m_Game->Update();
    EXPECT_EQ((std::vector<std::string>{"B.Update", "B.Exit", "B.Cleanup", "B.Delete", "C.Init", "C.Enter"}),
              TakeCalls());
    ASSERT_EQ(2u, m_Game->GetStateCount());

    m_Game->PopState();
    m_Game->PopState();
    m_Game->PopState();
    m_Game->Update();
    EXPECT_EQ(0u, m_Game->GetStateCount());
}

TEST_F(GameManagerTest, LevelEditorOnTopUpdatesTheStateBelowToo)
{
    auto* play = new RecordingState("CPlayState");
    m_Game->PushState(play);
    m_Game->PushState(new RecordingState("LevelEditorState"));
    m_Game->Update();
    TakeCalls();
    m_Game->Update();
    EXPECT_EQ((std::vector<std::string>{"LevelEditorState.Update", "CPlayState.Update"}), TakeCalls());
}

// A screen laid over the world: while it is on top the world stands still.
class WorldHoldingState : public RecordingState {
public:
    using RecordingState::RecordingState;
    bool HoldsWorldStill() const override { return true; }
};

TEST_F(GameManagerTest, AStateOnTopThatHoldsTheWorldStillStopsItsStepUntilItGoes)
{
    m_Game->PushState(new RecordingState("Play"));
    Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
    auto box = std::make_unique<Vesk::CRigidBody>(CVector3D(1.0f, 1.0f, 1.0f), nullptr, 1.0f, false);
    ASSERT_TRUE(physics.AddRigidBody(box.get(), -1, -1));
    box->SetPosition(CVector3D(0.0f, 10.0f, 0.0f));
    box->SetLinearVelocity(CVector3D(0.0f, -5.0f, 0.0f)); // awake and falling
    for (int i = 0; i < 5; ++i)
        m_Game->Update();
    const float falling = box->GetPosition().y;
    EXPECT_LT(falling, 10.0f) << "the box falls under the state that runs the world";

    m_Game->PushState(new WorldHoldingState("Pause"));
    m_Game->Update();
    const float held = box->GetPosition().y;
    for (int i = 0; i < 30; ++i)
        m_Game->Update();
    EXPECT_EQ(held, box->GetPosition().y) << "nothing steps under the pause";
    TakeCalls();
    m_Game->Update();
    EXPECT_EQ(std::vector<std::string>{"Pause.Update"}, TakeCalls()) << "only the top state is updated";

    m_Game->PopState();
    m_Game->Update();
    m_Game->Update();
    EXPECT_LT(box->GetPosition().y, held) << "the world goes on once it has gone";
    physics.RemoveRigidBody(box.get());
}

TEST_F(GameManagerTest, RestartCallsExitAndEnterOnTheSameState)
{
    m_Game->PushState(new RecordingState("A"));
    TakeCalls();
    m_Game->m_Status = CGameManager::StatusRestart;
    m_Game->Update();
    EXPECT_EQ((std::vector<std::string>{"A.Update", "A.Exit", "A.Enter"}), TakeCalls());
    EXPECT_EQ(CGameManager::StatusRun, m_Game->m_Status);
}

TEST_F(GameManagerTest, RestartIsKeptWhenTheSameFrameFreezes)
{
    m_Game->PushState(new RecordingState("A"));
    m_Game->Update();
    TakeCalls();
    m_Game->m_Status = CGameManager::StatusRestart;
    m_Game->m_FreezeTimer = 0.05f;
    m_Game->Update();
    EXPECT_EQ((std::vector<std::string>{"A.Update", "A.Exit", "A.Enter"}), TakeCalls());
    EXPECT_EQ(CGameManager::StatusFrozen, m_Game->m_Status);
}

TEST_F(GameManagerTest, QuitStatusAndFrameLimitPostTheQuitMessage)
{
    m_Game->PushState(new RecordingState("A"));
    QuitPosted();
    m_Game->Update();
    EXPECT_FALSE(QuitPosted());
    m_Game->m_Status = CGameManager::StatusQuit;
    m_Game->Update();
    EXPECT_TRUE(QuitPosted());

    m_Game->SetFrameLimit(m_Game->GetFrameCount() + 2);
    m_Game->Update();
    EXPECT_FALSE(QuitPosted());
    m_Game->Update();
    EXPECT_TRUE(QuitPosted());
}

TEST_F(GameManagerTest, ProfilerOverlayShowsTheRealFrameRateAlsoWhenFrozen)
{
    Vesk::CDebugOutputManager& debug = Vesk::CDebugOutputManager::GetInstance();
    m_Game->PushState(new RecordingState("A"));
    m_FrameTicks = 20; // 0.02 s per frame
    m_Game->Update();
    EXPECT_EQ("FPS : 0", debug.GetLine(0)) << "the first frame has no measured duration";

    m_Game->m_FreezeTimer = 0.05f;
    m_Game->Update();
    ASSERT_EQ(CGameManager::StatusFrozen, m_Game->m_Status);
    EXPECT_EQ("FPS : 50", debug.GetLine(0));
    const char* const names[] = {"FRAME_COLLISION", "FRAME_STATE_UPDATE", "FRAME_COLLISIONRES_PHYSICS",
                                 "FRAME_AUDIO",     "FRAME_RENDERING_3D", "FRAME_RENDERING_2D",
                                 "FRAME_OTHERS_1"};
    for (unsigned i = 0; i < 7; ++i) {
        const std::string& line = debug.GetLine(i + 1);
        ASSERT_EQ(std::string::npos, line.find("FRAME_UNKNOWN"));
        EXPECT_EQ(30u - std::string(names[i]).size(), line.find(names[i])) << line;
    }

    debug.SetLine("kept", 0);
    m_Game->m_ShowProfiler = false;
    m_Game->Update();
    EXPECT_EQ("kept", debug.GetLine(0));
}

TEST(GameManagerStartupTest, TimerFailureStopsStartupAfterTheProfilerStep)
{
    testsupport::ScratchDir dir;
    testsupport::WorkingDirectory workingDir;
    ASSERT_TRUE(workingDir.Enter(dir.Path()));
    CGameManager& game = CGameManager::GetInstance();
    game.SetCounter([] { return int64_t{0}; }, 0);
    EXPECT_FALSE(game.Init(10, 10, 500, 280, "Thrummock", false));
    EXPECT_EQ("Window Initialized\nMinidump Initialized\nProfiler Initialized\n",
              testsupport::ReadFile(dir.File("startup.log")));
}
