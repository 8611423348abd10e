// Message boxes without a display, the high-resolution counter, and the process services.
#include "platform/win/MessageBox.h"
#include "platform/win/Process.h"
#include "platform/win/Timer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

TEST(MessageBoxTest, PrintsCaptionAndTextToStandardErrorWithoutBlocking)
{
    ::testing::internal::CaptureStderr();
    win::MessageBox(nullptr, "Unable to create the main window", "Error");
    win::MessageBox(nullptr, "no caption", nullptr);
    EXPECT_EQ("Error: Unable to create the main window\nError: no caption\n", ::testing::internal::GetCapturedStderr());
}

TEST(TimerTest, CounterAdvancesAtItsFrequency)
{
    const int64_t frequency = win::QueryPerformanceFrequency();
    ASSERT_GT(frequency, 0);
    const int64_t start = win::QueryPerformanceCounter();
    const uint64_t tscStart = win::ReadTimeStampCounter();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const double seconds = static_cast<double>(win::QueryPerformanceCounter() - start) / static_cast<double>(frequency);
    EXPECT_GE(seconds, 0.019);
    EXPECT_LT(seconds, 2.0);
    EXPECT_GT(win::ReadTimeStampCounter(), tscStart);
}

TEST(ProcessTest, WorkingDirectoryModuleAndEnvironment)
{
    namespace fs = std::filesystem;
    const std::string before = win::GetCurrentDirectory();
    ASSERT_FALSE(before.empty());
    {
        testsupport::ScratchDir dir;
        ASSERT_TRUE(win::SetCurrentDirectory(dir.Path()));
        EXPECT_EQ(fs::canonical(dir.Path()), fs::path(win::GetCurrentDirectory()));
        EXPECT_FALSE(win::SetCurrentDirectory(dir.File("missing")));
        EXPECT_FALSE(win::SetCurrentDirectory(""));
        EXPECT_EQ(fs::canonical(dir.Path()), fs::path(win::GetCurrentDirectory()));
        ASSERT_TRUE(win::SetCurrentDirectory(before));
    }

    const std::string module = win::GetModuleFileName();
    EXPECT_EQ("test_platform", fs::path(module).filename());
    EXPECT_EQ(module, win::GetModuleDirectory() + "/test_platform");

    setenv("THRUMMOCK_PROCESS_TEST", "value", 1);
    EXPECT_EQ("value", win::GetEnvironmentVariable("THRUMMOCK_PROCESS_TEST"));
    unsetenv("THRUMMOCK_PROCESS_TEST");
    EXPECT_EQ("", win::GetEnvironmentVariable("THRUMMOCK_PROCESS_TEST"));
}
