// Memory for the nodes of one class (stand-in until the engine's object allocator lands): one
// heap block per node, with the count of nodes in use.
#pragma once

#include <cstdint>
#include <new>

namespace Vesk {

struct NodePoolStatistics {
    uint32_t objectsInUse = 0;
};

template <typename T> class CNodePool {
public:
    explicit CNodePool(uint32_t objectsPerPage) { (void)objectsPerPage; }

    T* Allocate()
    {
        ++m_Stats.objectsInUse;
        return static_cast<T*>(::operator new(sizeof(T)));
    }
    bool Deallocate(T* object)
    {
        if (!object)
            return false;
        --m_Stats.objectsInUse;
        ::operator delete(object);
        return true;
    }
    const NodePoolStatistics& GetStatistics() const { return m_Stats; }

private:
    NodePoolStatistics m_Stats;
};

} // namespace Vesk
