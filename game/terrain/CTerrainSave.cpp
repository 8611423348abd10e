// Saving the terrain as a voxel-cube model and listing it in the mesh definitions.
#include "game/terrain/CTerrain.h"

#include "game/voxel/CVeskCubeMesh.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "resources/CResourceManager.h"

namespace Game {

namespace {

const char* const kMeshDefinitions = "assets/meshes.xml";

} // namespace

bool CTerrain::SaveMesh(const std::string& name, const std::string& path)
{
    if (path.empty()) {
        Vesk::LogLine("CTerrain: no path to save the terrain \"" + name + "\" to");
        return false;
    }
    if (!m_Mesh) {
        Vesk::LogLine("CTerrain: the terrain has no mesh to save as \"" + name + "\"");
        return false;
    }
    std::vector<CVector3D> positions, colours;
    CollectCubes(positions, colours);
    BuildSlices(positions, colours);
    if (!m_Mesh->Save(path))
        return false;

    Vesk::CXmlDocument& meshes = Vesk::CResourceManager::GetInstance().GetMeshDefinitions();
    Vesk::CXmlElement element = meshes.FindElement(name);
    if (element == nullptr)
        element = meshes.CreateElement(name, "");
    if (element == nullptr) {
        Vesk::LogLine("CTerrain: the terrain \"" + name + "\" could not be listed in " + kMeshDefinitions);
        return false;
    }
    element.SetAttribute("path", path);
    return meshes.Save(kMeshDefinitions);
}

} // namespace Game
