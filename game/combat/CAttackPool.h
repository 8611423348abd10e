// CAttackPool: every named attack of the game. It reads the attack definitions once, on first use,
// from "assets/attacks.xml"; spawns live attacks (pooled copies of definitions with a box body
// beside their user), steps them and resolves their hits once a frame, and frees them when they
// end. It owns the live attacks with their bodies and sprites, and the three spark emitters that
// show where hits land.
#pragma once

#include "core/CObjectAllocator.h"
#include "core/CSingleton.h"
#include "game/combat/AttackRecord.h"
#include "game/combat/AttackXml.h"

#include <array>
#include <list>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Game {

class CEntity;
class CParticleEmitter;

class CAttackPool : public Vesk::CSingleton<CAttackPool> {
public:
    static constexpr const char* kAttackFile = "assets/attacks.xml";
    static constexpr unsigned kAttacksPerPage = 32;
    static constexpr unsigned kSparkCount = 3;

    // No definitions until LoadDefinitions (the game's start-up reads kAttackFile).
    CAttackPool();
    // Frees the live attacks' records; their bodies are the physics system's by then.
    ~CAttackPool() override;

    // Creates the spark emitters ("spark_effect", 10 particles) and registers them with the
    // particle manager.
    bool Init() override;
    // Removes the spark emitters and frees every live attack; the definitions stay.
    void Shutdown() override;

    // A live attack of the named definition beside the user; null when there is no such
    // definition (logged once per name) or no user.
    AttackRecord* SpawnAttack(CEntity* user, const std::string& name);
    // Steps every live attack, resolves the hits of the effective ones, then frees the attacks
    // queued for removal.
    void Update(float dt);
    // Frees the attack at the end of the current (or next) Update.
    void QueueRemoval(AttackRecord* attack);

    // The definition of that name, for callers that time their actions by an attack; null when
    // there is none, logged once per name.
    const AttackRecord* FindDefinition(const std::string& name);
    // Replaces the definitions by those of the file; false (and none) when it does not load.
    bool LoadDefinitions(const std::string& path);
    void ClearDefinitions();
    const AttackDefinitions& GetDefinitions() const { return m_Definitions; }

    // The live attacks in spawn order.
    const std::list<AttackRecord*>& GetActiveAttacks() const { return m_ActiveAttacks; }
    // The spark emitter the next hit uses (0, 1, 2, 0, ...).
    unsigned GetSparkIndex() const { return m_SparkIndex; }
    // Null outside Init and Shutdown.
    CParticleEmitter* GetSparkEmitter(unsigned index) const { return m_Sparks.at(index).get(); }
    // Shows a spark at the point with the next spark emitter in turn.
    void ShowSpark(const CVector3D& point);

private:
    void ReleaseSparks();
    void FreeAttack(AttackRecord* attack);
    void FreeQueuedAttacks();

    Vesk::CObjectAllocator<AttackRecord> m_Allocator{kAttacksPerPage};
    std::list<AttackRecord*> m_ActiveAttacks;
    std::vector<AttackRecord*> m_RemovalList;
    AttackDefinitions m_Definitions;
    // Names already reported missing.
    std::set<std::string> m_MissingNames;
    std::array<std::unique_ptr<CParticleEmitter>, kSparkCount> m_Sparks;
    unsigned m_SparkIndex = 0;
};

} // namespace Game
