#include "platform/win/Crash.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <exception>

namespace win {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr size_t kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);

// Everything the handler reads is fixed before a crash can happen.
char g_ReportPath[4096];
char g_TerminateReason[512];
volatile sig_atomic_t g_Terminating = 0;
bool g_Installed = false;
struct sigaction g_Previous[kSignalCount];
std::terminate_handler g_PreviousTerminate = nullptr;
stack_t g_PreviousStack;
void* g_AltStack = nullptr;

const char* SignalName(int sig)
{
    switch (sig) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "unknown";
    }
}

void WriteText(int fd, const char* text)
{
    size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t written = write(fd, text, left);
        if (written <= 0)
            return;
        text += written;
        left -= static_cast<size_t>(written);
    }
}

void WriteNumber(int fd, unsigned long value, unsigned base)
{
    char digits[32];
    size_t n = 0;
    do {
        digits[n++] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0 && n < sizeof(digits));
    char text[36];
    size_t k = 0;
    if (base == 16) {
        text[k++] = '0';
        text[k++] = 'x';
    }
    while (n > 0)
        text[k++] = digits[--n];
    text[k] = '\0';
    WriteText(fd, text);
}

void CopyFile(const char* path, int fd)
{
    const int in = open(path, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return;
    char buffer[4096];
    ssize_t got;
    while ((got = read(in, buffer, sizeof(buffer))) > 0) {
        ssize_t done = 0;
        while (done < got) {
            const ssize_t written = write(fd, buffer + done, static_cast<size_t>(got - done));
            if (written <= 0) {
                close(in);
                return;
            }
            done += written;
        }
    }
    close(in);
}

// Runs on the alternate stack: open, write, read and close only (backtrace's unwinder is loaded
// at install time so that it does not allocate here).
void OnSignal(int sig, siginfo_t* info, void*)
{
    const int fd = open(g_ReportPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        WriteText(fd, "Thrummock crash report\nsignal ");
        WriteNumber(fd, static_cast<unsigned long>(sig), 10);
        WriteText(fd, " (");
        WriteText(fd, SignalName(sig));
        WriteText(fd, ")\naddress ");
        WriteNumber(fd, reinterpret_cast<unsigned long>(info ? info->si_addr : nullptr), 16);
        WriteText(fd, "\n");
        if (g_Terminating) {
            WriteText(fd, "std::terminate: ");
            WriteText(fd, g_TerminateReason);
            WriteText(fd, "\n");
        }
        WriteText(fd, "\nbacktrace:\n");
        void* frames[64];
        backtrace_symbols_fd(frames, backtrace(frames, 64), fd);
        WriteText(fd, "\nmemory map:\n");
        CopyFile("/proc/self/maps", fd);
        close(fd);
    }
    WriteText(STDERR_FILENO, "Crash: signal ");
    WriteNumber(STDERR_FILENO, static_cast<unsigned long>(sig), 10);
    WriteText(STDERR_FILENO, fd >= 0 ? ", report written to " : ", the report could not be written to ");
    WriteText(STDERR_FILENO, g_ReportPath);
    WriteText(STDERR_FILENO, "\n");
    _exit(128 + sig);
}

void CopyReason(const char* text)
{
    std::strncpy(g_TerminateReason, text, sizeof(g_TerminateReason) - 1);
    g_TerminateReason[sizeof(g_TerminateReason) - 1] = '\0';
}

[[noreturn]] void OnTerminate()
{
    CopyReason("no active exception");
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            CopyReason(e.what());
        } catch (...) {
            CopyReason("exception of unknown type");
        }
    }
    g_Terminating = 1;
    std::abort();
}

bool InstallAltStack()
{
    const size_t size = 64 * 1024 + static_cast<size_t>(SIGSTKSZ);
    g_AltStack = std::malloc(size);
    if (!g_AltStack)
        return false;
    stack_t stack = {};
    stack.ss_sp = g_AltStack;
    stack.ss_size = size;
    if (sigaltstack(&stack, &g_PreviousStack) != 0) {
        std::free(g_AltStack);
        g_AltStack = nullptr;
        return false;
    }
    return true;
}

} // namespace

bool InstallCrashHandler(const std::string& reportPath)
{
    if (reportPath.empty() || reportPath.size() >= sizeof(g_ReportPath) || reportPath.find('\0') != std::string::npos)
        return false;
    std::memcpy(g_ReportPath, reportPath.c_str(), reportPath.size() + 1);
    if (g_Installed)
        return true;

    void* frame[1];
    backtrace(frame, 1);
    const bool altStack = InstallAltStack();

    struct sigaction action = {};
    action.sa_sigaction = &OnSignal;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND | (altStack ? SA_ONSTACK : 0);
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &action, &g_Previous[i]);
    g_PreviousTerminate = std::set_terminate(&OnTerminate);
    g_Installed = true;
    return true;
}

void UninstallCrashHandler()
{
    if (!g_Installed)
        return;
    for (size_t i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &g_Previous[i], nullptr);
    std::set_terminate(g_PreviousTerminate);
    if (g_AltStack) {
        sigaltstack(&g_PreviousStack, nullptr);
        std::free(g_AltStack);
        g_AltStack = nullptr;
    }
    g_Installed = false;
}

bool IsCrashHandlerInstalled() { return g_Installed; }

} // namespace win
