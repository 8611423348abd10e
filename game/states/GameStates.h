// The game's states. Screens not built yet run as placeholders under their own class names,
// so start-up, the hotkeys and the state stack already work with the real types.
#pragma once

#include "game/states/CCubeTestState.h"
#include "game/states/CPlaceholderState.h"
#include "game/states/CpmarlSandboxState.h"

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

class CPlayState : public CPlaceholderState {
public:
    CPlayState(const std::string& name, int level) : CPlaceholderState(name), m_Level(level) {}
    int GetLevel() const { return m_Level; }

private:
    int m_Level;
};

class CCtrlState : public CPlaceholderState {
public:
    explicit CCtrlState(const std::string& name) : CPlaceholderState(name) {}
};

} // namespace Game
