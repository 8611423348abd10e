// A texture that fixed-function draws can sample (Bind puts it on stage 0) and effects can take
// as a parameter.
#pragma once

#include "resources/IResource.h"

namespace Vesk {

class ITexture : public IResource {
public:
    virtual void Bind() = 0;
};

} // namespace Vesk
