// Resource caches (stand-in until the resource issue lands): nothing loaded, no mesh resolves.
#pragma once

#include "core/CSingleton.h"

#include <string>

namespace Vesk {

class IMesh;

class CResourceManager : public CSingleton<CResourceManager> {
public:
    IMesh* LoadMesh(const std::string& name)
    {
        (void)name;
        return nullptr;
    }
};

} // namespace Vesk
