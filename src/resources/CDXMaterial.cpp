#include "resources/CDXMaterial.h"

#include "core/Log.h"
#include "platform/gfx/Device.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CDXEffect.h"
#include "resources/CDXRenderTarget.h"
#include "resources/CDXTexture.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "resources/IMesh.h"

#include <algorithm>
#include <sstream>

namespace Vesk {

namespace {

const char* const kMatrixNames[] = {"worldViewProjection", "worldView", "world", "view", "projection"};

// Up to count whitespace-separated numbers; the ones missing stay 0.
template <int N>
void ReadNumbers(const char* text, float (&values)[N])
{
    std::fill(values, values + N, 0.0f);
    std::istringstream in(text ? text : "");
    in.imbue(std::locale::classic());
    for (float& value : values) {
        if (!(in >> value)) {
            value = 0.0f;
            break;
        }
    }
}

// r, g, b of the element into the colour (0 for a missing one); alpha stays 0.
void ReadColour(const CXmlElement& element, gfx::ColorValue& colour)
{
    element.GetFloatAttribute("r", &colour.r, 0.0f);
    element.GetFloatAttribute("g", &colour.g, 0.0f);
    element.GetFloatAttribute("b", &colour.b, 0.0f);
}

gfx::Matrix ToDirect3D(const CMatrix4& world)
{
    CMatrix4 transposed;
    world.GetTransposed(transposed);
    gfx::Matrix out;
    std::copy(std::begin(transposed.m), std::end(transposed.m), out.m);
    return out;
}

} // namespace

bool CDXMaterial::Load(const std::string& name)
{
    const CXmlDocument& document = CResourceManager::GetInstance().GetMaterialDefinitions();
    const CXmlElement element = document.FindElement(name);
    if (element == nullptr)
        return false;
    ReadColours(element);

    const CXmlElement texture = element.FirstChildElement("texture");
    if (texture != nullptr) {
        if (const char* path = texture.GetAttribute("path"))
            m_pTexture = CResManager<CDXTexture>::GetInstance().GetResource(path, path);
    }

    const CXmlElement shader = element.FirstChildElement("shader");
    const char* shaderPath = shader == nullptr ? nullptr : shader.GetAttribute("path");
    if (shaderPath)
        m_pEffect = CResManager<CDXEffect>::GetInstance().GetResource(shaderPath, shaderPath);
    if (!m_pEffect)
        return true;
    for (CXmlElement child = shader.FirstChildElement(); child != nullptr; ++child)
        ReadShaderChild(child, name);
    for (int i = 0; i < 5; ++i)
        m_MatrixHandles[i] = m_pEffect->GetParameterHandle(kMatrixNames[i]);
    return true;
}

void CDXMaterial::ReadColours(const CXmlElement& element)
{
    const std::pair<const char*, gfx::ColorValue*> colours[] = {
        {"diffuse", &m_Material.diffuse},
        {"specular", &m_Material.specular},
        {"emissive", &m_Material.emissive},
        {"ambient", &m_Material.ambient},
    };
    for (const auto& [tag, colour] : colours) {
        const CXmlElement child = element.FirstChildElement(tag);
        if (child == nullptr)
            continue;
        ReadColour(child, *colour);
        if (colour == &m_Material.specular)
            child.GetFloatAttribute("power", &m_Material.power, 0.0f);
    }
}

void CDXMaterial::ReadShaderChild(const CXmlElement& child, const std::string& material)
{
    const std::string tag = child.GetName();
    const char* name = child.GetAttribute("name");
    if (tag == "light") {
        int index = 0;
        child.GetIntAttribute("index", &index, 0);
        const char* parameters = child.GetAttribute("parameters");
        const std::string mode = parameters ? parameters : "";
        // Kept even while the scene has no lights: lights added later apply when they exist.
        m_Lights.push_back({index, mode == "all" ? LightAll : mode == "lightpos" ? LightPositionOnly : LightNothing});
        return;
    }
    if (tag != "texture" && tag != "float" && tag != "float2" && tag != "float3" && tag != "technique")
        return;
    if (!name) {
        LogLine("CDXMaterial: a \"" + tag + "\" of the material \"" + material + "\" has no name; ignored");
        return;
    }
    if (tag == "technique") {
        m_Techniques.push_back(name);
    } else if (tag == "texture") {
        if (const char* path = child.GetAttribute("path")) {
            if (CDXTexture* texture = CResManager<CDXTexture>::GetInstance().GetResource(path, path))
                m_Textures.push_back({name, texture});
        } else if (const char* target = child.GetAttribute("rendertarget")) {
            if (CDXRenderTarget* renderTarget = CResManager<CDXRenderTarget>::GetOrDefault(target))
                m_RenderTargets.push_back({name, renderTarget});
        }
    } else if (tag == "float") {
        m_Floats.push_back({name, {}});
        ReadNumbers(child.GetAttribute("value"), m_Floats.back().value);
    } else if (tag == "float2") {
        m_Float2s.push_back({name, {}});
        ReadNumbers(child.GetAttribute("value"), m_Float2s.back().value);
    } else {
        m_Float3s.push_back({name, {}});
        ReadNumbers(child.GetAttribute("value"), m_Float3s.back().value);
    }
}

void CDXMaterial::OnLostDevice()
{
    if (m_pEffect)
        m_pEffect->OnLostDevice();
}

void CDXMaterial::OnResetDevice()
{
    if (m_pEffect)
        m_pEffect->OnResetDevice();
}

IEffect* CDXMaterial::GetEffect() const { return m_pEffect; }

std::string CDXMaterial::GetTechniqueName(int i)
{
    if (i < 0 || i >= GetTechniqueCount())
        return std::string();
    return m_Techniques[static_cast<size_t>(i)];
}

void CDXMaterial::Bind()
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device)
        return;
    // A material without a texture unbinds the previous one rather than drawing with it.
    if (m_pTexture)
        m_pTexture->Bind();
    else
        device->SetTexture(0, nullptr);
    device->SetMaterial(m_Material);
}

