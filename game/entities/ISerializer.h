// ISerializer: how the level manager saves an object as one XML element and loads it back.
#pragma once

#include "core/CXmlDocument.h"

namespace Game {

class ISerializer {
public:
    virtual ~ISerializer() = default;
    virtual void Save(Vesk::CXmlElement element) = 0;
    virtual void Load(Vesk::CXmlElement element) = 0;
};

} // namespace Game
