// Times the phases of each frame with the processor's time-stamp counter: one record per section
// (calls, latest, total, minimum and maximum ticks) and each section's share of the whole frame.
// The records are allocated once by Init and freed by Shutdown; nothing is allocated per frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace Vesk {

enum ProfileSectionId {
    FRAME_COLLISION,
    FRAME_STATE_UPDATE,
    FRAME_COLLISIONRES_PHYSICS,
    FRAME_AUDIO,
    FRAME_RENDERING_3D,
    FRAME_RENDERING_2D,
    FRAME_OTHERS_1,
    FRAME_SECTION_COUNT
};

struct ProfileSection {
    uint32_t calls = 0;
    uint64_t last = 0;  // ticks of the latest run
    uint64_t total = 0; // ticks of all runs
    uint64_t minimum = UINT64_MAX;
    uint64_t maximum = 0;
    bool inUse = false;
    uint64_t start = 0, end = 0; // time stamps of the latest run
};

class CFrameProfiler {
public:
    static constexpr size_t kSectionCapacity = 256;

    static CFrameProfiler& GetInstance();
    // "FRAME_COLLISION" .. "FRAME_OTHERS_1"; "FRAME_UNKNOWN" for any other index.
    static const char* GetSectionName(int section);

    void Init();
    void Shutdown();

    void BeginFrame();
    // Section calls outside Init..Shutdown, or with an index outside the frame sections, are ignored.
    void BeginSection(int section);
    void EndSection();
    // Computes every section's share of the frame from its latest run.
    void EndFrame();

    uint64_t GetFrameCount() const { return m_FrameCount; }
    // Percent of the last closed frame; 0 for an unknown section.
    float GetShare(int section) const;
    // Null for an unknown section or while the records are not allocated.
    const ProfileSection* GetSection(int section) const;

    // Replaces the time-stamp counter (tests); an empty function restores it.
    void SetTickSource(std::function<uint64_t()> source) { m_TickSource = std::move(source); }

private:
    uint64_t Now() const;
    ProfileSection* HandOutSection();

    bool m_InSection = false;
    uint64_t m_FrameStart = 0, m_FrameEnd = 0;
    uint64_t m_FrameCount = 0;
    int m_CurrentIndex = -1;
    ProfileSection* m_Current = nullptr;
    ProfileSection* m_Sections[FRAME_SECTION_COUNT] = {};
    float m_Shares[FRAME_SECTION_COUNT] = {};
    std::unique_ptr<ProfileSection[]> m_Records;
    size_t m_HandedOut = 0;
    std::function<uint64_t()> m_TickSource;
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
