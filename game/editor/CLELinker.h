// The level editor's linker tool, active on the Linker layer. Pressing the left button on one
// entity and releasing it on another links them, one of them a game trigger: the other becomes a
// triggering entity of the trigger, or a slave in one of three slave groups. The bar's buttons
// remove the links of the selected trigger. Every change is an undoable edit packet; while the
// layer is active every link is drawn as a line coloured by its kind. The pressed entity is held
// by a checked handle. Owns its bar ("LinkerBar") and its listener.
#pragma once

#include "game/entities/EntityHandle.h"

#include "devgui/CDevGUIBar.h"
#include "input/IMouseListener.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Game {

class CEntity;
class CLevelEditor;
class CLELinker;

class CLELinkerListener : public Vesk::IMouseListener {
public:
    CLELinkerListener(CLevelEditor* owner, CLELinker* tool);

    void OnMouseDown(const Vesk::MouseEvent& event) override;
    void OnMouseUp(const Vesk::MouseEvent& event) override;
    void OnMouseWheel(const Vesk::MouseEvent&) override {}
    void OnMouseMove(const Vesk::MouseEvent&) override {}

    // The entity the left button went down on, while it is held and the entity lives.
    CEntity* GetPressedEntity() const { return m_Pressed.Get(); }

private:
    CLevelEditor* m_Owner;
    CLELinker* m_Tool;
    EntityHandle m_Pressed;
};

class CLELinker {
public:
    enum LinkMode : uint32_t { LinkTriggering = 0, LinkSlaves = 1 };
    static constexpr const char* kBarName = "LinkerBar";
    static constexpr uint32_t kLastSlaveGroup = 2;

    explicit CLELinker(CLevelEditor* owner);
    ~CLELinker();
    CLELinker(const CLELinker&) = delete;
    CLELinker& operator=(const CLELinker&) = delete;

    // Builds the bar and enables the listener when there is no bar.
    void Show();
    void Hide();
    // A debug line from every linked entity to its trigger: triggering entities pink, slaves of
    // groups 0, 1 and 2 purple, light green and teal.
    void DrawLinks() const;
    // An unlink packet for the selected trigger: its triggering entities, or its slaves of the
    // group (99: every group).
    void RemoveLinks(bool triggering, int group);
    // A link packet for the pair, in the tool's mode and slave group.
    void Link(CEntity* pressed, CEntity* released);

    uint32_t m_LinkMode = LinkTriggering;
    uint32_t GetSlaveGroup() const { return m_SlaveGroup; }
    // Groups above the last are stored as the last.
    void SetSlaveGroup(uint32_t group);

    bool HasBar() const { return !m_Bar.IsEmpty(); }
    CLELinkerListener& GetListener() { return *m_Listener; }

private:
    // After a change of links: slaves follow the editor's show-slaves switch, and entities that
    // are no longer slaves are shown.
    void RefreshSlaveVisibility(const std::vector<CEntity*>& unlinked) const;

    uint32_t m_SlaveGroup = 0;
    CLevelEditor* m_Owner;
    Vesk::CDevGUIBar m_Bar;
    std::unique_ptr<CLELinkerListener> m_Listener;
};

} // namespace Game
