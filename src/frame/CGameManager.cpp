#include "frame/CGameManager.h"

#include "audio/CAudioSystem.h"
#include "core/CFrameClock.h"
#include "core/Log.h"
#include "debug/CDebugOutputManager.h"
#include "devgui/IDevGUI.h"
#include "frame/CMiniDumper.h"
#include "input/CInputManager.h"
#include "math/Random.h"
#include "particles/CParticleSystem.h"
#include "physics/CPhysicsSystem.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/Timer.h"
#include "profiler/CFrameProfiler.h"
#include "profiler/ProfileOverlay.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CResourceManager.h"
#include "scene/CRenderVisitor.h"
#include "scene/CSceneGraph.h"
#include "triggers/CTriggerManager.h"
#include "ui2d/CDisplay2DSystem.h"
#include "window/CWindowSystem.h"

#include <algorithm>
#include <cfloat>
#include <ctime>

namespace Vesk {

namespace {

constexpr float kSlowMotionThreshold = 0.1f;
constexpr float kSlowMotionFactor = 0.05f;
constexpr float kMaxTimeStep = 0.04f;
constexpr float kPhysicsStep = 1.0f / 60.0f;

const char* const kLevelEditorState = "LevelEditorState";

// A start-up step over one manager's Init and Shutdown: logs the line on success, otherwise shows
// the manager's message.
template <typename Manager>
ManagerStep ManagerInitStep(CGameManager& game, Manager& manager, const char* line)
{
    return {line,
            [&game, &manager, line] {
                if (!manager.Init()) {
                    game.ShowError(manager.GetErrorMessage());
                    return false;
                }
                game.LogStep(line);
                return true;
            },
            [&manager] { manager.Shutdown(); }};
}

} // namespace

CGameManager::CGameManager() = default;

CGameManager::~CGameManager() = default;

void CGameManager::LogStep(const char* line)
{
    m_StartupLog << line << "\n";
    m_StartupLog.flush();
}

void CGameManager::SetCounter(std::function<int64_t()> counter, int64_t frequency)
{
    m_Counter = std::move(counter);
    m_CounterFrequency = frequency;
}

float CGameManager::GetFrameDuration() const
{
    if (m_FixedTimeStep > 0.0f)
        return m_FixedTimeStep;
    return m_Timer ? m_Timer->lastFrameDuration : 0.0f;
}

int64_t CGameManager::ReadCounter() const { return m_Counter ? m_Counter() : win::QueryPerformanceCounter(); }

bool CGameManager::Init(int x, int y, int width, int height, const std::string& title, bool fullscreen)
{
    m_StartupLog.close();
    m_StartupLog.clear();
    m_StartupLog.open("startup.log", std::ios::out | std::ios::trunc);
    m_Managers = MakeManagerTable(x, y, width, height, title, fullscreen);
    if (!m_Managers.Start())
        return false;
    if (win::Window* window = CWindowSystem::GetInstance().GetWindow()) {
        window->Show(win::ShowCommand::Default);
    }
    SeedRandom(static_cast<unsigned>(std::time(nullptr)));
    return true;
}

void CGameManager::InstallWindowHooks()
{
    WindowHooks hooks;
    hooks.beginFrame = [] { CInputManager::GetInstance().BeginFrame(); };
    hooks.endFrame = [] { CInputManager::GetInstance().EndFrame(); };
    hooks.runFrame = [this] { Update(); };
    hooks.takeMessage = [](const win::Message& message) {
        IDevGUI& gui = IDevGUI::GetInstance();
        return gui.IsInitialised() && gui.HandleMessage(message);
    };
    hooks.resizeBackBuffer = [](int& width, int& height, bool windowed) {
        CRenderer& renderer = CRenderer::GetInstance();
        renderer.SetBackBufferSize(width, height, windowed);
        width = renderer.GetScreenWidth();
        height = renderer.GetScreenHeight();
    };
    hooks.restoreDevice = [] {
        CRenderer& renderer = CRenderer::GetInstance();
        if (renderer.IsInitialised())
            renderer.ResetDevice();
    };
    CWindowSystem::GetInstance().SetHooks(std::move(hooks));
}

CManagerTable CGameManager::MakeManagerTable(int x, int y, int width, int height, const std::string& title,
                                             bool fullscreen)
{
    CWindowSystem& windowSystem = CWindowSystem::GetInstance();
    ManagerStep window{"Window Initialized",
                       [this, x, y, width, height, title, fullscreen, &windowSystem] {
                           InstallWindowHooks();
                           if (!windowSystem.CreateMainWindow(x, y, width, height, title, fullscreen)) {
                               ShowError(windowSystem.GetErrorMessage());
                               return false;
                           }
                           LogStep("Window Initialized");
                           return true;
                       },
                       [&windowSystem] { windowSystem.DestroyMainWindow(); }};
    ManagerStep minidump{"Minidump Initialized",
                         [this] {
                             CMiniDumper::Install();
                             LogStep("Minidump Initialized");
                             return true;
                         },
                         nullptr};
    ManagerStep profiler{"Profiler Initialized",
                         [this] {
                             CFrameProfiler::GetInstance().Init();
                             LogStep("Profiler Initialized");
                             return true;
                         },
                         [] { CFrameProfiler::GetInstance().Shutdown(); }};
    ManagerStep timer{"Timer Initialized",
                      [this] {
                          const int64_t frequency = m_Counter ? m_CounterFrequency : win::QueryPerformanceFrequency();
                          if (frequency <= 0) {
                              ShowError("CGameManager:: Unable to initialize timer");
                              return false;
                          }
                          m_Timer = std::make_unique<FrameTimer>();
                          m_Timer->secondsPerTick = 1.0 / static_cast<double>(frequency);
                          LogStep("Timer Initialized");
                          return true;
                      },
                      [this] { m_Timer.reset(); }};
    ManagerStep input{"Input",
                      [] {
                          CInputManager::GetInstance().Init();
                          return true;
                      },
                      [] { CInputManager::GetInstance().Shutdown(); }};
    ManagerStep devGui{"DevGUI Component Initialized",
                       [this, &windowSystem] {
                           IDevGUI::GetInstance().Init();
                           IDevGUI::GetInstance().WindowSize(windowSystem.GetClientWidth(),
                                                             windowSystem.GetClientHeight());
                           LogStep("DevGUI Component Initialized");
                           return true;
                       },
                       [] { IDevGUI::GetInstance().Terminate(); }};
    ManagerStep triggers{"Triggers",
                         [] {
                             CTriggerManager::GetInstance().Init();
                             return true;
                         },
                         [] { CTriggerManager::GetInstance().Shutdown(); }};
    return CManagerTable(
        {window, minidump, profiler, timer, input,
         ManagerInitStep(*this, CCameraManager::GetInstance(), "Camera Manager Initialized"),
         ManagerInitStep(*this, CRenderer::GetInstance(), "Renderer Initialized"),
         ManagerInitStep(*this, CPhysicsSystem::GetInstance(), "Physics Initialized"), devGui,
         ManagerInitStep(*this, CResourceManager::GetInstance(), "Resource Manager Initialized"),
         ManagerInitStep(*this, CDebugOutputManager::GetInstance(), "Debug Output Manager Initialized"),
         ManagerInitStep(*this, CDisplay2DSystem::GetInstance(), "CDisplay2D System Initialized"),
         ManagerInitStep(*this, CParticleSystem::GetInstance(), "CParticle System Initialized"),
         ManagerInitStep(*this, CAudioSystem::GetInstance(), "Audio System Initialized"), triggers,
         ManagerInitStep(*this, CSceneGraph::GetInstance(), "SceneGraph Initialized")});
}

void CGameManager::Run() { CWindowSystem::GetInstance().PumpMessages(); }

void CGameManager::ShowError(const std::string& text) const
{
    win::MessageBox(CWindowSystem::GetInstance().GetWindow(), text, "Error");
}

bool CGameManager::TopIsLevelEditor() const
{
    return !m_States.empty() && m_States.back()->GetName() == kLevelEditorState;
}

bool CGameManager::TopIsEditorState() const
{
    if (m_States.empty())
        return false;
    const std::string& name = m_States.back()->GetName();
    return name == kLevelEditorState || name == "AnimEditorState" || name == "ModelEditorState";
}

float CGameManager::SlowMotionFactor() const { return m_FreezeTimer > kSlowMotionThreshold ? kSlowMotionFactor : 1.0f; }

float CGameManager::TakeTimeStep(float frameSeconds)
{
    m_FreezeTimer = std::max(m_FreezeTimer - frameSeconds, 0.0f);
    float dt = frameSeconds * SlowMotionFactor();
    const bool slowMotion = m_FreezeTimer > kSlowMotionThreshold;
    if (!slowMotion && m_FreezeTimer > FLT_MIN) {
        // Freezing must not swallow a restart or quit requested just before this frame.
        m_RestartPending = m_RestartPending || m_Status == StatusRestart;
        m_QuitPending = m_QuitPending || m_Status == StatusQuit;
        m_Status = StatusFrozen;
    } else if (!slowMotion && m_Status == StatusFrozen) {
        m_Status = StatusRun;
    }
    if (m_Status == StatusFrozen)
        dt = 0.0f;
    return dt;
}

bool CGameManager::Update()
{
    CFrameProfiler& profiler = CFrameProfiler::GetInstance();
    profiler.BeginFrame();
    if (m_States.empty() || !m_Timer)
        return true;

    m_Timer->frameStart = ReadCounter();
    const float frameSeconds = GetFrameDuration();
    float dt = TakeTimeStep(frameSeconds);

    // The overlay's rate is that of real frames, also in slow motion and frozen frames.
    if (m_ShowProfiler)
        DrawProfile(frameSeconds);
    else
        CDebugOutputManager::GetInstance().ClearLines();

    dt = std::min(dt, kMaxTimeStep);
    m_LastTimeStep = dt;
    CFrameClock::GetInstance().SetSteps(dt, frameSeconds * SlowMotionFactor());
    // The top state decides whether the world steps in this frame (it is decided before the
    // update, which may queue requests but changes the stack only after the frame).
    const bool worldSteps = !m_States.back()->HoldsWorldStill();

    {
        CProfileScope section(FRAME_COLLISION);
        if (worldSteps)
            CPhysicsSystem::GetInstance().ProcessCollisions();
    }
    {
        CProfileScope section(FRAME_STATE_UPDATE);
        m_States.back()->Update(dt);
        if (TopIsLevelEditor() && m_States.size() > 1)
            m_States[m_States.size() - 2]->Update(dt);
        if (worldSteps)
            CTriggerManager::GetInstance().Update(dt);
    }
    {
        CProfileScope section(FRAME_COLLISIONRES_PHYSICS);
        if (worldSteps)
            CPhysicsSystem::GetInstance().StepSimulation(dt, static_cast<int>(dt / kPhysicsStep + 0.5f), kPhysicsStep);
    }
    // Animations advance with the simulation, once a frame, whether their nodes get drawn or not.
    if (worldSteps)
        CSceneGraph::GetInstance().AdvanceAnimations(dt);
    if (CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera())
        camera->Update(dt);
    {
        CProfileScope section(FRAME_AUDIO);
        CAudioSystem::GetInstance().Update();
    }

    CRenderer& renderer = CRenderer::GetInstance();
    CSceneGraph& scene = CSceneGraph::GetInstance();
    {
        CProfileScope section(FRAME_RENDERING_3D);
        renderer.HandleDeviceLost();
        scene.CullAndRender();
        if (CRenderer::PreSceneCallback preScene = renderer.GetPreSceneCallback())
            preScene();
        if (renderer.HasDevice()) {
            renderer.SetDefaultRenderStates();
            renderer.ClearViewport();
            renderer.BeginScene();
        }
        if (CRenderVisitor* visitor = scene.GetRenderVisitor())
            visitor->RenderLateBuckets();
        if (scene.m_PostDrawHook)
            scene.m_PostDrawHook();
        scene.DeleteRenderVisitor();
        CParticleSystem::GetInstance().Render();
        renderer.RenderDebugLines();
        renderer.RenderDebugQuads();
    }
    {
        CProfileScope section(FRAME_RENDERING_2D);
        renderer.Begin2D();
        CDisplay2DSystem::GetInstance().Render(dt);
    }
    {
        CProfileScope section(FRAME_OTHERS_1);
        CDebugOutputManager::GetInstance().Render();
        if (TopIsEditorState())
            IDevGUI::GetInstance().Draw();
        renderer.EndScene();
        if (!m_ScreenshotPath.empty() && m_FrameLimit != 0 && m_FrameCount + 1 == m_FrameLimit &&
            !renderer.SaveScreenshot(m_ScreenshotPath))
            LogLine("CGameManager: cannot save the screenshot " + m_ScreenshotPath);
        const auto timed = m_TimedScreenshots.find(m_FrameCount);
        if (timed != m_TimedScreenshots.end() && !renderer.SaveScreenshot(timed->second))
            LogLine("CGameManager: cannot save the screenshot " + timed->second);
        renderer.Present();
    }

    m_Timer->frameEnd = ReadCounter();
    m_Timer->lastFrameDuration =
        static_cast<float>(static_cast<double>(m_Timer->frameEnd - m_Timer->frameStart) * m_Timer->secondsPerTick);
    if (m_FrameEndHook)
        m_FrameEndHook(m_FrameCount);

    RunRequests();

    if ((m_Status == StatusRestart || m_RestartPending) && !m_States.empty()) {
        m_States.back()->Exit();
        m_States.back()->Enter();
    }
    if (m_Status == StatusRestart)
        m_Status = StatusRun;
    m_RestartPending = false;

    ++m_FrameCount;
    CFrameClock::GetInstance().SetFrameIndex(m_FrameCount);
    const bool frameLimitReached = m_FrameLimit != 0 && m_FrameCount == m_FrameLimit;
    if (m_Status == StatusQuit || m_QuitPending || frameLimitReached) {
        win::PostQuitMessage(0);
        if (m_Status == StatusQuit)
            m_Status = StatusRun;
        m_QuitPending = false;
    }
    profiler.EndFrame();
    return true;
}

void CGameManager::DrawProfile(float dt)
{
    CDebugOutputManager& debug = CDebugOutputManager::GetInstance();
    const CFrameProfiler& profiler = CFrameProfiler::GetInstance();
    debug.SetLine(FormatFpsLine(dt), 0);
    for (int i = 0; i < FRAME_SECTION_COUNT; ++i)
        debug.SetLine(FormatSectionLine(i, profiler.GetShare(i)), static_cast<unsigned>(i + 1));
}

void CGameManager::PushState(IGameState* state)
{
    if (m_States.empty())
        DoPush(state);
    else
        m_Requests.push_back({Request::Push, state});
}

void CGameManager::PopState() { m_Requests.push_back({Request::Pop, nullptr}); }

void CGameManager::ChangeState(IGameState* state)
{
    if (m_States.empty())
        DoChange(state);
    else
        m_Requests.push_back({Request::Change, state});
}

IGameState* CGameManager::GetCurrentState() const { return m_States.empty() ? nullptr : m_States.back(); }

void CGameManager::RunRequests()
{
    while (!m_Requests.empty()) {
        Request request = m_Requests.front();
        m_Requests.pop_front();
        switch (request.kind) {
        case Request::Change: DoChange(request.state); break;
        case Request::Push: DoPush(request.state); break;
        case Request::Pop: DoPop(); break;
        }
    }
}

void CGameManager::DoPush(IGameState* state)
{
    if (!state)
        return;
    if (!m_States.empty())
        m_States.back()->Pause();
    m_States.push_back(state);
    state->Init();
    state->Enter();
}

void CGameManager::DoPop()
{
    if (m_States.empty())
        return;
    std::unique_ptr<IGameState> top = TakeTop();
    if (!m_States.empty())
        m_States.back()->Resume();
}

void CGameManager::DoChange(IGameState* state)
{
    if (!state)
        return;
    if (!m_States.empty())
        TakeTop();
    CSceneGraph& scene = CSceneGraph::GetInstance();
    scene.Shutdown();
    scene.Reset();
    m_States.push_back(state);
    state->Init();
    state->Enter();
}

std::unique_ptr<IGameState> CGameManager::TakeTop()
{
    std::unique_ptr<IGameState> top(m_States.back());
    top->Exit();
    top->Cleanup();
    m_States.pop_back();
    return top;
}

void CGameManager::PopAllStates()
{
    while (!m_States.empty())
        TakeTop();
    for (const Request& request : m_Requests)
        delete request.state;
    m_Requests.clear();
}

void CGameManager::Shutdown()
{
    PopAllStates();
    // Also before any Init: the table's stops are harmless on managers that are not up.
    if (m_Managers.GetSteps().empty())
        m_Managers = MakeManagerTable(0, 0, 0, 0, std::string(), false);
    m_Managers.Stop();
    // The window went last. The next Init starts as the first did: no frame counted, no developer
    // option, no request.
    m_Counter = nullptr;
    m_CounterFrequency = 0;
    m_FixedTimeStep = 0.0f;
    m_LastTimeStep = 0.0f;
    m_FrameLimit = 0;
    m_ScreenshotPath.clear();
    m_FrameEndHook = nullptr;
    m_FrameCount = 0;
    CFrameClock::GetInstance().SetFrameIndex(0);
    CFrameClock::GetInstance().SetSteps(0.0f, 0.0f);
    m_RestartPending = false;
    m_QuitPending = false;
    m_Status = StatusRun;
    m_FreezeTimer = 0.0f;
    m_ShowProfiler = true;
}

} // namespace Vesk
