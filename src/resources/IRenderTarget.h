// A texture the scene can be drawn into: BeginScene, Clear, drawing, EndScene is the order of
// use. Its texture object is what materials and the cube renderer hand to effects.
#pragma once

#include "resources/IResource.h"

namespace Vesk {

class CDXTexture;

class IRenderTarget : public IResource {
public:
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    virtual void Clear() = 0;
    virtual void SaveToFile() = 0;
    // The texture object, alive as long as the target; it views the target's current texture.
    virtual CDXTexture* GetTexture() = 0;
};

} // namespace Vesk
