// The crash reporter's path next to the program and its report after a fatal signal, run in a
// child process.
#include "frame/CMiniDumper.h"
#include "platform/win/Process.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>

using Vesk::CMiniDumper;

TEST(MiniDumperTest, DumpPathIsTheWholeProgramFileNamePlusDmp)
{
    const CMiniDumper dumper;
    EXPECT_EQ(win::GetModuleFileName() + ".dmp", dumper.BuildDumpPath());
    EXPECT_EQ(win::GetModuleDirectory() + "/", dumper.GetProgramDirectory());
    EXPECT_EQ("test_engine", dumper.GetProgramFileName());
    EXPECT_EQ(0, dumper.GetDumpType());
}

TEST(MiniDumperTest, InstalledDumperWritesTheReportAndExitsNonZero)
{
    const std::string path = CMiniDumper().BuildDumpPath();
    unlink(path.c_str());
    EXPECT_EXIT(
        {
            if (!CMiniDumper::Install() || !CMiniDumper::GetRegistered())
                _exit(3);
            raise(SIGFPE);
        },
        ::testing::ExitedWithCode(128 + SIGFPE), "Crash: signal 8");
    const std::string report = testsupport::ReadFile(path);
    unlink(path.c_str());
    EXPECT_NE(std::string::npos, report.find("signal 8 (SIGFPE)")) << report;
    EXPECT_NE(std::string::npos, report.find("backtrace:")) << report;
}
