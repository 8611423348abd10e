// Material resource (stand-in until the resource issue lands): no definitions are read, so every
// load fails and lookups find no material.
#pragma once

#include "resources/IMaterial.h"

namespace Vesk {

class CDXMaterial : public IMaterial {
public:
    bool Load(const std::string&) override { return false; }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Bind() override {}
    void RenderMesh(IMesh*, const CMatrix4&) override {}
    std::string GetTechniqueName(int) override { return std::string(); }
    int GetTechniqueCount() override { return 0; }
    void Apply(const CMatrix4&, bool) override {}
    IEffect* GetEffect() const override { return nullptr; }
};

} // namespace Vesk
