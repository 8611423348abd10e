#include "game/voxel/CubeMeshCache.h"

#include "game/voxel/CVeskCubeMesh.h"

#include "platform/win/RegularFile.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"

#include <fstream>
#include <string_view>

namespace Game {

namespace {

using CubeMeshCache = Vesk::CResManager<CVeskCubeMesh>;

// Whether the file starts with the model keyword. Every listed mesh passes through the loaders,
// so files of other kinds are turned away here without reading them or logging.
bool IsCubeModelFile(const std::string& path)
{
    if (!win::IsRegularFile(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    char head[256];
    in.read(head, sizeof head);
    const std::string_view text(head, static_cast<std::size_t>(in.gcount()));
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos)
        return false;
    const std::string_view keyword = "#VSKCUB";
    const std::size_t end = start + keyword.size();
    return text.substr(start, keyword.size()) == keyword &&
           (end == text.size() || std::string_view(" \t\n\v\f\r").find(text[end]) != std::string_view::npos);
}

} // namespace

Vesk::IMesh* LoadCubeMeshResource(const std::string& name, const std::string& path)
{
    CubeMeshCache& cache = CubeMeshCache::GetInstance();
    CVeskCubeMesh* mesh = cache.Find(name);
    if (!mesh && IsCubeModelFile(path))
        mesh = cache.GetResource(name, path);
    if (mesh)
        mesh->SetName(name);
    return mesh;
}

void UnloadCubeMeshResource(const std::string& name) { CubeMeshCache::GetInstance().Unload(name); }

void ReleaseCubeMeshResources() { CubeMeshCache::GetInstance().ReleaseAll(); }

void RegisterCubeMeshResource()
{
    Vesk::CResourceManager& resources = Vesk::CResourceManager::GetInstance();
    resources.RegisterMeshLoader(&LoadCubeMeshResource);
    resources.RegisterMeshUnloader(&UnloadCubeMeshResource);
}

} // namespace Game
