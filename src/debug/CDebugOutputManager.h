// On-screen developer text (stand-in until the debug-output issue lands): keeps the display flags
// and the texts of the 30 line slots.
#pragma once

#include "core/CSingleton.h"

#include <string>

namespace Vesk {

class CDebugOutputManager : public CSingleton<CDebugOutputManager> {
public:
    void Render() {}
    void ClearLines() {}
    void ResetLayout() {}
    void SetLogHidden(bool hidden) { m_LogHidden = hidden; }
    void SetLinesHidden(bool hidden) { m_LinesHidden = hidden; }
    bool IsLogHidden() const { return m_LogHidden; }
    bool AreLinesHidden() const { return m_LinesHidden; }

    static constexpr unsigned kLineCount = 30;
    // The text of line slot index modulo 30.
    void SetLine(const std::string& text, unsigned index) { m_Lines[index % kLineCount] = text; }
    const std::string& GetLine(unsigned index) const { return m_Lines[index % kLineCount]; }

private:
    std::string m_Lines[kLineCount];
    bool m_LogHidden = true;
    bool m_LinesHidden = true;
};

} // namespace Vesk
