// The history of the editor's undoable edits: a list of owned packets, oldest first, and the
// position of the packet performed last (-1: nothing to undo). AddMessage drops the undone tail,
// appends the packet and performs it; Undo and Redo walk the history. When a packet makes a
// new entity in place of one it removed, every packet of the history is pointed at the new one.
#pragma once

#include "game/editor/LEMessagePackets.h"

#include "core/CSingleton.h"

#include <deque>
#include <memory>

namespace Game {

class CLevelEditorMessageSystem : public Vesk::CSingleton<CLevelEditorMessageSystem> {
public:
    ~CLevelEditorMessageSystem() override;

    void AddMessage(std::unique_ptr<iLEMessagePacket> packet);
    void Undo();
    void Redo();
    // Destroys every packet.
    void Clear();
    void Shutdown() override { Clear(); }

    size_t GetHistorySize() const { return m_History.size(); }
    int GetCurrentIndex() const { return m_CurrentIndex; }
    iLEMessagePacket* GetPacket(size_t index) const { return m_History[index].get(); }

private:
    void ForwardReplacement(iLEMessagePacket& packet);

    std::deque<std::unique_ptr<iLEMessagePacket>> m_History;
    int m_CurrentIndex = -1;
};

} // namespace Game
