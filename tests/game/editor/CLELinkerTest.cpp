// The linker tool over the empty level with two crates, a spawner, a trigger modifier and a
// collision box, seen from above: a press on one entity and a release on another make the link
// of the bar's mode and group; a release on the same entity or on nothing makes no edit; the bar's
// buttons unlink the selected trigger, and Undo brings every link back. The links are drawn in
// their colours on the Linker layer only, slaves follow the show-slaves switch, and an entity
// deleted between press and release makes no link.
#include "EditorStateFixture.h"
#include "EditorTestSupport.h"

#include "game/base/GameEnums.h"
#include "game/editor/CLELinker.h"
#include "game/entities/CGameTrigger.h"

#include "devgui/IDevGUI.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Game::CEntity;
using Game::CGameTrigger;
using Game::CLELinker;
using Game::CLevelEditor;

class LinkerTest : public editortest::EditorStateFixture {
protected:
    void SetUp() override
    {
        EditorStateFixture::SetUp();
        Levels().SetNewLevel();
        Play(1);
        m_CrateA = Make(Game::DESTRUCTIBLE_OBJECT, "crateA", CVector3D(40, 4, 100), 4);
        m_CrateB = Make(Game::DESTRUCTIBLE_OBJECT, "crateB", CVector3D(100, 4, 100), 4);
        m_Spawner = Make(Game::SPAWNER_TRIGGER, "spawner", CVector3D(40, 10, 40), 10);
        m_Modifier = Make(Game::TRIGGERMODIFIER_TRIGGER, "modifier", CVector3D(100, 10, 40), 10);
        // A collision box above crate B, nearer to the eye.
        m_Box = Make(Game::COLLISIONBOX, "box", CVector3D(100, 30, 100), 8);
        ASSERT_NO_FATAL_FAILURE(OpenEditor());
        Editor().ChangeLayer(CLevelEditor::LinkerLayer);
        LookAtFrom(CVector3D(70, 0, 70), CVector3D(0, 400, 0.01f), 0.75f);
        Frame();
    }

    static CEntity* Make(int type, const std::string& name, const CVector3D& at, float size)
    {
        Game::EntitySetting setting;
        setting.m_DimX = setting.m_DimY = setting.m_DimZ = size;
        setting.m_StartPosition = at;
        CEntity* entity = type >= Game::SOUND_TRIGGER
                              ? Factory().CreateGameTrigger(type, name, setting, Game::GameTriggerSetting())
                              : Factory().CreateEntity(type, name, setting);
        EXPECT_NE(entity, nullptr) << name;
        return entity;
    }

    static CLELinker& Tool() { return *Editor().GetLinker(); }
    static devgui::Panels& Panels() { return Vesk::IDevGUI::GetInstance().GetPanels(); }
    static CGameTrigger& Spawner() { return *dynamic_cast<CGameTrigger*>(Factory().GetEntityByName("spawner")); }
    CGameTrigger& Modifier() const { return *dynamic_cast<CGameTrigger*>(m_Modifier); }

    // Press over the first point, release over the second (null: the bare ground).
    void PressAndRelease(const CVector3D& from, const CVector3D& to)
    {
        AimAt(from);
        Button(true);
        AimAt(to);
        Button(false);
    }

    static std::vector<CEntity*> SlavesOf(const CGameTrigger& trigger, int group)
    {
        std::vector<CEntity*> slaves;
        for (const auto& [g, entity] : trigger.GetSlaveEntries())
            if (g == group)
                slaves.push_back(entity);
        return slaves;
    }

    // The queued debug lines of the colour, as vertex pairs' count.
    static size_t LinesOfColour(uint8_t r, uint8_t g, uint8_t b)
    {
        const uint32_t colour = Vesk::CRenderer::PackColour(r, g, b, 255);
        const auto& vertices = Vesk::CRenderer::GetInstance().GetQueuedLines();
        return size_t(std::count_if(vertices.begin(), vertices.end(),
                                    [colour](const Vesk::CRenderer::DebugVertex& v) { return v.colour == colour; })) /
               2;
    }

    CEntity *m_CrateA = nullptr, *m_CrateB = nullptr, *m_Spawner = nullptr, *m_Modifier = nullptr, *m_Box = nullptr;
};

