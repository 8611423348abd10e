// On-screen developer text (stand-in until the debug-output issue lands): keeps the display flags.
#pragma once

#include "core/CSingleton.h"

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

private:
    bool m_LogHidden = true;
    bool m_LinesHidden = true;
};

} // namespace Vesk
