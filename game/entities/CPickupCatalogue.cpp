#include "game/entities/CPickupCatalogue.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"

#include <sstream>

namespace Game {

namespace {

// The attribute converted through a string stream; a missing or unreadable one leaves the field.
template <typename T>
void ReadValue(const Vesk::CXmlElement& element, const char* name, T& field)
{
    const char* text = element.GetAttribute(name);
    if (!text)
        return;
    std::istringstream stream(text);
    T value{};
    if (stream >> value)
        field = value;
}

} // namespace

const PickupValues& CPickupCatalogue::Find(const std::string& meshName)
{
    static const PickupValues kNone;
    if (!m_Loaded)
        Load(kDefaultPath);
    const auto found = m_Values.find(meshName);
    if (found != m_Values.end())
        return found->second;
    Vesk::LogLine("CPickupCatalogue: no pickup values for \"" + meshName + "\"");
    // Remembered as zeros, so the line comes once per name.
    return m_Values.emplace(meshName, kNone).first->second;
}

bool CPickupCatalogue::Load(const std::string& path)
{
    m_Values.clear();
    m_Loaded = true;
    Vesk::CXmlDocument document;
    if (!document.Load(path)) {
        Vesk::LogLine("CPickupCatalogue: cannot load \"" + path + "\"");
        return false;
    }
    Vesk::CXmlElement pickups = document.GetRoot();
    if (pickups.GetName() != "pickups")
        pickups = pickups.FirstChildElement("pickups");
    if (!pickups) {
        Vesk::LogLine("CPickupCatalogue: \"" + path + "\" has no \"pickups\" element");
        return false;
    }
    for (Vesk::CXmlElement item = pickups.FirstChildElement(); item != nullptr; ++item) {
        // The first element of a name wins.
        auto inserted = m_Values.emplace(item.GetName(), PickupValues());
        if (!inserted.second)
            continue;
        PickupValues& values = inserted.first->second;
        ReadValue(item, "hp", values.m_Hp);
        ReadValue(item, "mana", values.m_Mana);
        ReadValue(item, "dmg", values.m_Dmg);
        ReadValue(item, "movespeed", values.m_MoveSpeed);
        ReadValue(item, "atkspeed", values.m_AtkSpeed);
        ReadValue(item, "deathmod", values.m_DeathMod);
        if (const char* effect = item.GetAttribute("effect_name"))
            values.m_EffectName = effect;
        ReadValue(item, "lasting_time", values.m_LastingTime);
    }
    return true;
}

void CPickupCatalogue::Shutdown()
{
    m_Values.clear();
    m_Loaded = false;
    m_Services.reset();
}

} // namespace Game
