#include "game/editor/CLELinker.h"

#include "game/base/GameEnums.h"
#include "game/editor/CLevelEditor.h"
#include "game/editor/CLevelEditorMessageSystem.h"
#include "game/editor/EditorTriggers.h"
#include "game/entities/CEntity.h"
#include "game/entities/CGameTrigger.h"

#include "devgui/IDevGUI.h"
#include "render/CRenderer.h"

namespace Game {

namespace {

CLELinker& Tool(void* clientData) { return *static_cast<CLELinker*>(clientData); }

// Collision boxes are never linked; the boxes of the rest are enlarged for the pick.
CEntity* PickLinkable(const CLevelEditor& editor) { return editor.PickEntityAtMouseExcluding({COLLISIONBOX}); }

struct LinkColour {
    uint8_t r, g, b;
};
constexpr LinkColour kTriggeringColour{255, 105, 180};
constexpr LinkColour kSlaveColours[] = {{148, 0, 211}, {122, 186, 122}, {2, 132, 130}};

void DrawLink(const CEntity& entity, const CGameTrigger& trigger, const LinkColour& colour)
{
    Vesk::CRenderer::GetInstance().DrawLine(entity.GetPosition(), trigger.GetPosition(), colour.r, colour.g, colour.b);
}

} // namespace

// Listener

CLELinkerListener::CLELinkerListener(CLevelEditor* owner, CLELinker* tool) : m_Owner(owner), m_Tool(tool)
{
    m_Enabled = false;
}

void CLELinkerListener::OnMouseDown(const Vesk::MouseEvent& event)
{
    if (event.button == 0)
        m_Pressed = EntityHandle(PickLinkable(*m_Owner));
}

void CLELinkerListener::OnMouseUp(const Vesk::MouseEvent& event)
{
    CEntity* pressed = m_Pressed.Get();
    m_Pressed.Reset();
    if (event.button != 0 || !pressed)
        return;
    CEntity* released = PickLinkable(*m_Owner);
    if (released && released != pressed)
        m_Tool->Link(pressed, released);
}

// Tool

CLELinker::CLELinker(CLevelEditor* owner) : m_Owner(owner), m_Listener(std::make_unique<CLELinkerListener>(owner, this))
{
}

CLELinker::~CLELinker() { Vesk::IDevGUI::DeleteBar(m_Bar); }

void CLELinker::SetSlaveGroup(uint32_t group) { m_SlaveGroup = group > kLastSlaveGroup ? kLastSlaveGroup : group; }

void CLELinker::Show()
{
    if (HasBar())
        return;
    using Vesk::IDevGUI;
    m_Bar = IDevGUI::NewBar(kBarName);
    IDevGUI::Define(
        "LinkerBar position='1050 10' size='250 350' valueswidth=fit fontsize='2' help='Links entities to triggers'");
    m_Bar.AddSeparator();
    m_Bar.AddSeparator();
    const struct {
        const char* name;
        const char* definition;
        int separatorsAfter;
    } texts[] = {
        {"LinkerText1", "label='Hold LMB on an entity to link it,'", 0},
        {"LinkerText2", "label='then release the LMB on a trigger'", 1},
        {"TriggerLinkText1", "label='Pink represents triggering entities'", 1},
        {"TriggerLinkText2", "label='Purple represents group 0 slaves'", 0},
        {"TriggerLinkText3", "label='Vantry(light) Green represents group 1 slaves'", 0},
        {"TriggerLinkText4", "label='Teal(darkgreen) represents group 2 slaves'", 2},
    };
    for (const auto& text : texts) {
        m_Bar.AddButton(text.name, nullptr, this, text.definition);
        for (int i = 0; i < text.separatorsAfter; ++i)
            m_Bar.AddSeparator();
    }
    m_Bar.AddVarCB(
        "LinkModeVar", IDevGUI::DefineEnum("LinkModeEnum", {}),
        [](const void* v, void* c) { Tool(c).m_LinkMode = uint32_t(*static_cast<const int32_t*>(v)); },
        [](void* v, void* c) { *static_cast<int32_t*>(v) = int32_t(Tool(c).m_LinkMode); }, this,
        "label='Link Mode' enum='0 {Link Triggering entities}, 1 {Link Slave Entities}' key='`'");
    m_Bar.AddVarCB(
        "TriggerSlaveGroupVar", devgui::TYPE_UINT32,
        [](const void* v, void* c) { Tool(c).SetSlaveGroup(*static_cast<const uint32_t*>(v)); },
        [](void* v, void* c) { *static_cast<uint32_t*>(v) = Tool(c).GetSlaveGroup(); }, this, "label='Slave Group'");
    constexpr int kEvery = UnlinkEntitiesMessagePacket::kEverySlaveGroup;
    m_Bar.AddButton(
        "RemoveTriggeringLinksBtn", [](void* c) { Tool(c).RemoveLinks(true, kEvery); }, this,
        "label='Remove All Triggering Entities from trigger'");
    m_Bar.AddButton(
        "RemoveSlaveGroupBtn", [](void* c) { Tool(c).RemoveLinks(false, int(Tool(c).GetSlaveGroup())); }, this,
        "label='Remove Slave Entities of current slave group from trigger'");
    m_Bar.AddButton(
        "RemoveAllSlaveEntsBtn", [](void* c) { Tool(c).RemoveLinks(false, kEvery); }, this,
        "label='Remove All Slave Entities from trigger'");
    m_Bar.AddButton(
        "RemoveConnectedEntLinksBtn",
        [](void* c) {
            Tool(c).RemoveLinks(false, kEvery);
            Tool(c).RemoveLinks(true, kEvery);
        },
        this, "label='Remove All Connected Entities from trigger'");
    m_Listener->m_Enabled = true;
}

void CLELinker::Hide()
{
    Vesk::IDevGUI::DeleteBar(m_Bar);
    m_Listener->m_Enabled = false;
}

void CLELinker::DrawLinks() const
{
    for (const CGameTrigger* trigger : LiveGameTriggers()) {
        for (const CEntity* entity : trigger->GetTriggeringEntities())
            DrawLink(*entity, *trigger, kTriggeringColour);
        for (const auto& [group, slave] : trigger->GetSlaveEntries())
            if (group >= 0 && group <= int(kLastSlaveGroup))
                DrawLink(*slave, *trigger, kSlaveColours[group]);
    }
}

void CLELinker::Link(CEntity* pressed, CEntity* released)
{
    auto packet = std::make_unique<LinkEntityMessagePacket>();
    packet->m_FirstEntity = EntityHandle(pressed);
    packet->m_SecondEntity = EntityHandle(released);
    packet->m_LinkMode = m_LinkMode;
    packet->m_SlaveGroup = m_SlaveGroup;
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(packet));
    RefreshSlaveVisibility({});
}

void CLELinker::RemoveLinks(bool triggering, int group)
{
    auto packet = std::make_unique<UnlinkEntitiesMessagePacket>();
    packet->m_Triggering = triggering;
    packet->m_SlaveGroup = group;
    if (auto* trigger = dynamic_cast<CGameTrigger*>(m_Owner->GetSelectedEntity()))
        packet->m_Trigger = EntityHandle(trigger);
    const UnlinkEntitiesMessagePacket* unlink = packet.get();
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(packet));
    std::vector<CEntity*> unlinked;
    for (const auto& link : unlink->m_RemovedLinks)
        if (CEntity* entity = link.second.Get())
            unlinked.push_back(entity);
    RefreshSlaveVisibility(unlinked);
}

void CLELinker::RefreshSlaveVisibility(const std::vector<CEntity*>& unlinked) const
{
    for (CEntity* entity : unlinked)
        entity->SetVisible(true);
    m_Owner->ShowSlaves(m_Owner->AreSlavesShown());
}

} // namespace Game
