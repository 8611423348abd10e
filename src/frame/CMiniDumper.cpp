#include "frame/CMiniDumper.h"

#include "core/Log.h"
#include "platform/win/Crash.h"
#include "platform/win/Process.h"

namespace Vesk {

namespace {

CMiniDumper* g_Registered = nullptr;

} // namespace

CMiniDumper::CMiniDumper()
{
    const std::string program = win::GetModuleFileName();
    const size_t slash = program.rfind('/');
    m_ProgramDirectory = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
    m_ProgramFileName = slash == std::string::npos ? program : program.substr(slash + 1);
}

std::string CMiniDumper::BuildDumpPath() const { return m_ProgramDirectory + m_ProgramFileName + ".dmp"; }

bool CMiniDumper::Install()
{
    static CMiniDumper instance;
    const std::string path = instance.BuildDumpPath();
    if (!win::InstallCrashHandler(path)) {
        LogLine("CMiniDumper: Unable to install the crash handler for " + path);
        return false;
    }
    g_Registered = &instance;
    return true;
}

CMiniDumper* CMiniDumper::GetRegistered() { return g_Registered; }

} // namespace Vesk
