// The object-control tool over the empty level (the bare slab), driven by the mouse and the
// bar's keys as a designer drives it: a click in Create mode makes the chosen prefab standing on
// the block under the pointer and a click that meets no block makes nothing; handle drags move
// along one axis or turn about Y; every creation and drag is one edit packet that Undo takes
// back exactly. The drag arithmetic is checked on exact rays beside.
#include "EditorStateFixture.h"
#include "EditorTestSupport.h"

#include "game/base/GameEnums.h"
#include "game/editor/CLEObjectControl.h"

#include "devgui/IDevGUI.h"
#include "input/CInputManager.h"
#include "math/Random.h"
#include "platform/win/VirtualKeys.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Game::CLEObjectControl;
using Game::CLevelEditor;
using terraintest::V;

TEST(ObjectControlDragTest, HandleDragsFollowThePointerAlongOneAxis)
{
    const CVector3D p(10.0f, 0.0f, 0.0f);
    const struct {
        uint32_t axis;
        CVector3D eye;
        CRay ray;
        CVector3D expected;
    } rows[] = {
        // From above, the X handle's plane is the ground through p: a pointer at x = 60 puts the
        // tip there and the entity 25 behind it.
        {CLEObjectControl::AxisX, {10, 100, 0}, {{60, 50, 7}, {0, -1, 0}}, {35, 0, 0}},
        {CLEObjectControl::AxisZ, {10, 100, 0}, {{60, 50, 7}, {0, -1, 0}}, {10, 0, -18}},
        // The Y handle's plane is the one of constant z through p, whatever the eye.
        {CLEObjectControl::AxisY, {10, 100, 0}, {{3, 40, -50}, {0, 0, 1}}, {10, 15, 0}},
        // A pointer ray that misses the plane takes the ray's origin.
        {CLEObjectControl::AxisX, {10, 100, 0}, {{70, 50, 0}, {0, 1, 0}}, {45, 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.axis);
        EXPECT_EQ(V(Game::DragAlongAxis(p, row.axis, row.eye, row.ray)), V(row.expected));
    }
    // A quarter turn about Y: -z turns to -x.
    EXPECT_NEAR((Game::TurnAboutY(CVector3D(0, 0, -1), 90.0f) - CVector3D(-1, 0, 0)).Length(), 0.0f, 1e-4f);
}

class ObjectControlTest : public editortest::EditorStateFixture {
protected:
    void SetUp() override
    {
        EditorStateFixture::SetUp();
        Levels().SetNewLevel();
        Play(1);
        ASSERT_NO_FATAL_FAILURE(OpenEditor());
        Editor().ChangeLayer(CLevelEditor::UnitsLayer);
        Frame();
    }

    static CLEObjectControl& Tool() { return *Editor().GetObjectControl(); }
    static devgui::Panels& Panels() { return Vesk::IDevGUI::GetInstance().GetPanels(); }

    // A bar's shortcut key tapped.
    void Key(uint32_t vk) { TapKeys({vk}); }

    void SetBar(const char* var, int32_t value)
    {
        devgui::Value v;
        v.i = value;
        ASSERT_TRUE(Panels().SetValue(CLEObjectControl::kBarName, var, v)) << var;
    }

    void Click()
    {
        Button(true);
        Button(false);
    }

    // A crate made by a click on the block at the point of the slab, seen from above.
    Game::CEntity* CreateCrateAt(const CVector3D& ground)
    {
        LookAtFrom(ground, CVector3D(0, 150, 0.01f));
        SetBar("UnitsCreateModeVar", Game::DESTRUCTIBLE_OBJECT);
        SetBar("ObjCtrlModeVar", CLEObjectControl::CreateMode);
        AimAt(ground);
        const int before = History().GetCurrentIndex();
        Click();
        if (History().GetCurrentIndex() != before + 1)
            return nullptr;
        auto* made = dynamic_cast<Game::CreateEntityMessagePacket*>(History().GetPacket(size_t(before + 1)));
        return made ? made->m_ResultantEntity.Get() : nullptr;
    }

    // Selects the entity with a click in Move mode.
    void SelectByClick(Game::CEntity* entity)
    {
        SetBar("ObjCtrlModeVar", CLEObjectControl::MoveMode);
        AimAt(entity->GetPosition());
        Click();
        ASSERT_EQ(Editor().GetSelectedEntity(), entity);
    }

    // Press on the world point, move to the other, release.
    void Drag(const CVector3D& from, const CVector3D& to)
    {
        AimAt(from);
        Button(true);
        AimAt(to);
        Button(false);
    }
};

TEST_F(ObjectControlTest, ShowingTheLayersBuildsTheBarAndTheKeysWork)
{
    ASSERT_TRUE(Tool().HasBar());
    EXPECT_TRUE(Tool().GetListener().IsEnabled());
    devgui::Value type;
    ASSERT_TRUE(Panels().GetValue(CLEObjectControl::kBarName, "UnitsCreateModeVar", type));
    // The bar's keys: ` steps the mode, 3 the type, 1 toggles random orientation.
    Key(win::VK_OEM_3);
    Key(win::VK_OEM_3);
    EXPECT_EQ(Tool().GetMode(), CLEObjectControl::RotateMode);
    for (int i = 0; i < 4; ++i)
        Key('3');
    EXPECT_EQ(Tool().GetUnitCreateMode(), uint32_t(Game::DESTRUCTIBLE_OBJECT));
    devgui::Value prefab;
    ASSERT_TRUE(Panels().GetValue(CLEObjectControl::kBarName, "PrefabToUseNameVar", prefab));
    EXPECT_EQ(prefab.i, 0);
    Key('1');
    EXPECT_TRUE(Tool().m_RandomOrientation);

    // The Doodads layer offers no type and keeps the one chosen; leaving the layers hides it all.
    Editor().ChangeLayer(CLevelEditor::DoodadsLayer);
    EXPECT_TRUE(Tool().HasBar());
    EXPECT_FALSE(Panels().GetValue(CLEObjectControl::kBarName, "UnitsCreateModeVar", type));
    EXPECT_EQ(Tool().GetUnitCreateMode(), uint32_t(Game::DESTRUCTIBLE_OBJECT));
    Editor().ChangeLayer(CLevelEditor::LinkerLayer);
    EXPECT_FALSE(Tool().HasBar());
    EXPECT_FALSE(Tool().GetListener().IsEnabled());
    EXPECT_EQ(Panels().FindBar(CLEObjectControl::kBarName), devgui::kNoBar);
}

TEST_F(ObjectControlTest, ACreateClickStandsThePrefabOnTheBlockAndUndoTakesItBack)
{
    const size_t live = Factory().GetLiveEntities().size();
    Game::CEntity* crate = CreateCrateAt(CVector3D(40, 0, 60));
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(Line27(), "Entity successfully created.");
    EXPECT_EQ(History().GetHistorySize(), 1u);
    EXPECT_EQ(crate->GetPrefabName(), "crate");
    // The slab's block there has its centre at y 0 and is 4 high; the crate is 6 high.
    EXPECT_EQ(V(crate->GetPosition()), V(CVector3D(40, 5, 60)));
    EXPECT_EQ(V(crate->GetDirection()), V(CVector3D(0, 0, -1)));
    EXPECT_EQ(Editor().GetSelectedEntity(), nullptr) << "a Create click leaves the selection alone";

    const std::string name = crate->GetName();
    History().Undo();
    EXPECT_EQ(Factory().GetEntityByName(name), nullptr);
    EXPECT_EQ(Factory().GetLiveEntities().size(), live);
    EXPECT_EQ(Line27(), "Undo entity creation successful.");
    History().Redo();
    EXPECT_EQ(Factory().FindByType(Game::DESTRUCTIBLE_OBJECT).size(), 1u);
    EXPECT_EQ(Factory().GetLiveEntities().size(), live + 1);
}

// "Reload from prefabsettings.xml" reads the edited file, and new objects take its values; a file
// that does not load says so.
TEST_F(ObjectControlTest, ReloadingThePrefabsTakesTheEditedFile)
{
    const std::string path = m_Dir.File("assets/prefabsettings.xml");
    const std::string original = testsupport::ReadFile(path);
    // The crate's physics dimensions made 10 high.
    std::string edited = original;
    const std::string box = "<dimension x=\"6\" y=\"6\" z=\"6\"/>";
    const size_t at = edited.find(box, edited.find("prefabname=\"crate\""));
    ASSERT_NE(at, std::string::npos);
    edited.replace(at, box.size(), "<dimension x=\"6\" y=\"10\" z=\"6\"/>");
    testsupport::WriteFile(path, edited);
    ASSERT_TRUE(Panels().Press(CLEObjectControl::kBarName, "RegenPrefabsBtn"));
    Game::CEntity* tall = CreateCrateAt(CVector3D(40, 0, 60));
    ASSERT_NE(tall, nullptr);
    EXPECT_EQ(V(tall->GetPosition()), V(CVector3D(40, 7, 60)));

    testsupport::WriteFile(path, "<broken");
    ASSERT_TRUE(Panels().Press(CLEObjectControl::kBarName, "RegenPrefabsBtn"));
    EXPECT_EQ(Line27(), "Prefabs not reloaded: ./assets/prefabsettings.xml did not load; default settings are used");
    testsupport::WriteFile(path, original);
    ASSERT_TRUE(Panels().Press(CLEObjectControl::kBarName, "RegenPrefabsBtn"));
    devgui::Value prefab;
    ASSERT_TRUE(Panels().GetValue(CLEObjectControl::kBarName, "PrefabToUseNameVar", prefab));
}

TEST_F(ObjectControlTest, ACreateClickThatMeetsNoBlockMakesNothing)
{
    SetBar("UnitsCreateModeVar", Game::DESTRUCTIBLE_OBJECT);
    const size_t live = Factory().GetLiveEntities().size();
    // Looking up into the sky: the pointer meets neither a block nor the ground.
    Look(CVector3D(50, 20, 50), CVector3D(50, 120, 60));
    MoveMouse(0.8f, 0.5f);
    Click();
    EXPECT_EQ(Factory().GetLiveEntities().size(), live);
    EXPECT_EQ(History().GetHistorySize(), 0u);
    EXPECT_EQ(Line27(), "Nothing created: the pointer is not over the terrain");
}

TEST_F(ObjectControlTest, RandomOrientationFacesIntoThePositiveQuarter)
{
    Tool().m_RandomOrientation = true;
    SeedRandom(7);
    for (int i = 0; i < 5; ++i) {
        Game::CEntity* crate = CreateCrateAt(CVector3D(20.0f + 8.0f * float(i), 0, 40));
        ASSERT_NE(crate, nullptr);
        const CVector3D d = crate->GetDirection();
        EXPECT_GE(d.x, 0.0f);
        EXPECT_EQ(d.y, 0.0f);
        EXPECT_GE(d.z, 0.0f);
        EXPECT_NEAR(d.Length(), 1.0f, 1e-5f);
    }
}

TEST_F(ObjectControlTest, HandleDragsMoveAlongTheirAxisAsOneUndoableEdit)
{
    Game::CEntity* crate = CreateCrateAt(CVector3D(40, 0, 60));
    ASSERT_NE(crate, nullptr);
    const CVector3D p = crate->GetPosition();
    const CVector3D d = crate->GetDirection();
    ASSERT_NO_FATAL_FAILURE(SelectByClick(crate));
    const struct {
        const char* what;
        CVector3D eye;            // relative to the crate
        CVector3D press, release; // relative to the crate
        CVector3D expected;       // relative to the crate
    } rows[] = {
        {"X from above", {0, 150, 0.01f}, {25, 0, 0}, {45, 0, 4}, {20, 0, 0}},
        {"Z from above", {0, 150, 0.01f}, {0, 0, 25}, {-3, 0, 45}, {0, 0, 20}},
        {"Y from the front", {0, 0, -150}, {0, 25, 0}, {5, 40, 0}, {0, 15, 0}},
    };
    // Each drag is one edit after the creation; each row's edit is undone before the next.
    const int created = History().GetCurrentIndex();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        LookAtFrom(p, row.eye);
        // The X and Z handles follow the pointer on the plane through the crate that faces the
        // eye: the release is aimed at the point of that plane.
        CVector3D release = row.release;
        if (row.press.y == 0.0f) {
            const CVector3D n = (Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetEye() - p).GetNormalized();
            release.y = -(release.x * n.x + release.z * n.z) / n.y;
        }
        Drag(p + row.press, p + release);
        if (row.press.x > 0.0f)
            KeepPicture("ObjectControlTest_dragged");
        EXPECT_NEAR((crate->GetPosition() - (p + row.expected)).Length(), 0.0f, 1.0f);
        EXPECT_EQ(History().GetCurrentIndex(), created + 1);
        EXPECT_EQ(Line27().rfind("Entity moved: Position set to x : ", 0), 0u) << Line27();
        EXPECT_EQ(Editor().GetSelectedEntity(), crate) << "the release that ends a drag keeps the selection";
        // Undo puts it back exactly, Redo exactly where the drag left it.
        const CVector3D moved = crate->GetPosition();
        History().Undo();
        EXPECT_EQ(V(crate->GetPosition()), V(p));
        EXPECT_EQ(V(crate->GetDirection()), V(d));
        History().Redo();
        EXPECT_EQ(V(crate->GetPosition()), V(moved));
        History().Undo();
    }
    // A press beside the handles starts no drag, and its release clears the selection.
    LookAtFrom(p, CVector3D(0, 150, 0.01f), 0.6f);
    Drag(p + CVector3D(-30, 0, -30), p + CVector3D(-40, 0, -30));
    EXPECT_EQ(History().GetCurrentIndex(), created);
    EXPECT_EQ(V(crate->GetPosition()), V(p));
    EXPECT_EQ(Editor().GetSelectedEntity(), nullptr);
}

