// A material defined by name in "assets/materials.xml": fixed-function colours and power, an
// optional texture, and an optional effect with the values it receives (textures, render-target
// textures, float, float2 and float3 constants, scene lights) and the techniques to run. The
// texture, effect and render targets belong to their caches; the material only points at them.
#pragma once

#include "platform/gfx/Types.h"
#include "resources/IMaterial.h"

#include <string>
#include <vector>

namespace Vesk {

class CDXEffect;
class CDXRenderTarget;
class CDXTexture;
class CXmlElement;

class CDXMaterial : public IMaterial {
public:
    enum LightMode { LightNothing = 0, LightAll = 1, LightPositionOnly = 2 };

    struct TextureParameter {
        std::string name;
        CDXTexture* texture;
    };
    template <int N>
    struct FloatParameter {
        std::string name;
        float value[N];
    };
    struct RenderTargetParameter {
        std::string name;
        CDXRenderTarget* target;
    };
    struct LightBinding {
        int index;
        int mode;
    };

    // False only when the definition document has no element of that name.
    bool Load(const std::string& name) override;
    void OnLostDevice() override;
    void OnResetDevice() override;

    // The texture on stage 0 (none when the material has none) and the colours.
    void Bind() override;
    // Draws the mesh once with the world matrix, through the effect's techniques when there is
    // an effect.
    void RenderMesh(IMesh* mesh, const CMatrix4& world) override;
    // Empty for an index outside the list.
    std::string GetTechniqueName(int i) override;
    int GetTechniqueCount() override { return static_cast<int>(m_Techniques.size()); }
    // Sends the matrices for world (when there is a current camera) on every call; with upload
    // set, every stored parameter and light too. Does nothing without an effect.
    void Apply(const CMatrix4& world, bool upload) override;
    IEffect* GetEffect() const override;

    // Uploads light binding i: the renderer light at the binding's index, held to the list.
    void ApplyLight(int i);

    const gfx::Material& GetMaterial() const { return m_Material; }
    CDXTexture* GetTexture() const { return m_pTexture; }
    const std::vector<std::string>& GetTechniques() const { return m_Techniques; }
    const std::vector<TextureParameter>& GetTextureParameters() const { return m_Textures; }
    const std::vector<FloatParameter<1>>& GetFloatParameters() const { return m_Floats; }
    const std::vector<FloatParameter<2>>& GetFloat2Parameters() const { return m_Float2s; }
    const std::vector<FloatParameter<3>>& GetFloat3Parameters() const { return m_Float3s; }
    const std::vector<RenderTargetParameter>& GetRenderTargetParameters() const { return m_RenderTargets; }
    const std::vector<LightBinding>& GetLights() const { return m_Lights; }

private:
    void ReadColours(const CXmlElement& element);
    void ReadShaderChild(const CXmlElement& child, const std::string& material);

    CDXTexture* m_pTexture = nullptr;
    CDXEffect* m_pEffect = nullptr;
    gfx::Material m_Material;
    std::vector<std::string> m_Techniques;
    std::vector<TextureParameter> m_Textures;
    std::vector<FloatParameter<1>> m_Floats;
    std::vector<FloatParameter<2>> m_Float2s;
    std::vector<FloatParameter<3>> m_Float3s;
    std::vector<RenderTargetParameter> m_RenderTargets;
    std::vector<LightBinding> m_Lights;
    // worldViewProjection, worldView, world, view, projection.
    int m_MatrixHandles[5] = {-1, -1, -1, -1, -1};
};

} // namespace Vesk