void CDXMaterial::Apply(const CMatrix4& world, bool upload)
{
    if (!m_pEffect)
        return;
    // The matrices go out on every call, so that each item drawn in a run of this material gets
    // its own; the shared values only when upload is set.
    if (CCameraManager::GetInstance().GetCurrentCamera()) {
        const CRenderer& renderer = CRenderer::GetInstance();
        const gfx::Matrix worldD3D = ToDirect3D(world);
        const gfx::Matrix worldView = gfx::Multiply(worldD3D, renderer.GetViewMatrix());
        const gfx::Matrix matrices[] = {gfx::Multiply(worldView, renderer.GetProjectionMatrix()), worldView, worldD3D,
                                        renderer.GetViewMatrix(), renderer.GetProjectionMatrix()};
        for (int i = 0; i < 5; ++i) {
            if (m_MatrixHandles[i] != IEffect::kNoParameter)
                m_pEffect->SetMatrixByHandle(m_MatrixHandles[i], matrices[i]);
        }
    }
    if (!upload)
        return;
    for (const TextureParameter& p : m_Textures)
        m_pEffect->SetTexture(p.name, p.texture);
    // The target's texture object views whatever texture the target has now.
    for (const RenderTargetParameter& p : m_RenderTargets)
        m_pEffect->SetTexture(p.name, p.target->GetTexture());
    for (const FloatParameter<2>& p : m_Float2s)
        m_pEffect->SetFloat2(p.name, p.value);
    for (const FloatParameter<1>& p : m_Floats)
        m_pEffect->SetFloat(p.name, p.value[0]);
    for (const FloatParameter<3>& p : m_Float3s)
        m_pEffect->SetFloat3(p.name, p.value);
    for (size_t i = 0; i < m_Lights.size(); ++i)
        ApplyLight(static_cast<int>(i));
}

void CDXMaterial::ApplyLight(int i)
{
    CRenderer& renderer = CRenderer::GetInstance();
    if (!m_pEffect || i < 0 || i >= static_cast<int>(m_Lights.size()) || renderer.GetLightCount() == 0)
        return;
    const LightBinding& binding = m_Lights[static_cast<size_t>(i)];
    const CLight* light = renderer.GetLight(std::clamp(binding.index, 0, renderer.GetLightCount() - 1));
    if (binding.mode == LightPositionOnly) {
        m_pEffect->SetFloat3("lightpos", light->m_Position);
    } else if (binding.mode == LightAll) {
        m_pEffect->SetInt("lighttype", light->m_Type);
        m_pEffect->SetFloat3("lightpos", light->m_Position);
        m_pEffect->SetFloat3("lightdir", light->m_Direction);
        m_pEffect->SetFloat4("lightambient", light->m_Ambient);
        m_pEffect->SetFloat4("lightdiffuse", light->m_Diffuse);
        m_pEffect->SetFloat4("lightspecular", light->m_Specular);
        m_pEffect->SetFloat("lightpower", light->m_Power);
        m_pEffect->SetFloat3("distattcoeff", light->m_DistanceAttenuation);
        m_pEffect->SetFloat3("spotatt", light->m_SpotAttenuation);
        if (const CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera()) {
            const CVector3D& eye = camera->GetEye();
            const float eyePosition[3] = {eye.x, eye.y, eye.z};
            m_pEffect->SetFloat3("eyepos", eyePosition);
        }
    }
}

void CDXMaterial::RenderMesh(IMesh* mesh, const CMatrix4& world)
{
    if (!mesh)
        return;
    Bind();
    // Every draw keeps the renderer's world matrix current, effect or not.
    CRenderer::GetInstance().SetWorldMatrix(world);
    if (!m_pEffect) {
        mesh->Render();
        return;
    }
    Apply(world, true);
    m_pEffect->RenderMesh(this, mesh);
}

} // namespace Vesk
