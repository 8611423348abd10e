// The spatials tool: a table of clicks and moves with the entity each placement makes (a right
// click cancels, modes without an entity type make none and say so), Undo takes the entity away,
// the placement planes' keys and grid alignment, clicks that miss the plane, and the bar's
// mode-dependent variables.
#include "EditorTestSupport.h"

#include "game/base/GameEnums.h"
#include "game/cameras/CLevelEditorCamera.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/editor/CLESpatialsTool.h"
#include "game/entities/CGameTrigger.h"

#include "devgui/IDevGUI.h"
#include "input/CInputManager.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"

namespace {

using Game::CLESpatialsTool;

class SpatialsToolTest : public editortest::EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        ASSERT_TRUE(Manager().LoadLevel(""));
        m_Camera = Vesk::CCameraManager::GetInstance().CreateCamera<Game::CLevelEditorCamera>("editorcamera", true);
        m_Tool = std::make_unique<CLESpatialsTool>();
        m_Tool->Show();
    }

    void TearDown() override
    {
        m_Tool.reset();
        for (uint32_t key : {uint32_t('Q'), uint32_t('E'), uint32_t(win::VK_UP), uint32_t(win::VK_DOWN)})
            SetKey(key, false);
        EditorFixture::TearDown();
    }

    // The pointer (the middle of the view) over a point of the ground, looking straight down.
    void AimDown(float x, float z)
    {
        m_Camera->SetEye(CVector3D(x, 150.0f, z + 0.01f));
        m_Camera->SetLookAt(CVector3D(x, 0.0f, z));
    }
    // Looking along -z at a point from 100 in front of it.
    void AimAcross(float x, float y, float z)
    {
        m_Camera->SetEye(CVector3D(x, y, z + 100.0f));
        m_Camera->SetLookAt(CVector3D(x, y, z));
    }

    static Vesk::MouseEvent Pointer(int button, int pixelY)
    {
        Vesk::MouseEvent event;
        event.fx = event.fy = 0.5f;
        event.y = pixelY;
        event.button = button;
        return event;
    }

    static void SetKey(uint32_t key, bool held)
    {
        Vesk::WindowEvent event;
        event.message = held ? win::WM_KEYDOWN : win::WM_KEYUP;
        event.key = key;
        Vesk::CInputManager::OnWindowEvent(event);
        Vesk::CInputManager::GetInstance().EndFrame();
        Vesk::CInputManager::GetInstance().BeginFrame();
    }

    Game::CEntity* LastCreated() const
    {
        if (History().GetHistorySize() == 0)
            return nullptr;
        auto* packet =
            dynamic_cast<Game::CreateEntityMessagePacket*>(History().GetPacket(History().GetHistorySize() - 1));
        return packet ? packet->m_ResultantEntity.Get() : nullptr;
    }

    Vesk::CCamera* m_Camera = nullptr;
    std::unique_ptr<CLESpatialsTool> m_Tool;
};

// One input: the pointer's place (aimed down at (x, z), or across at the vertical plane's (x, y))
// and what happens there.
struct Input {
    enum Kind { Up, Move } kind;
    int button;
    float x, z; // ground point, or x and y across
    int pixelY;
    bool across = false;
};

