#include "profiler/CFrameProfiler.h"

namespace Vesk {

CFrameProfiler& CFrameProfiler::GetInstance()
{
    static CFrameProfiler instance;
    return instance;
}

} // namespace Vesk
