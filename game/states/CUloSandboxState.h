// CUloSandboxState ("uloSandboxArena"): free play of the level manager's current lineup level
// with a hand-placed set around the player - a dormant halfwood boss behind a boss trigger, four
// kobolds, two potions and three crates - under a reduced play sub-state machine ("start",
// "running", "endgame", "ended": no waves, score screen or sky). Escape pauses in any sub-state.
// Owns its sub-state machine and a contact-free box body; the screen's elements are destroyed
// through the GUI manager, the entities belong to the entity factory.
#pragma once

#include "core/CFiniteStateMachine.h"
#include "core/IGameState.h"
#include "game/entities/EntityHandle.h"

#include <memory>
#include <string>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
class CRigidBody;
} // namespace Vesk

namespace Game {

class CEntity;

class CUloSandboxState : public Vesk::IGameState {
public:
    CUloSandboxState();
    ~CUloSandboxState() override;

    void Init() override;
    void Cleanup() override;
    void Enter() override;
    void Exit() override;
    void Update(float dt) override;

    // Sub-state callbacks.
    void StartEnter();
    void StartUpdate(float dt);
    void StartExit();
    void EndgameEnter();
    void EndgameUpdate(float dt);
    void EndgameExit();
    void EndedEnter();
    bool IsRunning();
    bool IsLevelComplete();
    bool IsPlayOver();
    bool IsPhaseReset();

    // For tests: the current sub-state's name (empty outside Enter and Exit), the boss trigger.
    std::string GetSubStateName() const;
    CEntity* GetBossTrigger() const { return m_BossTrigger.Get(); }
    const std::vector<Vesk::CDisplayObject2D*>& GetScreenElements() const { return m_ScreenElements; }

private:
    void SpawnArena();
    void BuildSubStates();

    std::unique_ptr<Vesk::CFiniteStateMachine<CUloSandboxState>> m_pSubStates;
    std::vector<Vesk::CDisplayObject2D*> m_ScreenElements;
    std::vector<int> m_ScreenLayers;
    float m_Timer = 0.0f;
    EntityHandle m_BossTrigger;
    Vesk::CRigidBody* m_pBoxBody = nullptr;
};

} // namespace Game
