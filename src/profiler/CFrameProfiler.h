// Frame sections timed for the profiler overlay (stand-in until the profiler issue lands):
// counts frames, measures nothing.
#pragma once

#include <cstdint>

namespace Vesk {

enum ProfileSectionId {
    FRAME_COLLISION,
    FRAME_STATE_UPDATE,
    FRAME_COLLISIONRES_PHYSICS,
    FRAME_AUDIO,
    FRAME_RENDERING_3D,
    FRAME_RENDERING_2D,
    FRAME_OTHERS_1,
};

class CFrameProfiler {
public:
    static CFrameProfiler& GetInstance();

    void Init() {}
    void Shutdown() {}
    void BeginFrame() {}
    void BeginSection(int section) { (void)section; }
    void EndSection() {}
    void EndFrame() { ++m_FrameCount; }
    uint64_t GetFrameCount() const { return m_FrameCount; }

private:
    uint64_t m_FrameCount = 0;
};

// Times one section for the lifetime of the object.
class CProfileScope {
public:
    explicit CProfileScope(int section) { CFrameProfiler::GetInstance().BeginSection(section); }
    ~CProfileScope() { CFrameProfiler::GetInstance().EndSection(); }
    CProfileScope(const CProfileScope&) = delete;
    CProfileScope& operator=(const CProfileScope&) = delete;
};

} // namespace Vesk
