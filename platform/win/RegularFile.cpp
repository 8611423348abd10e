#include "platform/win/RegularFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace win {

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool ReadRegularFile(const std::string& path, std::string& bytes, std::string& error, std::size_t maxBytes)
{
    bytes.clear();
    std::error_code code;
    const std::filesystem::file_status status = std::filesystem::status(path, code);
    if (!std::filesystem::is_regular_file(status)) {
        error = std::filesystem::exists(status) ? "not a regular file" : "no such file";
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code || size > maxBytes) {
        error = code ? "cannot be read" : "larger than " + std::to_string(maxBytes) + " bytes";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot be read";
        return false;
    }
    // A file that grows meanwhile is read up to the size taken above, so the limit holds.
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        bytes.clear();
        error = "cannot be read";
        return false;
    }
    return true;
}

} // namespace win
