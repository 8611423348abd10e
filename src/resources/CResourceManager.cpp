#include "resources/CResourceManager.h"

#include "core/Log.h"
#include "render/CRenderer.h"
#include "resources/CDXEffect.h"
#include "resources/CDXFont.h"
#include "resources/CDXMaterial.h"
#include "resources/CDXRenderTarget.h"
#include "resources/CDXSprite.h"
#include "resources/CDXTexture.h"
#include "resources/CResManager.h"
#include "resources/CXMesh.h"
#include "resources/Primitives.h"
#include "resources/md2/CMD2Mesh.h"

#include <algorithm>
#include <cctype>

namespace Vesk {

namespace {

const char* const kDefinitionFiles[] = {
    "assets/meshes.xml", "assets/materials.xml", "assets/sprites.xml", "assets/fonts.xml", "assets/rendertargets.xml",
};

// The "path" attribute of the mesh element of the name; null when either is missing.
const char* MeshPath(const CXmlDocument& meshes, const std::string& name)
{
    const CXmlElement element = meshes.FindElement(name);
    return element == nullptr ? nullptr : element.GetAttribute("path");
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

template <typename T>
IMesh* Primitive()
{
    return CResManager<T>::GetInstance().GetResource(T::kName, "");
}

template <typename... T>
void ReleasePrimitives()
{
    (CResManager<T>::GetInstance().ReleaseAll(), ...);
}

} // namespace

bool CResourceManager::Init()
{
    CRenderer::GetInstance().AddDeviceHooks([] { GetInstance().OnLostDevice(); },
                                            [] { GetInstance().OnResetDevice(); });
    CXmlDocument* documents[] = {&m_Meshes, &m_Materials, &m_Sprites, &m_Fonts, &m_RenderTargets};
    for (size_t i = 0; i < std::size(documents); ++i) {
        if (!documents[i]->Load(kDefinitionFiles[i])) {
            m_ErrorMessage = std::string("CResourceManager:: Path ") + kDefinitionFiles[i] + " not found";
            return false;
        }
    }
    // Every failed mesh request ends at this entry, so its absence is a start-up error.
    if (MeshPath(m_Meshes, "default") == nullptr) {
        m_ErrorMessage = std::string("CResourceManager:: ") + kDefinitionFiles[0] + " names no \"default\" mesh path";
        return false;
    }
    return true;
}

void CResourceManager::Shutdown()
{
    // Loaders are registered again by whoever starts the manager next.
    m_MeshLoaders.clear();
    m_MeshUnloaders.clear();
    CResManager<CXMesh>::GetInstance().ReleaseAll();
    CResManager<CMD2Mesh>::GetInstance().ReleaseAll();
    ReleasePrimitives<CDXWireCube, CDXCylinderMesh, CDXPlaneMesh, CDXQuadMesh, CDXSphereMesh, CDXCubeMesh>();
    CResManager<CDXMaterial>::GetInstance().ReleaseAll();
    CResManager<CDXFont>::GetInstance().ReleaseAll();
    CResManager<CDXRenderTarget>::GetInstance().ReleaseAll();
    CResManager<CDXEffect>::GetInstance().ReleaseAll();
    CResManager<CDXTexture>::GetInstance().ReleaseAll();
    CResManager<CDXSprite>::GetInstance().ReleaseAll();
}

IMesh* CResourceManager::LoadMesh(const std::string& name)
{
    const CXmlElement element = m_Meshes.FindElement(name);
    if (element == nullptr) {
        if (IMesh* primitive = LoadPrimitive(name))
            return primitive;
        return LoadDefaultMesh();
    }
    const char* path = element.GetAttribute("path");
    if (path == nullptr) {
        LogLine("CResourceManager: the mesh \"" + name + "\" has no path; using \"default\"");
        return LoadDefaultMesh();
    }
    if (IMesh* mesh = AskLoaders(name, path))
        return mesh;
    if (IMesh* mesh = LoadFromFile(name, path))
        return mesh;
    if (IMesh* mesh = AskLoaders(name, path))
        return mesh;
    return LoadDefaultMesh();
}

IMesh* CResourceManager::LoadPrimitive(const std::string& name)
{
    // Tested in this order, exact names only.
    if (name == CDXWireCube::kName)
        return Primitive<CDXWireCube>();
    if (name == CDXCylinderMesh::kName)
        return Primitive<CDXCylinderMesh>();
    if (name == CDXPlaneMesh::kName)
        return Primitive<CDXPlaneMesh>();
    if (name == CDXQuadMesh::kName)
        return Primitive<CDXQuadMesh>();
    if (name == CDXSphereMesh::kName)
        return Primitive<CDXSphereMesh>();
    if (name == CDXCubeMesh::kName)
        return Primitive<CDXCubeMesh>();
    return nullptr;
}

IMesh* CResourceManager::LoadFromFile(const std::string& name, const std::string& path)
{
    // Each built-in reader is asked only for files of its own kind, so other kinds are not
    // parsed as .x on every request.
    if (EndsWithNoCase(path, ".x"))
        return CResManager<CXMesh>::GetInstance().GetResource(name, path);
    if (EndsWithNoCase(path, ".md2"))
        return CResManager<CMD2Mesh>::GetInstance().GetResource(name, path);
    return nullptr;
}

IMesh* CResourceManager::AskLoaders(const std::string& name, const std::string& path)
{
    for (MeshLoader loader : m_MeshLoaders) {
        if (IMesh* mesh = loader(name, path))
            return mesh;
    }
    return nullptr;
}

IMesh* CResourceManager::LoadDefaultMesh()
{
    const char* path = MeshPath(m_Meshes, "default");
    if (path == nullptr) {
        LogLine("CResourceManager: no \"default\" mesh to fall back to");
        return nullptr;
    }
    return CResManager<CXMesh>::GetInstance().GetResource("default", path);
}

void CResourceManager::UnloadMesh(const std::string& name)
{
    if (m_Meshes.FindElement(name) == nullptr)
        return;
    for (MeshUnloader unloader : m_MeshUnloaders)
        unloader(name);
}

void CResourceManager::RegisterMeshLoader(MeshLoader loader)
{
    if (loader && std::find(m_MeshLoaders.begin(), m_MeshLoaders.end(), loader) == m_MeshLoaders.end())
        m_MeshLoaders.push_back(loader);
}

void CResourceManager::RegisterMeshUnloader(MeshUnloader unloader)
{
    if (unloader && std::find(m_MeshUnloaders.begin(), m_MeshUnloaders.end(), unloader) == m_MeshUnloaders.end())
        m_MeshUnloaders.push_back(unloader);
}

void CResourceManager::OnLostDevice()
{
    CResManager<CDXEffect>::GetInstance().OnLostDevice();
    CResManager<CDXTexture>::GetInstance().OnLostDevice();
    CResManager<CDXMaterial>::GetInstance().OnLostDevice();
    CResManager<CDXSprite>::GetInstance().OnLostDevice();
    CResManager<CXMesh>::GetInstance().OnLostDevice();
    CResManager<CMD2Mesh>::GetInstance().OnLostDevice();
    CResManager<CDXFont>::GetInstance().OnLostDevice();
    CResManager<CDXRenderTarget>::GetInstance().OnLostDevice();
}

void CResourceManager::OnResetDevice()
{
    CResManager<CDXTexture>::GetInstance().OnResetDevice();
    CResManager<CDXMaterial>::GetInstance().OnResetDevice();
    CResManager<CDXSprite>::GetInstance().OnResetDevice();
    CResManager<CXMesh>::GetInstance().OnResetDevice();
    CResManager<CMD2Mesh>::GetInstance().OnResetDevice();
    CResManager<CDXFont>::GetInstance().OnResetDevice();
    CResManager<CDXRenderTarget>::GetInstance().OnResetDevice();
    CResManager<CDXEffect>::GetInstance().OnResetDevice();
}

} // namespace Vesk
