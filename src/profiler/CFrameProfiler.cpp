#include "profiler/CFrameProfiler.h"

#include "platform/win/Timer.h"

#include <algorithm>

namespace Vesk {

namespace {

const char* const kSectionNames[FRAME_SECTION_COUNT] = {
    "FRAME_COLLISION",    "FRAME_STATE_UPDATE", "FRAME_COLLISIONRES_PHYSICS", "FRAME_AUDIO", "FRAME_RENDERING_3D",
    "FRAME_RENDERING_2D", "FRAME_OTHERS_1",
};

bool IsFrameSection(int section) { return section >= 0 && section < FRAME_SECTION_COUNT; }

} // namespace

CFrameProfiler& CFrameProfiler::GetInstance()
{
    static CFrameProfiler instance;
    return instance;
}

const char* CFrameProfiler::GetSectionName(int section)
{
    return IsFrameSection(section) ? kSectionNames[section] : "FRAME_UNKNOWN";
}

uint64_t CFrameProfiler::Now() const { return m_TickSource ? m_TickSource() : win::ReadTimeStampCounter(); }

ProfileSection* CFrameProfiler::HandOutSection()
{
    if (m_HandedOut == kSectionCapacity)
        return nullptr;
    ProfileSection* section = &m_Records[m_HandedOut++];
    *section = ProfileSection();
    section->inUse = true;
    return section;
}

void CFrameProfiler::Init()
{
    m_Records = std::make_unique<ProfileSection[]>(kSectionCapacity);
    m_HandedOut = 0;
    for (ProfileSection*& section : m_Sections)
        section = HandOutSection();
    std::fill(std::begin(m_Shares), std::end(m_Shares), 0.0f);
    m_InSection = false;
    m_Current = nullptr;
    m_CurrentIndex = -1;
}

void CFrameProfiler::Shutdown()
{
    m_Records.reset();
    std::fill(std::begin(m_Sections), std::end(m_Sections), nullptr);
    m_Current = nullptr;
    m_InSection = false;
    m_HandedOut = 0;
}

void CFrameProfiler::BeginFrame() { m_FrameStart = Now(); }

void CFrameProfiler::BeginSection(int section)
{
    if (!IsFrameSection(section) || !m_Sections[section])
        return;
    m_CurrentIndex = section;
    m_Current = m_Sections[section];
    ++m_Current->calls;
    m_Current->start = Now();
    m_InSection = true;
}

void CFrameProfiler::EndSection()
{
    if (!m_InSection || !m_Current)
        return;
    m_InSection = false;
    ProfileSection& section = *m_Current;
    section.end = Now();
    // A counter that went backwards (another core's clock) counts as an empty run.
    section.last = section.end >= section.start ? section.end - section.start : 0;
    section.total += section.last;
    section.minimum = std::min(section.minimum, section.last);
    section.maximum = std::max(section.maximum, section.last);
}

void CFrameProfiler::EndFrame()
{
    m_FrameEnd = Now();
    const uint64_t frame = m_FrameEnd > m_FrameStart ? m_FrameEnd - m_FrameStart : 0;
    for (int i = 0; i < FRAME_SECTION_COUNT; ++i) {
        const ProfileSection* section = m_Sections[i];
        m_Shares[i] = section && frame > 0
                          ? static_cast<float>(static_cast<double>(section->last) * 100.0 / static_cast<double>(frame))
                          : 0.0f;
    }
    ++m_FrameCount;
}

float CFrameProfiler::GetShare(int section) const { return IsFrameSection(section) ? m_Shares[section] : 0.0f; }

const ProfileSection* CFrameProfiler::GetSection(int section) const
{
    return IsFrameSection(section) ? m_Sections[section] : nullptr;
}

} // namespace Vesk
