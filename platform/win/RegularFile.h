// Bounded whole-file reads for every loader of the platform, the engine and the game: only a
// regular file is opened (never a device, pipe or directory, which could block or never end),
// and only up to a size limit, so a bad path in a definition cannot hang the game or exhaust
// memory.
#pragma once

#include <cstddef>
#include <string>

namespace win {

// The largest file any loader reads whole: far above every asset, far below the memory.
constexpr std::size_t kMaxLoadedFileBytes = 256u * 1024u * 1024u;

// The whole file into bytes; false with a short reason ("no such file", "not a regular file",
// "larger than N bytes", "cannot be read") and bytes emptied otherwise.
bool ReadRegularFile(const std::string& path, std::string& bytes, std::string& error,
                     std::size_t maxBytes = kMaxLoadedFileBytes);

// Whether the path names a regular file (what ReadRegularFile would open).
bool IsRegularFile(const std::string& path);

} // namespace win
