// The system configuration: named text options read from "assets/systemconfig.xml" (root
// "Options", one child per key holding its value in "val"), queried and changed by name, and
// written back to the same file. Owns the option map and the configuration document.
#pragma once

#include "core/CSingleton.h"
#include "core/CXmlDocument.h"

#include <map>
#include <string>

namespace Vesk {

class COptionSetting : public CSingleton<COptionSetting> {
public:
    static constexpr const char* kDefaultPath = "assets/systemconfig.xml";

    // Loads the file; the first element of a name wins. Returns whether the file was read.
    bool Init() override;
    void Shutdown() override {}

    // The file Init reads and Save writes (kDefaultPath unless changed, e.g. by tests).
    void SetPath(const std::string& path) { m_Path = path; }

    // The value, or an empty string when the key is absent.
    std::string GetValue(const std::string& key) const;
    // Replaces the value of a known key; an empty key or value, or an unknown key, is refused.
    bool SetValue(const std::string& key, const std::string& value);
    // Rewrites the options sorted by key; false when the file was never loaded or the write failed.
    bool Save();

private:
    friend class CSingleton<COptionSetting>;
    COptionSetting() = default;

    bool m_Loaded = false;
    std::map<std::string, std::string> m_Options;
    CXmlDocument m_Document;
    std::string m_Path = kDefaultPath;
};

} // namespace Vesk
