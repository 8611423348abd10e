#include "debug/CDebugOutputManager.h"

#include "core/Log.h"
#include "platform/gfx/SpriteBatch.h"
#include "render/CRenderer.h"

#include <algorithm>
#include <cmath>

namespace Vesk {

namespace {

constexpr float kLineHeight = 0.032f;
constexpr float kLogTop = 0.5f;
constexpr float kTextLeft = 0.005f;
constexpr unsigned kFirstClearedLine = 1;
constexpr unsigned kLastClearedLine = 7;
constexpr unsigned kFirstNoticeLine = 18;
constexpr unsigned kNoticeCount = 4;
// The screen texts' rectangles reach this far right and down, so only their corner matters.
constexpr float kScreenTextExtent = 1000.0f;

void Fill(std::vector<std::unique_ptr<CDisplayText>>& set, unsigned count)
{
    set.clear();
    for (unsigned i = 0; i < count; ++i)
        set.push_back(std::make_unique<CDisplayText>());
}

// A 0-255 colour channel rounded to the nearest byte.
uint8_t ChannelByte(float value)
{
    if (!(value > 0.0f))
        return 0;
    return static_cast<uint8_t>(std::lround(std::min(value, 255.0f)));
}

} // namespace

bool CDebugOutputManager::Init()
{
    Fill(m_ScreenTexts, kScreenTextCount);
    Fill(m_Lines, kLineCount);
    Fill(m_LogLines, kLogLineCount);
    Fill(m_Notices, kNoticeCount);
    m_ScreenTextCount = 0;
    m_NoticeCount = 0;
    ResetLayout();
    return true;
}

void CDebugOutputManager::Shutdown()
{
    m_LogLines.clear();
    m_Lines.clear();
    m_Notices.clear();
    m_NoticeCount = 0;
    m_ScreenTexts.clear();
    m_ScreenTextCount = 0;
    m_LogHidden = true;
    m_LinesHidden = true;
}

void CDebugOutputManager::AddLine(const std::string& text)
{
    if (m_LogLines.empty())
        return;
    for (size_t i = 0; i + 1 < m_LogLines.size(); ++i)
        m_LogLines[i]->SetText(m_LogLines[i + 1]->GetText());
    m_LogLines.back()->SetText(text);
}

void CDebugOutputManager::SetLine(const std::string& text, unsigned index)
{
    if (!m_Lines.empty())
        m_Lines[index % m_Lines.size()]->SetText(text);
}

void CDebugOutputManager::ClearLines()
{
    for (size_t i = kFirstClearedLine; i <= kLastClearedLine && i < m_Lines.size(); ++i)
        m_Lines[i]->SetText(std::string());
}

void CDebugOutputManager::ShowNotice(const std::string& text)
{
    LogLine(text);
    if (m_Notices.empty())
        return;
    m_Notices[std::min<size_t>(m_NoticeCount, m_Notices.size() - 1)]->SetText(text);
    m_NoticeCount = std::min(m_NoticeCount + 1, kNoticeCount);
}

void CDebugOutputManager::AddScreenText(const std::string& text, float x, float y, float red, float green, float blue)
{
    if (m_ScreenTextCount >= m_ScreenTexts.size())
        return;
    CDisplayText& screenText = *m_ScreenTexts[m_ScreenTextCount++];
    screenText.SetText(text);
    screenText.SetRect(y, x, x + kScreenTextExtent, y + kScreenTextExtent);
    screenText.SetColor({255, ChannelByte(red), ChannelByte(green), ChannelByte(blue)});
}

void CDebugOutputManager::ClearScreenText()
{
    for (unsigned i = 0; i < m_ScreenTextCount; ++i)
        m_ScreenTexts[i]->SetText(std::string());
    m_ScreenTextCount = 0;
}

void CDebugOutputManager::ResetLayout()
{
    for (size_t i = 0; i < m_Lines.size(); ++i) {
        m_Lines[i]->SetRect(i * kLineHeight, kTextLeft, 1.0f, 1.0f);
        m_Lines[i]->SetColor({255, 255, 255, 255});
    }
    for (size_t i = 0; i < m_Notices.size(); ++i) {
        m_Notices[i]->SetRect((kFirstNoticeLine + i) * kLineHeight, kTextLeft, 1.0f, 1.0f);
        m_Notices[i]->SetColor({255, 255, 255, 255});
    }
    for (size_t i = 0; i < m_LogLines.size(); ++i) {
        m_LogLines[i]->SetRect(kLogTop + i * kLineHeight, kTextLeft, 1.0f, 1.0f);
        m_LogLines[i]->SetColor({150, 255, 255, 255});
    }
}

void CDebugOutputManager::Render()
{
    // Fonts draw through the renderer's text batch, which exists only with the device.
    gfx::SpriteBatch* batch = CRenderer::GetInstance().GetTextSpriteBatch();
    if (!batch)
        return;
    batch->Begin(gfx::SpriteBatch::ALPHABLEND);
    if (!m_ScreenTextsHidden)
        DrawSet(m_ScreenTexts, m_ScreenTextCount);
    if (!m_LogHidden)
        DrawSet(m_LogLines, m_LogLines.size());
    if (!m_LinesHidden)
        DrawSet(m_Lines, m_Lines.size());
    DrawSet(m_Notices, m_NoticeCount);
    batch->End();
}

const std::string& CDebugOutputManager::TextOf(const TextSet& set, unsigned index)
{
    static const std::string none;
    return index < set.size() ? set[index]->GetText() : none;
}

void CDebugOutputManager::DrawSet(const TextSet& set, size_t count)
{
    for (size_t i = 0; i < count && i < set.size(); ++i)
        set[i]->Draw();
}

} // namespace Vesk
