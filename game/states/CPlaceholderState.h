// A game state whose screen is not built yet: it runs, draws nothing, and reports its
// lifecycle calls on standard output ("state <name>: <call>") so runs can be followed.
#pragma once

#include "core/IGameState.h"

namespace Game {

class CPlaceholderState : public Vesk::IGameState {
public:
    explicit CPlaceholderState(const std::string& name);
    ~CPlaceholderState() override;

    void Init() override;
    void Cleanup() override;
    void Enter() override;
    void Exit() override;
    void Pause() override;
    void Resume() override;
    void Update(float dt) override;
    // It stands for a screen, so a level below it stands still.
    bool HoldsWorldStill() const override { return true; }

private:
    void Report(const char* call) const;
};

} // namespace Game
