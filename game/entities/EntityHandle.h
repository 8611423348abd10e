// EntityHandle: a checked reference to an entity. It holds the entity's serial number, which the
// entity factory hands out once and never reuses, and resolves it through the factory's table of
// live objects each time: once the entity is destroyed every handle to it resolves to null.
#pragma once

#include <cstdint>

namespace Game {

class CEntity;

class EntityHandle {
public:
    EntityHandle() = default;
    // An empty handle for null.
    explicit EntityHandle(const CEntity* entity);

    // The entity while it lives, else null.
    CEntity* Get() const;
    // The entity when it lives and is a T, else null.
    template <typename T>
    T* GetAs() const
    {
        return dynamic_cast<T*>(Get());
    }

    bool IsEmpty() const { return m_Serial == 0; }
    void Reset() { m_Serial = 0; }
    uint64_t GetSerial() const { return m_Serial; }

    bool operator==(const EntityHandle& other) const { return m_Serial == other.m_Serial; }
    bool operator!=(const EntityHandle& other) const { return m_Serial != other.m_Serial; }

private:
    uint64_t m_Serial = 0;
};

} // namespace Game
