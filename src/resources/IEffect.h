// A compiled shader effect with techniques and passes; draws a mesh with a material's techniques.
#pragma once

#include "resources/IResource.h"

namespace Vesk {

class IMaterial;
class IMesh;

class IEffect : public IResource {
public:
    // Runs every pass of every technique the material lists, drawing the mesh once per pass. The
    // caller binds and applies the material first.
    virtual void RenderMesh(IMaterial* material, IMesh* mesh) = 0;
};

} // namespace Vesk
