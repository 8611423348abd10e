// CSplashState ("SplashState"): the game's logo screen ("splash.xml"). It applies the stored
// music volume and goes on to the title and main menu after its two-second logo transition or on
// the first confirming input, whichever comes first.
#pragma once

#include "game/states/CMenuBoundScreen.h"

#include <memory>

namespace Game {

// A timed splash transition: Update reports when it has finished.
class ITransition {
public:
    virtual ~ITransition() = default;
    virtual bool Update(float) { return true; }
};

// Finished two seconds after it began; owns the state it leads to until that is taken.
class LogoTransition : public ITransition {
public:
    static constexpr float kDuration = 2.0f;

    explicit LogoTransition(Vesk::IGameState* target) : m_pTarget(target) {}
    bool Update(float dt) override;
    // The state to go to, handed over (null once taken).
    Vesk::IGameState* TakeTarget() { return m_pTarget.release(); }

private:
    float m_Elapsed = 0.0f;
    std::unique_ptr<Vesk::IGameState> m_pTarget;
};

class CSplashState : public CMenuBoundScreen {
public:
    explicit CSplashState(const std::string& name);
    ~CSplashState() override;

    void Enter() override;
    void Exit() override;
    void Update(float dt) override;

private:
    std::unique_ptr<LogoTransition> m_pTransition;
};

} // namespace Game
