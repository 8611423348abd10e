// Type registration: gives each entity, controller and shared controller class its object pool
// and its four creation callbacks (create, destroy, release-all, delete-pool), enters them with
// the entity factory or the controller manager under the type id, and registers the type's name
// in CSlotHash. Registering a class twice changes nothing.
#pragma once

#include "core/CObjectAllocator.h"
#include "core/Log.h"
#include "game/base/CSlotHash.h"
#include "game/controllers/CControllerManager.h"
#include "game/entities/CEntityFactory.h"

#include <new>
#include <string>
#include <typeinfo>

namespace Game {

// The class-wide pool of T and the callbacks over it, as seen through the base class B.
template <typename T, typename B>
struct PooledType {
    static inline Vesk::CObjectAllocator<T>* s_pPool = nullptr;

    static void CreatePool(unsigned objectsPerPage)
    {
        if (!s_pPool)
            s_pPool = new Vesk::CObjectAllocator<T>(objectsPerPage);
    }
    static B* Create()
    {
        void* slot = s_pPool ? s_pPool->Allocate() : nullptr;
        return slot ? new (slot) T() : nullptr;
    }
    // Destructs the object and gives it back to the pool; the caller's pointer becomes null. An
    // object that is not exactly a T stays untouched.
    static void Destroy(B** object)
    {
        if (!object || !*object)
            return;
        if (!s_pPool || typeid(**object) != typeid(T)) {
            Vesk::LogLine(std::string("TypeRegistration: refused to destroy an object of another type as ") +
                          typeid(T).name());
            return;
        }
        s_pPool->Destroy(static_cast<T*>(*object));
        *object = nullptr;
    }
    static void ReleaseAll()
    {
        if (s_pPool)
            s_pPool->FreeAll();
    }
    static void DeletePool()
    {
        delete s_pPool;
        s_pPool = nullptr;
    }
};

template <typename T>
void RegisterEntityType(int id, const std::string& name, unsigned objectsPerPage)
{
    using P = PooledType<T, CEntity>;
    CEntityFactory::GetInstance().RegisterCreator(id, &P::Create, &P::Destroy, &P::ReleaseAll, &P::DeletePool);
    P::CreatePool(objectsPerPage);
    CSlotHash::GetInstance().Register(name, id, SLOT_ENTITY_TYPE);
}

template <typename T>
void RegisterControllerType(int id, const std::string& name, unsigned objectsPerPage)
{
    using P = PooledType<T, IController>;
    CControllerManager::GetInstance().RegisterCreator(id, &P::Create, &P::Destroy, &P::ReleaseAll, &P::DeletePool);
    P::CreatePool(objectsPerPage);
    CSlotHash::GetInstance().Register(name, id, SLOT_CONTROLLER_TYPE);
}

template <typename T>
void RegisterSharedControllerType(int id, const std::string& name, unsigned objectsPerPage)
{
    using P = PooledType<T, ISharedCharacterController>;
    CControllerManager::GetInstance().RegisterSharedCreator(id, &P::Create, &P::Destroy, &P::ReleaseAll,
                                                            &P::DeletePool);
    P::CreatePool(objectsPerPage);
    CSlotHash::GetInstance().Register(name, id, SLOT_SHARED_CONTROLLER_TYPE);
}

// Every entity class (types 0 to 17), then every controller and shared controller class.
void RegisterEntityTypes();
void RegisterControllerTypes();

} // namespace Game
