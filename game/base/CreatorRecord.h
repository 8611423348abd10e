// The creation callbacks of one pooled class, as the entity factory and the controller manager
// keep them per type id: create an object in the class's pool, destroy one, delete the pool,
// destroy every object of the pool.
#pragma once

#include <map>

namespace Game {

template <typename Base>
struct CreatorRecord {
    using Create = Base* (*)();
    using Destroy = void (*)(Base** object);
    using PoolAction = void (*)();

    Create create = nullptr;
    Destroy destroy = nullptr;
    PoolAction deletePool = nullptr;
    PoolAction releaseAll = nullptr;
};

// Stores the record under the id; an id already present keeps its first record.
template <typename Base>
void InsertCreator(std::map<int, CreatorRecord<Base>>& table, int id, typename CreatorRecord<Base>::Create create,
                   typename CreatorRecord<Base>::Destroy destroy, typename CreatorRecord<Base>::PoolAction releaseAll,
                   typename CreatorRecord<Base>::PoolAction deletePool)
{
    CreatorRecord<Base> record;
    record.create = create;
    record.destroy = destroy;
    record.deletePool = deletePool;
    record.releaseAll = releaseAll;
    table.emplace(id, record);
}

} // namespace Game
