// Process facts and services: working directory, the executable's path and environment lookup.
#pragma once

#include <string>

namespace win {

bool SetCurrentDirectory(const std::string& path);
std::string GetCurrentDirectory();
// Absolute path of the running executable; empty when unknown.
std::string GetModuleFileName();
// Directory part of GetModuleFileName, without a trailing separator.
std::string GetModuleDirectory();
// The environment variable's value, or empty.
std::string GetEnvironmentVariable(const std::string& name);

} // namespace win
