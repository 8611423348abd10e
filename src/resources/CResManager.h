// One cache per resource type: a resource is created and loaded on the first request for its
// name and handed out for the rest of the process. A failed load is not cached, so the next
// request tries again. The cache owns and finally deletes what it holds.
#pragma once

#include "core/CSingleton.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace Vesk {

template <typename T> class CResManager : public CSingleton<CResManager<T>> {
public:
    // The cached resource of the name; otherwise a new one loaded with loadArg, or null when that
    // load fails.
    T* GetResource(const std::string& name, const std::string& loadArg)
    {
        auto found = m_Resources.find(name);
        if (found != m_Resources.end())
            return found->second.get();
        auto resource = std::make_unique<T>();
        if (!resource->Load(loadArg))
            return nullptr;
        T* loaded = resource.get();
        m_Resources.emplace(name, std::move(resource));
        return loaded;
    }

    // The resource of the name loaded with the name, falling back to "default"; null when neither
    // loads.
    static T* GetOrDefault(const std::string& name)
    {
        CResManager& cache = CResManager::GetInstance();
        if (T* resource = cache.GetResource(name, name))
            return resource;
        return cache.GetResource("default", "default");
    }

private:
    std::unordered_map<std::string, std::unique_ptr<T>> m_Resources;
};

} // namespace Vesk
