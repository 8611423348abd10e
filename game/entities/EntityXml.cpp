#include "game/entities/EntityXml.h"

#include "core/Log.h"
#include "game/base/CSlotHash.h"
#include "game/base/GameEnums.h"
#include "game/entities/CEntityFactory.h"

namespace Game {

void WriteNameAndType(Vesk::CXmlElement& element, const std::string& name, int type)
{
    element.SetAttribute("name", name);
    element.SetAttribute("type", CSlotHash::GetInstance().NameOf(type, SLOT_ENTITY_TYPE));
}

std::string ReadName(const Vesk::CXmlElement& element, const char* owner, int type)
{
    if (const char* name = element.GetAttribute("name"))
        return name;
    const std::string made = CEntityFactory::GetInstance().MakeEntityName(type);
    Vesk::LogLine(std::string(owner) + ": an element without a name is called \"" + made + "\"");
    return made;
}

float ReadFloat(const Vesk::CXmlElement& element, const char* name, float fallback)
{
    float value = fallback;
    element.GetFloatAttribute(name, &value, fallback);
    return value;
}

void WriteVector(Vesk::CXmlElement& element, const std::string& prefix, const CVector3D& value)
{
    element.SetDoubleAttribute(prefix + "X", value.x);
    element.SetDoubleAttribute(prefix + "Y", value.y);
    element.SetDoubleAttribute(prefix + "Z", value.z);
}

CVector3D ReadVector(const Vesk::CXmlElement& element, const std::string& prefix, const CVector3D& fallback)
{
    return CVector3D(ReadFloat(element, (prefix + "X").c_str(), fallback.x),
                     ReadFloat(element, (prefix + "Y").c_str(), fallback.y),
                     ReadFloat(element, (prefix + "Z").c_str(), fallback.z));
}

} // namespace Game
