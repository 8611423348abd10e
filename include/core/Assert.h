// Engine assertions for broken invariants (programming errors, never bad data): VESK_ASSERT
// prints the source file, line and message to standard error and aborts, in every build.
#pragma once

namespace Vesk {

[[noreturn]] void AssertFailed(const char* file, int line, const char* message);

} // namespace Vesk

#define VESK_ASSERT(condition, message)                                                                                \
    ((condition) ? static_cast<void>(0) : ::Vesk::AssertFailed(__FILE__, __LINE__, message))
