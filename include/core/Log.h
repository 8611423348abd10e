// Engine log for bad data and failed I/O: one line per event on standard error. The caller
// carries on with a safe result; assertions (Assert.h) are for programming errors instead.
#pragma once

#include <string>

namespace Vesk {

void LogLine(const std::string& text);

} // namespace Vesk
