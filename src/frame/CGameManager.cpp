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

// Runs one manager's Init as a start-up step: logs the line on success, otherwise shows the
// manager's message and calls the shutdown named for the step.
template <typename Manager>
bool InitStep(CGameManager& game, Manager& manager, void (*onFailure)(Manager&))
{
    if (manager.Init())
        return true;
    game.ShowError(manager.GetErrorMessage());
    if (onFailure)
        onFailure(manager);
    return false;
}

template <typename Manager>
void ShutdownManager(Manager& manager)
{
    manager.Shutdown();
}

} // namespace

CGameManager::CGameManager() : m_StartupLog("startup.log", std::ios::out | std::ios::trunc) {}

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
    if (!StartManagers(x, y, width, height, title, fullscreen))
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

bool CGameManager::StartManagers(int x, int y, int width, int height, const std::string& title, bool fullscreen)
{
    InstallWindowHooks();
    CWindowSystem& windowSystem = CWindowSystem::GetInstance();
    if (!windowSystem.CreateMainWindow(x, y, width, height, title, fullscreen)) {
        ShowError(windowSystem.GetErrorMessage());
        return false;
    }
    LogStep("Window Initialized");

    CMiniDumper::Install();
    LogStep("Minidump Initialized");

    CFrameProfiler::GetInstance().Init();
    LogStep("Profiler Initialized");

    const int64_t frequency = m_Counter ? m_CounterFrequency : win::QueryPerformanceFrequency();
    if (frequency <= 0) {
        ShowError("CGameManager:: Unable to initialize timer");
        return false;
    }
    m_Timer = std::make_unique<FrameTimer>();
    m_Timer->secondsPerTick = 1.0 / static_cast<double>(frequency);
    LogStep("Timer Initialized");

    CInputManager::GetInstance().Init();

    if (!InitStep<CCameraManager>(*this, CCameraManager::GetInstance(), &ShutdownManager<CCameraManager>))
        return false;
    LogStep("Camera Manager Initialized");

    if (!InitStep<CRenderer>(*this, CRenderer::GetInstance(), nullptr))
        return false;
    LogStep("Renderer Initialized");

    if (!InitStep<CPhysicsSystem>(*this, CPhysicsSystem::GetInstance(), nullptr))
        return false;
    LogStep("Physics Initialized");

    IDevGUI::GetInstance().Init();
    IDevGUI::GetInstance().WindowSize(windowSystem.GetClientWidth(), windowSystem.GetClientHeight());
    LogStep("DevGUI Component Initialized");

    if (!InitStep<CResourceManager>(*this, CResourceManager::GetInstance(),
                                    [](CResourceManager&) { CRenderer::GetInstance().Shutdown(); }))
        return false;
    LogStep("Resource Manager Initialized");

    if (!InitStep<CDebugOutputManager>(*this, CDebugOutputManager::GetInstance(),
                                       &ShutdownManager<CDebugOutputManager>))
        return false;
    LogStep("Debug Output Manager Initialized");

    if (!InitStep<CDisplay2DSystem>(*this, CDisplay2DSystem::GetInstance(), &ShutdownManager<CDisplay2DSystem>))
        return false;
    LogStep("CDisplay2D System Initialized");

    if (!InitStep<CParticleSystem>(*this, CParticleSystem::GetInstance(), &ShutdownManager<CParticleSystem>))
        return false;
    LogStep("CParticle System Initialized");

    if (!InitStep<CAudioSystem>(*this, CAudioSystem::GetInstance(), &ShutdownManager<CAudioSystem>))
        return false;
    LogStep("Audio System Initialized");

    CTriggerManager::GetInstance().Init();

    if (!InitStep<CSceneGraph>(*this, CSceneGraph::GetInstance(), &ShutdownManager<CSceneGraph>))
        return false;
    LogStep("SceneGraph Initialized");
    return true;
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
    const bool editorOnTop = TopIsLevelEditor();

    {
        CProfileScope section(FRAME_COLLISION);
        if (!editorOnTop)
            CPhysicsSystem::GetInstance().ProcessCollisions();
    }
    {
        CProfileScope section(FRAME_STATE_UPDATE);
        m_States.back()->Update(dt);
        if (editorOnTop) {
            if (m_States.size() > 1)
                m_States[m_States.size() - 2]->Update(dt);
        } else {
            CTriggerManager::GetInstance().Update(dt);
        }
    }
    {
        CProfileScope section(FRAME_COLLISIONRES_PHYSICS);
        if (!editorOnTop)
            CPhysicsSystem::GetInstance().StepSimulation(dt, static_cast<int>(dt / kPhysicsStep + 0.5f), kPhysicsStep);
    }
    // Animations advance with the simulation, once a frame, whether their nodes get drawn or not.
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

void CGameManager::Shutdown()
{
    while (!m_States.empty())
        TakeTop();
    for (const Request& request : m_Requests)
        delete request.state;
    m_Requests.clear();
    m_Timer.reset();
    CFrameProfiler::GetInstance().Shutdown();

    CSceneGraph::GetInstance().Shutdown();
    CTriggerManager::GetInstance().Shutdown();
    CDebugOutputManager::GetInstance().Shutdown();
    CResourceManager::GetInstance().Shutdown();
    CParticleSystem::GetInstance().Shutdown();
    IDevGUI::GetInstance().Terminate();
    CRenderer::GetInstance().Shutdown();
    CDisplay2DSystem::GetInstance().Shutdown();
    CAudioSystem::GetInstance().Shutdown();
    CCameraManager::GetInstance().Shutdown();
    CPhysicsSystem::GetInstance().Shutdown();
    CInputManager::GetInstance().Shutdown();
}

} // namespace Vesk