TEST_F(ObjectControlTest, RotateTurnsAboutYByTheMouseRiseAndScaleRecordsANoOp)
{
    Game::CEntity* crate = CreateCrateAt(CVector3D(40, 0, 60));
    ASSERT_NE(crate, nullptr);
    const CVector3D p = crate->GetPosition();
    ASSERT_NO_FATAL_FAILURE(SelectByClick(crate));
    SetBar("ObjCtrlModeVar", CLEObjectControl::RotateMode);
    LookAtFrom(p, CVector3D(0, 0, -150));
    AimAt(p + CVector3D(0, 25, 0));
    const float y0 = Vesk::CInputManager::GetInstance().GetMouseY();
    Button(true);
    MoveMouse(Vesk::CInputManager::GetInstance().GetMouseX(), y0 - 0.25f);
    Button(false);
    // A quarter of the screen upwards is 22.5 degrees; the position stays.
    const float degrees = std::acos(crate->GetDirection().Dot(CVector3D(0, 0, -1))) / 0.0174532f;
    EXPECT_NEAR(degrees, 22.5f, 0.5f);
    EXPECT_EQ(V(crate->GetPosition()), V(p));
    History().Undo();
    EXPECT_EQ(V(crate->GetDirection()), V(CVector3D(0, 0, -1)));

    // Scale changes nothing, but a drag is still one edit.
    SetBar("ObjCtrlModeVar", CLEObjectControl::ScaleMode);
    const int before = History().GetCurrentIndex();
    Drag(p + CVector3D(0, 25, 0), p + CVector3D(10, 45, 0));
    EXPECT_EQ(History().GetCurrentIndex(), before + 1);
    EXPECT_EQ(V(crate->GetPosition()), V(p));
    History().Undo();
    EXPECT_EQ(V(crate->GetPosition()), V(p));
}

