// A particle batch: up to 500 particles drawn as point sprites in one draw with the effect of a
// material, cached under a name whose first word is the material's. Owns its dynamic vertex
// buffer; the material and its effect belong to their caches. Names that do not give a batch
// fall back to the batch of the required particle material "particle".
#pragma once

#include "particles/IParticles.h"
#include "platform/gfx/Buffers.h"

#include <memory>
#include <string>

namespace Vesk {

class IEffect;
class IMaterial;

class CDXParticles : public IParticles {
public:
    static constexpr int kCapacity = 500;
    // The fallback batch and its material, which "assets/materials.xml" must define.
    static constexpr const char* kFallbackName = "particle";

    // The batch of the name, or the fallback batch; null only when that fails too.
    static CDXParticles* GetOrFallback(const std::string& name);

    // name: the material name, optionally followed by a count that is read and not used. False
    // without a device, when the material has no shader path or its effect does not load.
    bool Load(const std::string& name) override;
    void OnLostDevice() override;
    void OnResetDevice() override;

    void Begin() override;
    // Nothing without an effect or particles. Otherwise the camera matrices, the time step
    // ("dt", slowed with the game in slow motion) and the screen height go to the effect, whose
    // first technique draws the particles in its first pass.
    void Render() override;
    void End() override;
    // Nothing for a null array; null entries are passed over.
    void FillVertices(const ParticleVertex* const* particles, int count) override;

    int GetCount() const { return m_Count; }
    const gfx::VertexBuffer* GetVertexBuffer() const { return m_pVertexBuffer.get(); }
    IMaterial* GetMaterial() const { return m_pMaterial; }
    IEffect* GetEffect() const { return m_pEffect; }

private:
    bool CreateVertexBuffer();

    std::unique_ptr<gfx::VertexBuffer> m_pVertexBuffer;
    int m_Capacity = kCapacity;
    int m_Count = 0;
    IMaterial* m_pMaterial = nullptr;
    IEffect* m_pEffect = nullptr;
};

} // namespace Vesk