TEST_F(LinkerTest, PressAndReleaseLinkByTheBarsModeAndGroup)
{
    ASSERT_TRUE(Tool().HasBar());
    const CVector3D a = m_CrateA->GetPosition(), b = m_CrateB->GetPosition(), spawner = m_Spawner->GetPosition();
    const CVector3D modifier = m_Modifier->GetPosition(), ground(70, 2, 130);
    const struct {
        const char* what;
        CVector3D press, release;
        uint32_t mode, group;
        bool packet;
        const char* message;
    } rows[] = {
        {"unit onto trigger, triggering", a, spawner, 0, 0, true, "Entity successfully linked"},
        {"trigger onto unit, slave group 2", spawner, a, 1, 2, true, "Entity successfully linked"},
        {"same entity", a, a, 0, 0, false, nullptr},
        {"onto nothing", a, ground, 0, 0, false, nullptr},
        {"two units", a, b, 0, 0, true, "Failed to link entities. Both types are units!"},
        {"through the collision box to crate B", b, spawner, 0, 0, true, "Entity successfully linked"},
        {"spawner as slave of the modifier", spawner, modifier, 1, 1, true, "Triggers successfully linked"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Tool().m_LinkMode = row.mode;
        Tool().SetSlaveGroup(row.group);
        Game::WriteEditorMessage("");
        const size_t packets = History().GetHistorySize();
        PressAndRelease(row.press, row.release);
        EXPECT_EQ(History().GetHistorySize(), packets + (row.packet ? 1 : 0));
        EXPECT_EQ(Line27(), row.message ? row.message : "");
        EXPECT_EQ(Tool().GetListener().GetPressedEntity(), nullptr);
    }
    const std::vector<CEntity*> triggering = Spawner().GetTriggeringEntities();
    EXPECT_EQ(triggering, (std::vector<CEntity*>{m_CrateA, m_CrateB}));
    EXPECT_EQ(SlavesOf(Spawner(), 2), std::vector<CEntity*>{m_CrateA});
    EXPECT_EQ(SlavesOf(Modifier(), 1), std::vector<CEntity*>{m_Spawner});

    // Every edit comes undone, in reverse.
    while (History().GetCurrentIndex() >= 0)
        History().Undo();
    EXPECT_TRUE(Spawner().GetTriggeringEntities().empty());
    EXPECT_TRUE(Spawner().GetSlaveEntries().empty());
    EXPECT_TRUE(Modifier().GetSlaveEntries().empty());
}

TEST_F(LinkerTest, TheBarsButtonsUnlinkTheSelectedTriggerUndoably)
{
    devgui::Value group;
    group.u = 7;
    ASSERT_TRUE(Panels().SetValue(CLELinker::kBarName, "TriggerSlaveGroupVar", group));
    EXPECT_EQ(Tool().GetSlaveGroup(), 2u);

    // Without a selection the buttons report so.
    ASSERT_TRUE(Panels().Press(CLELinker::kBarName, "RemoveAllSlaveEntsBtn"));
    EXPECT_EQ(Line27(), "No entity selected");

    Spawner().AddTriggeringEntity(m_CrateA);
    Spawner().AddSlaveEntity(m_CrateB, 0);
    Spawner().AddSlaveEntity(m_CrateA, 2);
    // A click on the spawner selects it and links nothing.
    const size_t packets = History().GetHistorySize();
    PressAndRelease(m_Spawner->GetPosition(), m_Spawner->GetPosition());
    ASSERT_EQ(Editor().GetSelectedEntity(), m_Spawner);
    EXPECT_EQ(History().GetHistorySize(), packets);

    ASSERT_TRUE(Panels().Press(CLELinker::kBarName, "RemoveSlaveGroupBtn"));
    EXPECT_EQ(SlavesOf(Spawner(), 0), std::vector<CEntity*>{m_CrateB});
    EXPECT_TRUE(SlavesOf(Spawner(), 2).empty());
    ASSERT_TRUE(Panels().Press(CLELinker::kBarName, "RemoveConnectedEntLinksBtn"));
    EXPECT_EQ(History().GetHistorySize(), packets + 3);
    EXPECT_EQ(Line27(), "GameTrigger successfully unlinked connected entities");
    EXPECT_TRUE(Spawner().GetTriggeringEntities().empty());
    EXPECT_TRUE(Spawner().GetSlaveEntries().empty());
    History().Undo();
    History().Undo();
    EXPECT_EQ(Spawner().GetTriggeringEntities(), std::vector<CEntity*>{m_CrateA});
    EXPECT_EQ(SlavesOf(Spawner(), 0), std::vector<CEntity*>{m_CrateB});
    History().Undo();
    EXPECT_EQ(SlavesOf(Spawner(), 2), std::vector<CEntity*>{m_CrateA});
}

TEST_F(LinkerTest, LinksAreDrawnOnTheLinkerLayerAndSlavesFollowTheShowSwitch)
{
    Spawner().AddTriggeringEntity(m_CrateA);
    Spawner().AddSlaveEntity(m_CrateB, 0);
    Spawner().AddSlaveEntity(m_CrateA, 1);
    Spawner().AddSlaveEntity(m_CrateB, 2);
    Editor().Update(0.0f);
    EXPECT_EQ(LinesOfColour(255, 105, 180), 1u);
    EXPECT_EQ(LinesOfColour(148, 0, 211), 1u);
    EXPECT_EQ(LinesOfColour(122, 186, 122), 1u);
    EXPECT_EQ(LinesOfColour(2, 132, 130), 1u);
    Frame();
    KeepPicture("LinkerTest_links");
    Editor().ChangeLayer(CLevelEditor::UnitsLayer);
    Editor().Update(0.0f);
    EXPECT_EQ(LinesOfColour(255, 105, 180), 0u);
    EXPECT_EQ(LinesOfColour(148, 0, 211), 0u);
    Editor().ChangeLayer(CLevelEditor::LinkerLayer);

    // The editor shows the slaves while it is open; the bar's switch hides them, and a slave
    // linked meanwhile hides with them. An entity unlinked while hidden is shown again.
    EXPECT_TRUE(m_CrateB->IsVisible());
    ASSERT_TRUE(Panels().Press("Menus", "ShowSlavesBtn"));
    EXPECT_FALSE(m_CrateB->IsVisible());
    EXPECT_FALSE(m_CrateA->IsVisible());
    CEntity* crateC = Make(Game::DESTRUCTIBLE_OBJECT, "crateC", CVector3D(70, 4, 100), 4);
    Tool().m_LinkMode = CLELinker::LinkSlaves;
    Tool().SetSlaveGroup(0);
    PressAndRelease(crateC->GetPosition(), m_Spawner->GetPosition());
    EXPECT_EQ(SlavesOf(Spawner(), 0), (std::vector<CEntity*>{m_CrateB, crateC}));
    EXPECT_FALSE(crateC->IsVisible());
    Editor().SelectEntity(m_Spawner);
    ASSERT_TRUE(Panels().Press(CLELinker::kBarName, "RemoveAllSlaveEntsBtn"));
    EXPECT_TRUE(crateC->IsVisible());
    EXPECT_TRUE(m_CrateB->IsVisible());
    // Crate A is still a triggering entity, which the switch leaves alone.
    EXPECT_TRUE(m_CrateA->IsVisible());
}

// The pressed entity is a checked handle: deleted before the release, nothing is linked; a link
// whose entity is deleted afterwards undoes harmlessly.
TEST_F(LinkerTest, EntitiesDeletedUnderAHeldHandleMakeNoLink)
{
    AimAt(m_CrateA->GetPosition());
    Button(true);
    ASSERT_EQ(Tool().GetListener().GetPressedEntity(), m_CrateA);
    Factory().DestroyEntity(m_CrateA);
    EXPECT_EQ(Tool().GetListener().GetPressedEntity(), nullptr);
    AimAt(m_Spawner->GetPosition());
    Button(false);
    EXPECT_EQ(History().GetHistorySize(), 0u);
    EXPECT_TRUE(Spawner().GetTriggeringEntities().empty());

    PressAndRelease(m_CrateB->GetPosition(), m_Spawner->GetPosition());
    ASSERT_EQ(History().GetHistorySize(), 1u);
    Factory().DestroyEntity(m_CrateB);
    History().Undo();
    EXPECT_EQ(Line27(), Game::kEditEntityGone);
    History().Redo();
    EXPECT_TRUE(Spawner().GetTriggeringEntities().empty());
}

} // namespace
