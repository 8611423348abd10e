// The crash handler: on SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT and std::terminate a text
// report (signal, address, backtrace, memory map) is written to a path fixed at install time,
// using async-signal-safe calls only; the process then exits with 128 + the signal number.
#pragma once

#include <string>

namespace win {

// Installs the handler writing to reportPath; false when the path is empty or too long for the
// handler's fixed buffer. Installing again replaces the path.
bool InstallCrashHandler(const std::string& reportPath);
void UninstallCrashHandler();
bool IsCrashHandlerInstalled();

} // namespace win
