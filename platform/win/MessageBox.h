// Message boxes that never block a run without a display: the text always goes to standard
// error, and a dialog shows only on a real display unless THRUMMOCK_NO_MESSAGEBOX is set.
#pragma once

#include <string>

namespace win {

class Window;

// caption null: no caption. owner may be null.
void MessageBox(const Window* owner, const std::string& text, const char* caption);

} // namespace win
