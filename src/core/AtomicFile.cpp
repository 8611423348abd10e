#include "core/AtomicFile.h"

#include "core/Log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace Vesk {

bool WriteFileAtomically(const std::string& path, const std::string& contents, const std::string& owner)
{
    // Replacing the file by a rename would ignore that it is read-only, so ask first.
    if (std::FILE* existing = std::fopen(path.c_str(), "r+"))
        std::fclose(existing);
    else if (errno != ENOENT) {
        LogLine(owner + ": cannot write \"" + path + "\": " + std::strerror(errno));
        return false;
    }

    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        LogLine(owner + ": cannot create \"" + temporary + "\": " + std::strerror(errno));
        return false;
    }
    bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size() && !std::ferror(file);
    written = std::fclose(file) == 0 && written;
    if (!written) {
        LogLine(owner + ": cannot write \"" + temporary + "\"");
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        LogLine(owner + ": cannot replace \"" + path + "\": " + std::strerror(errno));
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace Vesk
