// The pieces every entity's XML form is made of: the name and type attributes, float attributes
// with a default, and vectors written as three attributes ("posX", "posY", "posZ"), each with
// "%g" numbers. Shared by the entity base, the triggers and the level markers.
#pragma once

#include "core/CXmlDocument.h"
#include "math/Vector3D.h"

#include <string>

namespace Game {

// "name", then "type" as the entity-type name.
void WriteNameAndType(Vesk::CXmlElement& element, const std::string& name, int type);
// The "name" attribute; an element without one gets a new default name for the type, with a
// log line from the owner.
std::string ReadName(const Vesk::CXmlElement& element, const char* owner, int type);

float ReadFloat(const Vesk::CXmlElement& element, const char* name, float fallback = 0.0f);
// prefix + "X", "Y", "Z".
void WriteVector(Vesk::CXmlElement& element, const std::string& prefix, const CVector3D& value);
CVector3D ReadVector(const Vesk::CXmlElement& element, const std::string& prefix,
                     const CVector3D& fallback = CVector3D(0.0f, 0.0f, 0.0f));

} // namespace Game
