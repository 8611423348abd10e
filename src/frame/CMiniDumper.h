// The crash reporter: on a fatal signal or std::terminate a text report (signal, address,
// backtrace, memory map) is written next to the program as "<program file name>.dmp" and the
// process ends with a non-zero code. One process-wide instance, registered by Install.
#pragma once

#include <string>

namespace Vesk {

class CMiniDumper {
public:
    CMiniDumper();
    virtual ~CMiniDumper() = default;

    // Program directory + program file name + ".dmp".
    virtual std::string BuildDumpPath() const;
    // Kind of report: 0, the normal one.
    virtual int GetDumpType() const { return 0; }

    // Builds and registers the process-wide instance and installs the crash handler writing to
    // its dump path; false when the handler could not take the path.
    static bool Install();
    // The registered dumper, or null until Install succeeds.
    static CMiniDumper* GetRegistered();

    const std::string& GetProgramDirectory() const { return m_ProgramDirectory; }
    const std::string& GetProgramFileName() const { return m_ProgramFileName; }

private:
    std::string m_ProgramDirectory; // ends with the path separator
    std::string m_ProgramFileName;
};

} // namespace Vesk