// The dragged entity is held by a checked handle: deleted during the drag, the drag ends without
// an edit; a layer change during a drag ends it too.
TEST_F(ObjectControlTest, AnEntityDeletedDuringADragEndsTheDrag)
{
    Game::CEntity* crate = CreateCrateAt(CVector3D(40, 0, 60));
    ASSERT_NE(crate, nullptr);
    const CVector3D p = crate->GetPosition();
    ASSERT_NO_FATAL_FAILURE(SelectByClick(crate));
    LookAtFrom(p, CVector3D(0, 150, 0.01f));
    AimAt(p + CVector3D(25, 0, 0));
    Button(true);
    ASSERT_TRUE(Tool().GetListener().IsDragging());
    Editor().DeleteSelection();
    const int deleted = History().GetCurrentIndex();
    AimAt(p + CVector3D(40, 0, 0));
    Button(false);
    EXPECT_FALSE(Tool().GetListener().IsDragging());
    EXPECT_EQ(History().GetCurrentIndex(), deleted);

    // Undoing the deletion brings the crate back. A layer change during a drag ends it where it
    // is, as one edit.
    History().Undo();
    Game::CEntity* back = Factory().FindByType(Game::DESTRUCTIBLE_OBJECT).front();
    ASSERT_NO_FATAL_FAILURE(SelectByClick(back));
    AimAt(back->GetPosition() + CVector3D(25, 0, 0));
    Button(true);
    ASSERT_TRUE(Tool().GetListener().IsDragging());
    AimAt(back->GetPosition() + CVector3D(45, 0, 0));
    const CVector3D moved = back->GetPosition();
    EXPECT_GT(moved.x, p.x + 10.0f);
    Editor().ChangeLayer(CLevelEditor::NoLayers);
    EXPECT_FALSE(Tool().GetListener().IsDragging());
    Button(false);
    EXPECT_EQ(History().GetCurrentIndex(), deleted);
    EXPECT_EQ(V(back->GetPosition()), V(moved));
    History().Undo();
    EXPECT_EQ(V(back->GetPosition()), V(p));
}

} // namespace
