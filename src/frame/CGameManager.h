// The engine's core: brings every engine manager up in order while writing "startup.log", runs
// one frame per turn of the run loop (time step, freeze and slow motion, state update, physics,
// audio, 3D and 2D drawing), owns the game-state stack with requests queued during a frame and
// carried out after it, and shuts everything down.
#pragma once

#include "core/CManagerTable.h"
#include "core/CSingleton.h"
#include "core/IGameState.h"

#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace Vesk {

class CGameManager : public CSingleton<CGameManager> {
public:
    enum Status { StatusRun = 0, StatusRestart = 1, StatusQuit = 2, StatusFrozen = 3 };

    CGameManager();
    ~CGameManager() override;

    bool Init(int x, int y, int width, int height, const std::string& title, bool fullscreen);
    void Run();
    // Takes every state down (Exit and Cleanup, top first) and drops the queued requests, then
    // the engine's managers in reverse start-up order.
    void Shutdown() override;
    void PopAllStates();
    bool Update();

    void PushState(IGameState* state);
    void PopState();
    void ChangeState(IGameState* state);
    IGameState* GetCurrentState() const;
    // The top state is the level editor ("LevelEditorState"): the state below it is updated too,
    // and level markers show.
    bool TopIsLevelEditor() const;
    size_t GetStateCount() const { return m_States.size(); }

    // The profiler overlay in the debug output's line slots 0 to 7, for a frame of dt seconds.
    void DrawProfile(float dt);
    void ShowError(const std::string& text) const;
    // A line of "startup.log", which Init opens (truncated) in the working directory.
    void LogStep(const char* line);

    // Developer options: a fixed frame duration in place of the measured one (0: measured), and
    // a frame count after which the quit message is posted (0: no limit).
    void SetFixedTimeStep(float seconds) { m_FixedTimeStep = seconds; }
    void SetFrameLimit(uint64_t frames) { m_FrameLimit = frames; }
    // With a frame limit: the last frame's picture is saved to this BMP file (empty: none).
    void SetScreenshotPath(const std::string& path) { m_ScreenshotPath = path; }
    // The picture of the frame with this index (counted from 0) is saved to the BMP file.
    void AddScreenshotAt(uint64_t frame, const std::string& path) { m_TimedScreenshots[frame] = path; }
    // Called at the end of every frame with the frame's index, after drawing and before the
    // queued state requests run, so it sees the world the frame showed (developer probes).
    void SetFrameEndHook(std::function<void(uint64_t)> hook) { m_FrameEndHook = std::move(hook); }
    uint64_t GetFrameCount() const { return m_FrameCount; }
    // The time step the last frame's update ran with, after freeze, slow motion and the cap.
    float GetLastTimeStep() const { return m_LastTimeStep; }
    // The frame's own duration before freeze, slow motion and the cap: the fixed step when one
    // is set, else the previous frame's measured length.
    float GetFrameDuration() const;

    // Replaces the high-resolution counter (tests); frequency in ticks per second.
    void SetCounter(std::function<int64_t()> counter, int64_t frequency);

    // Written by gameplay code and hotkeys: 1 restarts the top state after the frame, 2 quits.
    int m_Status = StatusRun;
    // Seconds of slow motion (above 0.1) and then frozen frames; gameplay writes it directly.
    float m_FreezeTimer = 0.0f;
    bool m_ShowProfiler = true;

private:
    struct FrameTimer {
        float lastFrameDuration = 0.0f;
        double secondsPerTick = 0.0;
        int64_t frameStart = 0;
        int64_t frameEnd = 0;
    };
    struct Request {
        enum Kind { Change = 0, Push = 1, Pop = 2 };
        Kind kind;
        IGameState* state;
    };

    // The engine's managers in start-up order, from the window to the scene graph.
    CManagerTable MakeManagerTable(int x, int y, int width, int height, const std::string& title, bool fullscreen);
    void InstallWindowHooks();
    // 0.05 while the freeze timer is in slow motion (above 0.1 s), else 1.
    float SlowMotionFactor() const;
    float TakeTimeStep(float frameSeconds);
    void RunRequests();
    void DoPush(IGameState* state);
    void DoPop();
    void DoChange(IGameState* state);
    // Exit and Cleanup on the top state, taken off the stack; the caller's pointer deletes it.
    std::unique_ptr<IGameState> TakeTop();
    bool TopIsEditorState() const;
    int64_t ReadCounter() const;

    std::deque<IGameState*> m_States;
    std::deque<Request> m_Requests;
    std::unique_ptr<FrameTimer> m_Timer;
    std::ofstream m_StartupLog;
    CManagerTable m_Managers;
    std::function<int64_t()> m_Counter;
    int64_t m_CounterFrequency = 0;
    float m_FixedTimeStep = 0.0f;
    float m_LastTimeStep = 0.0f;
    uint64_t m_FrameLimit = 0;
    std::string m_ScreenshotPath;
    std::map<uint64_t, std::string> m_TimedScreenshots;
    std::function<void(uint64_t)> m_FrameEndHook;
    uint64_t m_FrameCount = 0;
    bool m_RestartPending = false;
    bool m_QuitPending = false;
};

} // namespace Vesk
