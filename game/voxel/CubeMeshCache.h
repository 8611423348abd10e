// Voxel-cube models are loaded once and shared by name: the cube-mesh cache
// (Vesk::CResManager<Game::CVeskCubeMesh>) plugged into the resource manager's mesh loading and
// unloading, so that models listed in "assets/meshes.xml" load by name like every other mesh.
#pragma once

#include <string>

namespace Vesk {
class IMesh;
}

namespace Game {

// Adds the loader and the unloader to the resource manager, once however often it is called;
// again after the resource manager's Shutdown, which forgets them.
void RegisterCubeMeshResource();

// The loader: the cached mesh of the name, or the file read into a new cached mesh named by the
// name; null for a file that is not a voxel-cube model (nothing is then cached).
Vesk::IMesh* LoadCubeMeshResource(const std::string& name, const std::string& path);
// The unloader: deletes the cached mesh of the name, if any.
void UnloadCubeMeshResource(const std::string& name);
// Deletes every cached mesh (at teardown, before the resource manager's own caches go).
void ReleaseCubeMeshResources();

} // namespace Game
