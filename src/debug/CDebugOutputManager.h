// On-screen developer text drawn over everything else: a scrolling log of 15 lines in the lower
// half of the screen, 30 numbered line slots from the top (the profiler overlay uses the first
// eight), up to 60 screen texts a frame at positions the caller chooses, and up to four notices
// of problems the player must see. Owns every text object; apart from the notices, nothing is
// drawn until one of the three hidden flags is cleared.
#pragma once

#include "core/CSingleton.h"
#include "ui2d/CDisplayText.h"

#include <memory>
#include <string>
#include <vector>

namespace Vesk {

class CDebugOutputManager : public CSingleton<CDebugOutputManager> {
public:
    static constexpr unsigned kLogLineCount = 15;
    static constexpr unsigned kLineCount = 30;
    static constexpr unsigned kScreenTextCount = 60;

    // Creates every text with the font "default" and lays out the log and the line slots.
    bool Init() override;
    // Deletes every text object.
    void Shutdown() override;

    // Scrolls the log up by one line; the new text takes the lowest line.
    void AddLine(const std::string& text);
    // The text of line slot index modulo 30.
    void SetLine(const std::string& text, unsigned index);
    // Empties line slots 1 to 7; slot 0 keeps its text.
    void ClearLines();
    // A problem the player must see, such as a start that cannot do what it was asked: the text
    // goes to the log (one line) and into the next of the four notices (the last one reused),
    // which stand where line slots 18 to 21 do and are drawn whatever the hidden flags say.
    void ShowNotice(const std::string& text);
    // The next free screen text at the top-left corner (x, y), in screen fractions, with colour
    // channels on the 0-255 scale. Dropped once all 60 are used this frame.
    void AddScreenText(const std::string& text, float x, float y, float red, float green, float blue);
    // Empties the screen texts used since the last call.
    void ClearScreenText();
    // Lays out the log and the line slots again for the current screen size.
    void ResetLayout();
    // Draws the screen texts, the log and the line slots, each set unless hidden.
    void Render();

    void SetLogHidden(bool hidden) { m_LogHidden = hidden; }
    void SetLinesHidden(bool hidden) { m_LinesHidden = hidden; }
    void SetScreenTextsHidden(bool hidden) { m_ScreenTextsHidden = hidden; }
    bool IsLogHidden() const { return m_LogHidden; }
    bool AreLinesHidden() const { return m_LinesHidden; }
    bool AreScreenTextsHidden() const { return m_ScreenTextsHidden; }

    // The texts of the three sets; an empty text for an index past the set (or before Init).
    const std::string& GetLine(unsigned index) const { return TextOf(m_Lines, index % kLineCount); }
    const std::string& GetLogLine(unsigned index) const { return TextOf(m_LogLines, index); }
    const std::string& GetScreenText(unsigned index) const { return TextOf(m_ScreenTexts, index); }
    const std::string& GetNotice(unsigned index) const { return TextOf(m_Notices, index); }
    unsigned GetScreenTextCount() const { return m_ScreenTextCount; }

    // The text objects themselves, oldest log line first.
    const std::vector<std::unique_ptr<CDisplayText>>& GetLogLineObjects() const { return m_LogLines; }
    const std::vector<std::unique_ptr<CDisplayText>>& GetLineObjects() const { return m_Lines; }
    const std::vector<std::unique_ptr<CDisplayText>>& GetScreenTextObjects() const { return m_ScreenTexts; }

private:
    using TextSet = std::vector<std::unique_ptr<CDisplayText>>;

    static const std::string& TextOf(const TextSet& set, unsigned index);
    static void DrawSet(const TextSet& set, size_t count);

    TextSet m_LogLines;
    TextSet m_Lines;
    TextSet m_ScreenTexts;
    TextSet m_Notices;
    bool m_LogHidden = true;
    bool m_LinesHidden = true;
    bool m_ScreenTextsHidden = true;
    unsigned m_ScreenTextCount = 0;
    unsigned m_NoticeCount = 0;
};

} // namespace Vesk
