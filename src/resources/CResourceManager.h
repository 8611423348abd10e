// Resource caches (stand-in until the resource issue lands): nothing loaded.
#pragma once

#include "core/CSingleton.h"

namespace Vesk {

class CResourceManager : public CSingleton<CResourceManager> {
public:

};

} // namespace Vesk
