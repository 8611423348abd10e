#include "game/world/TypeRegistration.h"

#include "game/controllers/CApparationController.h"
#include "game/controllers/CBigBossController.h"
#include "game/controllers/CBoarController.h"
#include "game/controllers/CCollisionAvoidanceController.h"
#include "game/controllers/CGenericAttackFlockController.h"
#include "game/controllers/CGolemController.h"
#include "game/controllers/CMinionController.h"
#include "game/controllers/CPlayerController.h"
#include "game/controllers/CSlimeController.h"
#include "game/controllers/CSpikeController.h"
#include "game/controllers/CTrampolineController.h"
#include "game/controllers/CUndeadController.h"
#include "game/entities/CBossEventTrigger.h"
#include "game/entities/CCameraLockTrigger.h"
#include "game/entities/CCameraWaypoint.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CCollisionBox.h"
#include "game/entities/CDestructible.h"
#include "game/entities/CDoodads.h"
#include "game/entities/CLocationBasedSpawnerTrigger.h"
#include "game/entities/CNonCollidableDestructible.h"
#include "game/entities/CPickupCatalogue.h"
#include "game/entities/CPickupItem.h"
#include "game/entities/CSoundTrigger.h"
#include "game/entities/CSpawnerTrigger.h"
#include "game/entities/CTrap.h"
#include "game/entities/CTriggerModifierTrigger.h"
#include "game/entities/CWaveLocation.h"
#include "game/fx/ParticlePickupServices.h"
#include "game/gui/CHoverController.h"
#include "game/gui/CLinearTweenController.h"
#include "game/gui/CRotationTweenController.h"

namespace Game {

namespace {

constexpr unsigned kObjectsPerPage = 16;

} // namespace

void RegisterEntityTypes()
{
    // Pickups show their collection effects as particles.
    CPickupCatalogue::GetInstance().SetServices(std::make_unique<CParticlePickupServices>());
    RegisterEntityType<CEntity>(GENERIC_ENT, "GENERIC_ENT", kObjectsPerPage);
    RegisterEntityType<CCharacter>(GENERIC_CHARACTER, "GENERIC_CHARACTER", kObjectsPerPage);
    RegisterEntityType<CDoodads>(GENERIC_DOODADS, "GENERIC_DOODADS", kObjectsPerPage);
    RegisterEntityType<CPickupItem>(PICKUPITEM, "PICKUPITEM", kObjectsPerPage);
    RegisterEntityType<CDestructible>(DESTRUCTIBLE_OBJECT, "DESTRUCTIBLE_OBJECT", kObjectsPerPage);
    RegisterEntityType<CTrap>(GENERIC_TRAPS, "GENERIC_TRAPS", kObjectsPerPage);
    RegisterEntityType<CNonCollidableDestructible>(NO_COLLISION_DESTRUCTIBLE_OBJECT, "NO_COLLISION_DESTRUCTIBLE_OBJECT",
                                                   kObjectsPerPage);
    RegisterEntityType<CCollisionBox>(COLLISIONBOX, "COLLISIONBOX", kObjectsPerPage);
    RegisterEntityType<CCameraWaypoint>(CAMERAWAYPOINT, "CAMERAWAYPOINT", kObjectsPerPage);
    RegisterEntityType<CWaveLocation>(WAVELOCATION, "WAVELOCATION", kObjectsPerPage);
    RegisterEntityType<CSoundTrigger>(SOUND_TRIGGER, "SOUND_TRIGGER", kObjectsPerPage);
    RegisterEntityType<CCameraLockTrigger>(CAMERA_LOCK_TRIGGER, "CAMERA_LOCK_TRIGGER", kObjectsPerPage);
    RegisterEntityType<CBossEventTrigger>(BOSS_EVENT_TRIGGER, "BOSS_EVENT_TRIGGER", kObjectsPerPage);
    RegisterEntityType<CSpawnerTrigger>(SPAWNER_TRIGGER, "SPAWNER_TRIGGER", kObjectsPerPage);
    RegisterEntityType<CTriggerModifierTrigger>(TRIGGERMODIFIER_TRIGGER, "TRIGGERMODIFIER_TRIGGER", kObjectsPerPage);
    RegisterEntityType<CLocationBasedSpawnerTrigger>(LOCATIONBASED_SPAWNER_TRIGGER, "LOCATIONBASED_SPAWNER_TRIGGER",
                                                     kObjectsPerPage);
}

void RegisterControllerTypes()
{
    RegisterControllerType<CPlayerController>(PLAYERCONTROLLER, "PLAYERCONTROLLER", kObjectsPerPage);
    RegisterControllerType<CMinionController>(MINION, "MINION", kObjectsPerPage);
    RegisterControllerType<CBoarController>(BOAR, "BOAR", kObjectsPerPage);
    RegisterControllerType<CBigBossController>(BIGBOSS, "BIGBOSS", kObjectsPerPage);
    RegisterControllerType<CUndeadController>(UNDEAD, "UNDEAD", kObjectsPerPage);
    RegisterControllerType<CApparationController>(APPARATION, "APPARATION", kObjectsPerPage);
    RegisterControllerType<CGolemController>(GOLEM, "GOLEM", kObjectsPerPage);
    RegisterControllerType<CSlimeController>(SLIME, "SLIME", kObjectsPerPage);
    RegisterControllerType<CSpikeController>(SPIKE, "SPIKE", kObjectsPerPage);
    RegisterControllerType<CTrampolineController>(TRAMPOLINE, "TRAMPOLINE", kObjectsPerPage);
    RegisterControllerType<CLinearTweenController>(LINEARTWEEN, "LINEARTWEEN", kObjectsPerPage);
    RegisterControllerType<CRotationTweenController>(ROTATIONTWEEN, "ROTATIONTWEEN", kObjectsPerPage);
    RegisterControllerType<CHoverController>(HOVERTWEEN, "HOVERTWEEN", kObjectsPerPage);
    RegisterSharedControllerType<CCollisionAvoidanceController>(COLLISION_AVOIDANCE, "COLLISION_AVOIDANCE",
                                                                kObjectsPerPage);
    RegisterSharedControllerType<CGenericAttackFlockController>(GENERIC_ATTACK_FLOCK, "GENERIC_ATTACK_FLOCK",
                                                                kObjectsPerPage);
}

} // namespace Game
