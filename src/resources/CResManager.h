// One cache per resource type: a resource is created and loaded on the first request for its
// name and handed out until the caches are emptied at shutdown. A failed load is not cached, so
// the next request tries again. The cache owns and finally deletes what it holds.
#pragma once

#include "core/CSingleton.h"
#include "core/Log.h"

#include <memory>
#include <set>
#include <string>
#include <unordered_map>

namespace Vesk {

template <typename T>
class CResManager : public CSingleton<CResManager<T>> {
public:
    // The cached resource of the name (loadArg is then ignored); otherwise a new one loaded with
    // loadArg, or null when that load fails.
    T* GetResource(const std::string& name, const std::string& loadArg)
    {
        auto found = m_Resources.find(name);
        if (found != m_Resources.end())
            return found->second.get();
        auto resource = std::make_unique<T>();
        if (!resource->Load(loadArg)) {
            // Said once per name: callers may ask for a missing name every frame.
            if (m_Reported.insert(name).second)
                LogLine("Resource \"" + name + "\" did not load from \"" + loadArg + "\"");
            return nullptr;
        }
        T* loaded = resource.get();
        m_Resources.emplace(name, std::move(resource));
        return loaded;
    }

    // The resource of the name loaded with the name, falling back to "default"; null when
    // neither loads.
    static T* GetOrDefault(const std::string& name)
    {
        CResManager& cache = CResManager::GetInstance();
        if (T* resource = cache.GetResource(name, name))
            return resource;
        return cache.GetResource("default", "default");
    }

    // Caches a resource made elsewhere under a name not cached yet and returns it; when the name
    // is taken, the given resource is deleted and the cached one returned.
    T* Adopt(const std::string& name, std::unique_ptr<T> resource)
    {
        return m_Resources.emplace(name, std::move(resource)).first->second.get();
    }

    // The cached resource of the name, without loading; null when there is none.
    T* Find(const std::string& name) const
    {
        auto found = m_Resources.find(name);
        return found == m_Resources.end() ? nullptr : found->second.get();
    }
    size_t GetCount() const { return m_Resources.size(); }

    void OnLostDevice()
    {
        for (auto& entry : m_Resources)
            entry.second->OnLostDevice();
    }
    void OnResetDevice()
    {
        for (auto& entry : m_Resources)
            entry.second->OnResetDevice();
    }

    // Deletes every cached resource. Runs before the graphics device goes, so that no GPU
    // object outlives it.
    void ReleaseAll()
    {
        m_Resources.clear();
        m_Reported.clear();
    }

    // Deletes the cached resource of the name; nothing when there is none.
    void Unload(const std::string& name) { m_Resources.erase(name); }

private:
    std::unordered_map<std::string, std::unique_ptr<T>> m_Resources;
    std::set<std::string> m_Reported;
};

} // namespace Vesk
