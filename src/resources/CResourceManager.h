// Above the per-type caches: opens the five asset definition files at start-up, resolves mesh
// names to files and to the mesh type that reads them (registered loaders first, then the .x
// cache), falls back to the mesh "default", fans the device's lost and reset notifications out
// to the caches, and empties every cache at shutdown, before the graphics device goes.
#pragma once

#include "core/CSingleton.h"
#include "core/CXmlDocument.h"

#include <string>
#include <vector>

namespace Vesk {

class IMesh;

class CResourceManager : public CSingleton<CResourceManager> {
public:
    // A loader answers only for files of its own kind and returns null for the rest.
    using MeshLoader = IMesh* (*)(const std::string& name, const std::string& path);
    using MeshUnloader = void (*)(const std::string& name);

    // Loads the definition files in the order meshes, materials, sprites, fonts, render targets;
    // the first that does not load ends start-up with its path in the message. The mesh file
    // must name a "default" mesh with a path.
    bool Init() override;
    // Deletes every cached resource; the documents stay open.
    void Shutdown() override;

    // The mesh of the name: its file through the registered loaders or the .x and MD2 caches;
    // for names the mesh file does not list, the built-in primitive of that name; the mesh
    // "default" for anything else and anything that does not load. Null only when "default"
    // does not load either.
    IMesh* LoadMesh(const std::string& name);
    // Tells every unloader about a name the mesh file lists; cached .x and primitive meshes stay.
    void UnloadMesh(const std::string& name);
    // Each function is listed once, in the order of its first registration.
    void RegisterMeshLoader(MeshLoader loader);
    void RegisterMeshUnloader(MeshUnloader unloader);

    // Every cached resource in the fixed cache orders of the two notifications.
    void OnLostDevice();
    void OnResetDevice();

    const CXmlDocument& GetMeshDefinitions() const { return m_Meshes; }
    // For savers that register a new mesh file ("assets/meshes.xml" is theirs to save).
    CXmlDocument& GetMeshDefinitions() { return m_Meshes; }
    const CXmlDocument& GetMaterialDefinitions() const { return m_Materials; }
    const CXmlDocument& GetSpriteDefinitions() const { return m_Sprites; }
    const CXmlDocument& GetFontDefinitions() const { return m_Fonts; }
    const CXmlDocument& GetRenderTargetDefinitions() const { return m_RenderTargets; }

private:
    IMesh* LoadPrimitive(const std::string& name);
    IMesh* LoadFromFile(const std::string& name, const std::string& path);
    IMesh* AskLoaders(const std::string& name, const std::string& path);
    IMesh* LoadDefaultMesh();

    CXmlDocument m_Meshes;
    CXmlDocument m_Materials;
    CXmlDocument m_Sprites;
    CXmlDocument m_Fonts;
    CXmlDocument m_RenderTargets;
    std::vector<MeshLoader> m_MeshLoaders;
    std::vector<MeshUnloader> m_MeshUnloaders;
};

} // namespace Vesk
