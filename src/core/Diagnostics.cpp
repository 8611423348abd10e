#include "core/Assert.h"
#include "core/Log.h"

#include <cstdio>
#include <cstdlib>

namespace Vesk {

void AssertFailed(const char* file, int line, const char* message)
{
    std::fprintf(stderr, "Assertion failed: %s (%s:%d)\n", message, file, line);
    std::fflush(stderr);
    std::abort();
}

void LogLine(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

} // namespace Vesk
