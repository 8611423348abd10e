// The editor's feedback line: every editor message replaces the text of debug line 27.
#pragma once

#include <string>

namespace Game {

constexpr unsigned kEditorMessageLine = 27;

void WriteEditorMessage(const std::string& text);

} // namespace Game