TEST_F(SpatialsToolTest, ClickAndMoveTable)
{
    using I = Input;
    // The box from (0, 0, 0) to (4, 0, 2), raised by 10 pixels.
    const std::vector<Input> box = {{I::Up, 0, 0.0f, 0.0f, 300},
                                    {I::Move, 0, 4.0f, 2.0f, 300},
                                    {I::Up, 0, 4.0f, 2.0f, 300},
                                    {I::Move, 0, 4.0f, 2.0f, 290},
                                    {I::Up, 0, 4.0f, 2.0f, 290}};
    std::vector<Input> cancelled = {{I::Up, 0, 0.0f, 0.0f, 300},
                                    {I::Move, 0, 4.0f, 2.0f, 300},
                                    {I::Up, 0, 4.0f, 2.0f, 300},
                                    {I::Up, 1, 4.0f, 2.0f, 290}};
    // Three clicks without raising the pointer: no height.
    const std::vector<Input> flat = {box[0], box[1], box[2], {I::Up, 0, 4.0f, 2.0f, 300}};
    std::vector<Input> restarted = cancelled;
    restarted.insert(restarted.end(), box.begin(), box.end());
    struct Row {
        const char* name;
        uint32_t mode, waypointType, triggerType;
        std::vector<Input> inputs;
        int type;               // of the entity made, -1 for none
        CVector3D size, centre; // of the entity made
        const char* line;       // the message line afterwards
    } rows[] = {
        {"collision box",
         CLESpatialsTool::CollisionBoxes,
         0,
         12,
         box,
         Game::COLLISIONBOX,
         {4, 5, 2},
         {2, 2.5f, 1},
         "Entity successfully created."},
        {"a right click cancels", CLESpatialsTool::CollisionBoxes, 0, 12, cancelled, -1, {}, {}, ""},
        {"a box without height makes nothing",
         CLESpatialsTool::CollisionBoxes,
         0,
         12,
         flat,
         -1,
         {},
         {},
         "Nothing created: the box needs a width, a depth and a height"},
        {"after a cancel the next click starts anew",
         CLESpatialsTool::CollisionBoxes,
         0,
         12,
         restarted,
         Game::COLLISIONBOX,
         {4, 5, 2},
         {2, 2.5f, 1},
         "Entity successfully created."},
        {"trigger box",
         CLESpatialsTool::GameTriggerBoxes,
         0,
         Game::SPAWNER_TRIGGER,
         box,
         Game::SPAWNER_TRIGGER,
         {4, 5, 2},
         {2, 2.5f, 1},
         "Entity successfully created."},
        {"pathfind spatials make nothing",
         CLESpatialsTool::PathfindSpatials,
         0,
         12,
         box,
         -1,
         {},
         {},
         "Nothing created: Pathfind Spatials and AI Waypoints have no entity to place"},
        {"camera waypoint",
         CLESpatialsTool::Waypoints,
         CLESpatialsTool::CameraWaypoints,
         12,
         {{I::Up, 0, 8.0f, 5.0f, 300, true}},
         Game::CAMERAWAYPOINT,
         {3, 3, 3},
         {8, 5, 0},
         "Entity successfully created."},
        {"a right click places no waypoint",
         CLESpatialsTool::Waypoints,
         CLESpatialsTool::CameraWaypoints,
         12,
         {{I::Up, 1, 8.0f, 5.0f, 300, true}},
         -1,
         {},
         {},
         ""},
        {"AI waypoints make nothing",
         CLESpatialsTool::Waypoints,
         CLESpatialsTool::AIWaypoints,
         12,
         box,
         -1,
         {},
         {},
         "Nothing created: Pathfind Spatials and AI Waypoints have no entity to place"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        History().Clear();
        Vesk::CDebugOutputManager::GetInstance().SetLine("", Game::kEditorMessageLine);
        m_Tool = std::make_unique<CLESpatialsTool>();
        m_Tool->Show();
        m_Tool->SetSpatialsMode(row.mode);
        m_Tool->SetTriggerType(row.triggerType);
        m_Tool->m_WaypointType = row.waypointType;
        for (const Input& input : row.inputs) {
            if (input.across)
                AimAcross(input.x, input.z, 0.0f);
            else
                AimDown(input.x, input.z);
            const Vesk::MouseEvent event = Pointer(input.button, input.pixelY);
            if (input.kind == I::Up)
                m_Tool->GetListener().OnMouseUp(event);
            else
                m_Tool->GetListener().OnMouseMove(event);
        }
        EXPECT_EQ(Line27(), row.line);
        EXPECT_FALSE(m_Tool->m_BoxShown);
        if (row.type < 0) {
            EXPECT_EQ(History().GetHistorySize(), 0u);
            continue;
        }
        ASSERT_EQ(History().GetHistorySize(), 1u);
        Game::CEntity* made = LastCreated();
        ASSERT_NE(made, nullptr);
        const std::string name = made->GetName();
        EXPECT_EQ(made->GetType(), row.type);
        EXPECT_NEAR(made->GetDimensions().x, row.size.x, 1e-3);
        EXPECT_NEAR(made->GetDimensions().y, row.size.y, 1e-3);
        EXPECT_NEAR(made->GetDimensions().z, row.size.z, 1e-3);
        EXPECT_NEAR(made->GetPosition().x, row.centre.x, 1e-3);
        EXPECT_NEAR(made->GetPosition().y, row.centre.y, 1e-3);
        EXPECT_NEAR(made->GetPosition().z, row.centre.z, 1e-3);
        if (auto* trigger = dynamic_cast<Game::CGameTrigger*>(made)) {
            EXPECT_EQ(trigger->GetTriggerPrefabName(),
                      Game::CGamePrefabSettings::GetInstance().GetGameTriggerSettingName(row.type, 0));
        }
        const size_t placed = m_Tool->GetPlacedBoxes().size();
        History().Undo();
        EXPECT_EQ(Factory().GetEntityByName(name), nullptr);
        EXPECT_EQ(m_Tool->GetPlacedBoxes().size(), placed);
    }
}

TEST_F(SpatialsToolTest, ClicksThatMissThePlaneStartNothing)
{
    // Looking up: the pointer's ray never comes down to the plane.
    m_Camera->SetEye(CVector3D(0.0f, 10.0f, 0.0f));
    m_Camera->SetLookAt(CVector3D(0.0f, 50.0f, 1.0f));
    m_Tool->GetListener().OnMouseUp(Pointer(0, 300));
    EXPECT_FALSE(m_Tool->m_BoxShown);
    EXPECT_FALSE(m_Tool->GetListener().IsDrawingFootprint());
    EXPECT_EQ(Line27(), "No box started: the pointer does not meet the placement plane");

    // A footprint follows the pointer only where it meets the plane.
    AimDown(6.0f, 6.0f);
    m_Tool->GetListener().OnMouseUp(Pointer(0, 300));
    ASSERT_TRUE(m_Tool->GetListener().IsDrawingFootprint());
    m_Camera->SetLookAt(CVector3D(6.0f, 200.0f, 7.0f));
    m_Tool->GetListener().OnMouseMove(Pointer(0, 300));
    EXPECT_NEAR(m_Tool->m_Box.max.x, 6.0f, 1e-3);
    EXPECT_NEAR(m_Tool->m_Box.max.z, 6.0f, 1e-3);

    // A waypoint click parallel to the vertical plane places nothing.
    m_Tool->GetListener().Cancel();
    m_Tool->SetSpatialsMode(CLESpatialsTool::Waypoints);
    m_Camera->SetEye(CVector3D(0.0f, 0.0f, 5.0f));
    m_Camera->SetLookAt(CVector3D(10.0f, 0.0f, 5.0f));
    m_Tool->GetListener().OnMouseUp(Pointer(0, 300));
    EXPECT_EQ(History().GetHistorySize(), 0u);
    EXPECT_EQ(Line27(), "No waypoint placed: the pointer does not meet the placement plane");
}

TEST_F(SpatialsToolTest, PlaneKeysAndGridAlignment)
{
    const float frame = 1.0f / 60.0f;
    struct Row {
        const char* name;
        bool waypoints;
        float start;
        uint32_t key; // held, or 0
        float end;
    } rows[] = {
        {"3.2 snaps to 3", false, 3.2f, 0, 3.0f},
        {"3.6 stays", false, 3.6f, 0, 3.6f},
        {"Q raises by 35/60", false, 0.0f, 'Q', 35.0f / 60.0f},
        {"E from 0 stays 0", false, 0.0f, 'E', 0.0f},
        {"E from 3.3 goes below 3", false, 3.3f, 'E', 3.3f - 35.0f / 60.0f},
        {"Down moves the vertical plane on", true, 0.0f, win::VK_DOWN, 35.0f / 60.0f},
        {"Up from 0 stays 0", true, 0.0f, win::VK_UP, 0.0f},
        {"Q leaves the vertical plane", true, 1.0f, 'Q', 1.0f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_Tool->SetSpatialsMode(row.waypoints ? CLESpatialsTool::Waypoints : CLESpatialsTool::CollisionBoxes);
        float& value = row.waypoints ? m_Tool->m_VerticalPlaneZ : m_Tool->m_PlaneHeight;
        value = row.start;
        if (row.key)
            SetKey(row.key, true);
        m_Tool->Update(frame);
        if (row.key)
            SetKey(row.key, false);
        EXPECT_NEAR(value, row.end, 1e-5);
    }
}

TEST_F(SpatialsToolTest, TheBoxStartsOnThePlaneWhereTheBarPutsIt)
{
    devgui::Panels& panels = Vesk::IDevGUI::GetInstance().GetPanels();
    devgui::Value value;
    value.f[0] = 6.0f;
    ASSERT_TRUE(panels.SetValue("SpatialsBar", "SpatialsPlaneY", value));
    AimDown(10.0f, 10.0f);
    m_Tool->GetListener().OnMouseUp(Pointer(0, 300));
    EXPECT_NEAR(m_Tool->m_Box.min.y, 6.0f, 1e-3);
    EXPECT_NEAR(m_Tool->m_Box.min.x, 10.0f, 1e-3);
}

TEST_F(SpatialsToolTest, TheBarOffersWhatTheModeNeeds)
{
    devgui::Panels& panels = Vesk::IDevGUI::GetInstance().GetPanels();
    const devgui::BarId bar = panels.FindBar("SpatialsBar");
    ASSERT_NE(bar, devgui::kNoBar);
    auto has = [&](const char* item) { return panels.GetBar(bar)->Find(item) != nullptr; };
    struct Row {
        int mode;
        bool triggers, waypoints;
    } rows[] = {{1, true, false}, {3, false, true}, {1, true, false}, {0, false, false}, {2, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        devgui::Value value;
        value.i = row.mode;
        ASSERT_TRUE(panels.SetValue("SpatialsBar", "SpatialsModeVar", value));
        EXPECT_EQ(m_Tool->GetSpatialsMode(), uint32_t(row.mode));
        EXPECT_EQ(has("TriggerTypesVar"), row.triggers);
        EXPECT_EQ(has("PrefabTriggerTypesVar"), row.triggers);
        EXPECT_EQ(has("RegenPrefabsBtn"), row.triggers);
        EXPECT_EQ(has("WaypointTypesVar"), row.waypoints);
    }
    devgui::Value value;
    value.i = 1;
    ASSERT_TRUE(panels.SetValue("SpatialsBar", "SpatialsModeVar", value));
    const devgui::PanelItem* types = panels.GetBar(bar)->Find("TriggerTypesVar");
    ASSERT_NE(types, nullptr);
    const std::vector<devgui::EnumValue>* listed = panels.GetEnumValues(types->type);
    ASSERT_NE(listed, nullptr);
    ASSERT_EQ(listed->size(), 6u);
    EXPECT_EQ(listed->front().value, Game::SOUND_TRIGGER);
    EXPECT_EQ(listed->back().value, Game::LOCATIONBASED_SPAWNER_TRIGGER);
    value.i = Game::BOSS_EVENT_TRIGGER;
    ASSERT_TRUE(panels.SetValue("SpatialsBar", "TriggerTypesVar", value));
    EXPECT_EQ(m_Tool->GetTriggerType(), uint32_t(Game::BOSS_EVENT_TRIGGER));
    ASSERT_TRUE(panels.Press("SpatialsBar", "RegenPrefabsBtn"));
    EXPECT_TRUE(has("PrefabTriggerTypesVar"));

    m_Tool->Hide();
    EXPECT_EQ(panels.FindBar("SpatialsBar"), devgui::kNoBar);
    EXPECT_FALSE(m_Tool->GetListener().IsEnabled());
}

} // namespace
