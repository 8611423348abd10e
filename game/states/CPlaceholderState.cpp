#include "game/states/CPlaceholderState.h"

#include <cstdio>

namespace Game {

CPlaceholderState::CPlaceholderState(const std::string& name) : IGameState(name) {}

CPlaceholderState::~CPlaceholderState() { Report("Delete"); }

void CPlaceholderState::Report(const char* call) const
{
    std::printf("state %s: %s\n", m_Name.c_str(), call);
    std::fflush(stdout);
}

void CPlaceholderState::Init() { Report("Init"); }
void CPlaceholderState::Cleanup() { Report("Cleanup"); }
void CPlaceholderState::Enter() { Report("Enter"); }
void CPlaceholderState::Exit() { Report("Exit"); }
void CPlaceholderState::Pause() { Report("Pause"); }
void CPlaceholderState::Resume() { Report("Resume"); }
void CPlaceholderState::Update(float) {}

} // namespace Game
