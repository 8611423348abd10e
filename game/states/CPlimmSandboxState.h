// CPlimmSandboxState (initial state "PlimmSandbox"): the particle effects on trial in front of the
// "objectcam": falling red, green and blue confetti, a portal gathering 9000 particles and two
// fires, with a meter bar and a skill pocket beside the "SkillPocket" picture for the GUI keys.
// Keys, on the frame they go down: Y and U fill and drain the meter by 10, I starts and stops its
// blinking, T swaps the pocket's icons, Space restarts the confetti, P restarts the portal and the
// fires and moves the portal to the middle. Owns its emitters, the picture, the meter bar and the
// skill pocket.
#pragma once

#include "core/IGameState.h"
#include "game/fx/CParticleManager.h"

#include <array>
#include <memory>

namespace Game {

class CMeterBar;
class CSkillPocket;
class CUIDisplay2D;

class CPlimmSandboxState : public Vesk::IGameState {
public:
    enum Emitter { Red, Green, Blue, Portal, Burn, BurnOnce, kEmitterCount };

    CPlimmSandboxState();
    ~CPlimmSandboxState() override;

    void Enter() override;
    void Exit() override;
    void Update(float dt) override;

    CParticleEmitter* GetEmitter(int which) const;
    CMeterBar* GetMeterBar() const { return m_pMeterBar; }
    CSkillPocket* GetSkillPocket() const { return m_pSkillPocket.get(); }
    bool IsBlinking() const { return m_Blinking; }

private:
    void CreateGui();
    void DestroyGui();

    std::array<RegisteredEmitter, kEmitterCount> m_Emitters;
    CUIDisplay2D* m_pPocketPicture = nullptr;
    CMeterBar* m_pMeterBar = nullptr;
    std::unique_ptr<CSkillPocket> m_pSkillPocket;
    bool m_Blinking = false;
};

} // namespace Game
