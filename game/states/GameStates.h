// The game's states. Screens not built yet run as placeholders under their own class names,
// so start-up, the hotkeys and the state stack already work with the real types.
#pragma once

#include "game/gui/CHighscoreRecord.h"
#include "game/states/CCubeTestState.h"
#include "game/states/CPlaceholderState.h"
#include "game/states/CPlayState.h"
#include "game/states/CpmarlSandboxState.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Game {

class CUloSandboxState : public CPlaceholderState {
public:
    CUloSandboxState() : CPlaceholderState("UloSandbox") {}
};

class CPlimmSandboxState : public CPlaceholderState {
public:
    CPlimmSandboxState() : CPlaceholderState("PlimmSandbox") {}
};

class CRessaSandboxState : public CPlaceholderState {
public:
    CRessaSandboxState() : CPlaceholderState("RessaSandbox") {}
};

class CPhyState : public CPlaceholderState {
public:
    CPhyState() : CPlaceholderState("CPhyState") {}
};

class CMenuState : public CPlaceholderState {
public:
    CMenuState(const std::string& name, int level) : CPlaceholderState(name), m_Level(level) {}
    int GetLevel() const { return m_Level; }

private:
    int m_Level;
};

class CPauseState : public CPlaceholderState {
public:
    explicit CPauseState(const std::string& name) : CPlaceholderState(name) {}
};

// Holds the state it is to change to; until the change is built the held state is only deleted.
class CTransitInState : public CPlaceholderState {
public:
    CTransitInState(Vesk::IGameState* next, const std::string& name) : CPlaceholderState(name), m_pNext(next) {}
    Vesk::IGameState* GetNextState() const { return m_pNext.get(); }

private:
    std::unique_ptr<Vesk::IGameState> m_pNext;
};

// The name entry for a score that beats the lowest kept one of its level; its state name is empty.
class CHighscoreInputState : public CPlaceholderState {
public:
    CHighscoreInputState(uint32_t score, const std::string& levelName)
        : CPlaceholderState(""), m_Score(score), m_LevelName(levelName)
    {
    }
    uint32_t GetScore() const { return m_Score; }
    const std::string& GetLevelName() const { return m_LevelName; }

private:
    uint32_t m_Score;
    std::string m_LevelName;
};

class CCtrlState : public CPlaceholderState {
public:
    explicit CCtrlState(const std::string& name) : CPlaceholderState(name) {}
};

} // namespace Game
