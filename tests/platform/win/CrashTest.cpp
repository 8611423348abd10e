// The crash handler, exercised in child processes: a report is written to the installed path and
// the process exits with 128 + the signal; paths it cannot hold are refused.
#include "platform/win/Crash.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

using testsupport::ReadFile;

namespace {

std::string Hex(const void* address)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%lx", reinterpret_cast<unsigned long>(address));
    return text;
}

} // namespace

TEST(CrashHandlerTest, AFaultWritesTheReportAndExitsWithTheSignal)
{
    testsupport::ScratchDir dir;
    const std::string path = dir.File("fault.dmp");
    // A page that may not be touched: writing to it faults without undefined behaviour in C++.
    const long pageSize = sysconf(_SC_PAGESIZE);
    void* page = mmap(nullptr, static_cast<size_t>(pageSize), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(MAP_FAILED, page);

    EXPECT_EXIT(
        {
            win::InstallCrashHandler(path);
            *static_cast<volatile int*>(page) = 1;
        },
        ::testing::ExitedWithCode(128 + SIGSEGV), "Crash: signal 11");

    const std::string report = ReadFile(path);
    EXPECT_NE(std::string::npos, report.find("signal 11 (SIGSEGV)")) << report;
    EXPECT_NE(std::string::npos, report.find("address " + Hex(page) + "\n")) << report;
    EXPECT_NE(std::string::npos, report.find("backtrace:\n")) << report;
    EXPECT_NE(std::string::npos, report.find("memory map:\n")) << report;
    EXPECT_NE(std::string::npos, report.find("[stack]")) << report;
    munmap(page, static_cast<size_t>(pageSize));
}

TEST(CrashHandlerTest, TerminateAbortsWithTheExceptionInTheReport)
{
    testsupport::ScratchDir dir;
    const std::string path = dir.File("terminate.dmp");
    EXPECT_EXIT(
        {
            win::InstallCrashHandler(path);
            try {
                throw std::runtime_error("level data broke");
            } catch (...) {
                std::terminate();
            }
        },
        ::testing::ExitedWithCode(128 + SIGABRT), "Crash: signal 6");

    const std::string report = ReadFile(path);
    EXPECT_NE(std::string::npos, report.find("signal 6 (SIGABRT)")) << report;
    EXPECT_NE(std::string::npos, report.find("std::terminate: level data broke")) << report;
}

TEST(CrashHandlerTest, ReinstallingMovesTheReport)
{
    testsupport::ScratchDir dir;
    EXPECT_EXIT(
        {
            win::InstallCrashHandler(dir.File("first.dmp"));
            win::InstallCrashHandler(dir.File("second.dmp"));
            raise(SIGBUS);
        },
        ::testing::ExitedWithCode(128 + SIGBUS), "");
    EXPECT_FALSE(testsupport::FileExists(dir.File("first.dmp")));
    EXPECT_NE(std::string::npos, ReadFile(dir.File("second.dmp")).find("(SIGBUS)"));
}

TEST(CrashHandlerTest, AfterUninstallNoReportIsWritten)
{
    testsupport::ScratchDir dir;
    const std::string path = dir.File("none.dmp");
    // The default death (or the sanitizer's report) follows, never the handler's exit code.
    EXPECT_EXIT(
        {
            win::InstallCrashHandler(path);
            win::UninstallCrashHandler();
            raise(SIGSEGV);
        },
        [](int status) { return !(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGSEGV); }, "");
    EXPECT_FALSE(testsupport::FileExists(path));
}

TEST(CrashHandlerTest, RefusesPathsItCannotHold)
{
    EXPECT_FALSE(win::InstallCrashHandler(""));
    EXPECT_FALSE(win::InstallCrashHandler(std::string(5000, 'a')));
    EXPECT_FALSE(win::InstallCrashHandler(std::string("a\0b", 3)));
    EXPECT_FALSE(win::IsCrashHandlerInstalled());
}
