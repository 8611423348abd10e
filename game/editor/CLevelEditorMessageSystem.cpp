#include "game/editor/CLevelEditorMessageSystem.h"

namespace Game {

CLevelEditorMessageSystem::~CLevelEditorMessageSystem() { Clear(); }

void CLevelEditorMessageSystem::AddMessage(std::unique_ptr<iLEMessagePacket> packet)
{
    if (!packet)
        return;
    while (int(m_History.size()) - 1 > m_CurrentIndex)
        m_History.pop_back();
    m_History.push_back(std::move(packet));
    m_CurrentIndex = int(m_History.size()) - 1;
    iLEMessagePacket& current = *m_History.back();
    current.Execute();
    ForwardReplacement(current);
}

void CLevelEditorMessageSystem::Undo()
{
    if (m_History.empty() || m_CurrentIndex < 0)
        return;
    iLEMessagePacket& current = *m_History[size_t(m_CurrentIndex)];
    --m_CurrentIndex;
    current.Undo();
    ForwardReplacement(current);
}

void CLevelEditorMessageSystem::Redo()
{
    if (m_History.empty() || m_CurrentIndex >= int(m_History.size()) - 1)
        return;
    ++m_CurrentIndex;
    iLEMessagePacket& current = *m_History[size_t(m_CurrentIndex)];
    current.Execute();
    ForwardReplacement(current);
}

void CLevelEditorMessageSystem::Clear()
{
    m_History.clear();
    m_CurrentIndex = -1;
}

void CLevelEditorMessageSystem::ForwardReplacement(iLEMessagePacket& packet)
{
    EntityHandle from, to;
    if (!packet.TakeReplacement(from, to))
        return;
    for (const auto& other : m_History)
        if (other.get() != &packet)
            other->RetargetEntity(from, to);
}

} // namespace Game
