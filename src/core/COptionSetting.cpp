#include "core/COptionSetting.h"

namespace Vesk {

namespace {
const char* const kRootName = "Options";
const char* const kValueAttribute = "val";
} // namespace

bool COptionSetting::Init()
{
    m_Loaded = m_Document.Load(m_Path);
    m_Options.clear();
    if (!m_Loaded)
        return false;

    CXmlElement options = m_Document.FindElement(kRootName);
    if (!options)
        return true;
    for (CXmlElement option = options.FirstChildElement(); option != nullptr; ++option) {
        const char* value = option.GetAttribute(kValueAttribute);
        m_Options.emplace(option.GetName(), value ? value : "");
    }
    return true;
}

std::string COptionSetting::GetValue(const std::string& key) const
{
    const auto found = m_Options.find(key);
    return found == m_Options.end() ? std::string() : found->second;
}

bool COptionSetting::SetValue(const std::string& key, const std::string& value)
{
    if (key.empty() || value.empty())
        return false;
    const auto found = m_Options.find(key);
    if (found == m_Options.end())
        return false;
    found->second = value;
    return true;
}

bool COptionSetting::Save()
{
    if (!m_Loaded)
        return false;

    // A file whose root is not "Options" is rewritten in the proper shape.
    CXmlElement root = m_Document.GetRoot();
    if (!root || root.GetName() != kRootName)
        root = m_Document.NewRoot(kRootName);
    else
        m_Document.Clear();

    for (const auto& [key, value] : m_Options)
        root.AddChildElement(key).SetAttribute(kValueAttribute, value);
    return m_Document.Save(m_Path);
}

} // namespace Vesk
