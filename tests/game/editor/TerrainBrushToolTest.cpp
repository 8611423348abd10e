// The terrain brush: tables of mouse and key input with the packets they make and the terrain
// they leave (undo gives back the identical grid, painting never enters the history, a pick that
// misses edits nothing), the brush regions at the grid's edges, the keyboard's bounds, and the
// one crossing between the brush's axis order (x, height, depth) and the terrain's.
#include "EditorTestSupport.h"

#include "game/cameras/CLevelEditorCamera.h"
#include "game/editor/CLETerrainBrushTool.h"

#include "devgui/IDevGUI.h"
#include "input/CInputManager.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

using Game::BlockPosition;
using Game::BrushBlock;
using Game::BrushStroke;
using Game::CLETerrainBrushTool;
using Game::TerrainBrushSettings;

using Cells = std::vector<Game::TerrainCell>;

// The slab of an empty level: 100 x 50 blocks of height 1, block size 4, at the origin.
constexpr unsigned kSlabWidth = 100, kSlabDepth = 50;

class TerrainBrushToolTest : public editortest::EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        ASSERT_TRUE(Manager().LoadLevel(""));
        m_Camera = Vesk::CCameraManager::GetInstance().CreateCamera<Game::CLevelEditorCamera>("editorcamera", true);
        m_Tool = std::make_unique<CLETerrainBrushTool>();
        m_Tool->Show();
    }

    void TearDown() override
    {
        m_Tool.reset();
        SetCtrl(false);
        EditorFixture::TearDown();
    }

    Game::CTerrain& Terrain() { return *Manager().GetTerrain(); }

    // The pointer (the middle of the view) over a column: the camera looks straight down on it.
    void Aim(unsigned w, unsigned d)
    {
        const CVector3D ground(4.0f * float(w), 0.0f, 4.0f * float(d));
        m_Camera->SetEye(ground + CVector3D(0.0f, 150.0f, 0.01f));
        m_Camera->SetLookAt(ground);
    }
    // The pointer at the sky: nothing lies along the ray.
    void AimAtSky()
    {
        m_Camera->SetEye(CVector3D(40.0f, 20.0f, 40.0f));
        m_Camera->SetLookAt(CVector3D(40.0f, 80.0f, 41.0f));
    }

    static Vesk::MouseEvent Pointer(int button)
    {
        Vesk::MouseEvent event;
        event.fx = event.fy = 0.5f;
        event.button = button;
        return event;
    }

    static void SetCtrl(bool held)
    {
        Vesk::WindowEvent event;
        event.message = held ? win::WM_KEYDOWN : win::WM_KEYUP;
        event.key = win::VK_CONTROL;
        Vesk::CInputManager::OnWindowEvent(event);
        Vesk::CInputManager::GetInstance().EndFrame();
        Vesk::CInputManager::GetInstance().BeginFrame();
    }

    unsigned Top(unsigned w, unsigned d)
    {
        BlockPosition pos(w, d, 0);
        Terrain().FindColumnTop(pos);
        return pos.mBlockHeight;
    }

    Cells Snapshot()
    {
        Cells cells;
        for (unsigned h = 0; h < 6; ++h)
            for (unsigned d = 0; d < kSlabDepth + 2; ++d)
                for (unsigned w = 0; w < kSlabWidth + 2; ++w)
                    cells.push_back(Terrain().GetCell(BlockPosition(w, d, h)));
        return cells;
    }

    Vesk::CCamera* m_Camera = nullptr;
    std::unique_ptr<CLETerrainBrushTool> m_Tool;
};

// One input: a button pressed or let go, the pointer moved, a key pressed or let go, over a
// column or over the sky (w = -1).
struct Input {
    enum Kind { Down, Up, Move, KeyDown, KeyUp, CtrlDown, CtrlUp } kind;
    int code; // button or virtual key
    int w = 0, d = 0;
};

TEST_F(TerrainBrushToolTest, MouseAndKeyInputTable)
{
    using I = Input;
    const CVector3D red(1.0f, 0.0f, 0.0f);
    struct Column {
        unsigned w, d, top;
    };
    struct Row {
        const char* name;
        uint32_t mode, selection;
        std::vector<Input> inputs;
        size_t packets;
        std::vector<Column> tops; // columns the input changed, with their tops after it
        bool painted;             // (10, 5) took the paint colour
    } rows[] = {
        {"left click builds one block",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::MouseSelection,
         {{I::Down, 0, 10, 5}, {I::Up, 0, 10, 5}},
         1,
         {{10, 5, 2}},
         false},
        {"right click digs one block",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::MouseSelection,
         {{I::Down, 1, 10, 5}, {I::Up, 1, 10, 5}},
         1,
         {{10, 5, 0}},
         false},
        {"right click with Ctrl held is the camera's",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::MouseSelection,
         {{I::CtrlDown, 0}, {I::Down, 1, 10, 5}, {I::Up, 1, 10, 5}, {I::CtrlUp, 0}},
         0,
         {},
         false},
        {"a drag makes a packet per move",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::MouseSelection,
         {{I::Down, 0, 10, 5}, {I::Move, 0, 11, 5}, {I::Move, 0, 12, 5}, {I::Up, 0, 12, 5}, {I::Move, 0, 13, 5}},
         3,
         {{10, 5, 2}, {11, 5, 2}, {12, 5, 2}, {13, 5, 1}},
         false},
        {"a drag through the sky skips it",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::MouseSelection,
         {{I::Down, 0, -1}, {I::Move, 0, -1}, {I::Move, 0, 11, 5}, {I::Up, 0, 11, 5}},
         1,
         {{11, 5, 2}},
         false},
        {"painting recolours and is not undoable",
         CLETerrainBrushTool::Painting,
         CLETerrainBrushTool::MouseSelection,
         {{I::Down, 0, 10, 5}, {I::Up, 0, 10, 5}},
         0,
         {{10, 5, 1}},
         true},
        {"keyboard selection: a click only selects",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::KeyboardSelection,
         {{I::Down, 0, 10, 5}, {I::Up, 0, 10, 5}},
         0,
         {{10, 5, 1}},
         false},
        {"keyboard: D and S move, Space builds there",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::KeyboardSelection,
         {{I::Down, 0, 10, 5},
          {I::Up, 0, 10, 5},
          {I::KeyDown, 'D'},
          {I::KeyDown, 'S'},
          {I::KeyUp, win::VK_SPACE},
          {I::KeyUp, win::VK_SPACE}},
         2,
         {{9, 6, 3}, {10, 5, 1}},
         false},
        {"keyboard: Ctrl and Space dig",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::KeyboardSelection,
         {{I::Down, 0, 10, 5}, {I::Up, 0, 10, 5}, {I::CtrlDown, 0}, {I::KeyUp, win::VK_SPACE}, {I::CtrlUp, 0}},
         1,
         {{10, 5, 0}},
         false},
        {"keyboard: Space paints in Painting mode",
         CLETerrainBrushTool::Painting,
         CLETerrainBrushTool::KeyboardSelection,
         {{I::Down, 0, 10, 5}, {I::Up, 0, 10, 5}, {I::KeyUp, win::VK_SPACE}},
         0,
         {},
         true},
        {"keys do nothing with mouse selection",
         CLETerrainBrushTool::Building,
         CLETerrainBrushTool::MouseSelection,
         {{I::KeyDown, 'S'}, {I::KeyUp, win::VK_SPACE}},
         0,
         {},
         false},
    };
    const Cells original = Snapshot();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_Tool = std::make_unique<CLETerrainBrushTool>();
        m_Tool->Show();
        m_Tool->m_TerrainMode = row.mode;
        m_Tool->m_SelectionControl = row.selection;
        std::copy(&red.x, &red.x + 3, m_Tool->m_PaintColour);
        Game::CLETerrainBrushListener& listener = m_Tool->GetListener();
        for (const Input& input : row.inputs) {
            if (input.w < 0)
                AimAtSky();
            else
                Aim(unsigned(input.w), unsigned(input.d));
            Vesk::KeyEvent key;
            key.key = uint32_t(input.code);
            switch (input.kind) {
            case I::Down: listener.OnMouseDown(Pointer(input.code)); break;
            case I::Up: listener.OnMouseUp(Pointer(input.code)); break;
            case I::Move: listener.OnMouseMove(Pointer(input.code)); break;
            case I::KeyDown: listener.OnKeyDown(key); break;
            case I::KeyUp: listener.OnKeyUp(key); break;
            case I::CtrlDown: SetCtrl(true); break;
            case I::CtrlUp: SetCtrl(false); break;
            }
        }
        EXPECT_EQ(History().GetHistorySize(), row.packets);
        for (const Column& column : row.tops)
            EXPECT_EQ(Top(column.w, column.d), column.top) << column.w << ", " << column.d;
        const CVector3D colour = Terrain().GetColour(BlockPosition(10, 5, 0));
        EXPECT_EQ(terraintest::V(colour),
                  terraintest::V(row.painted ? CVector3D(255.0f, 0.0f, 0.0f) : CVector3D(255.0f, 255.0f, 255.0f)));
        // A built block takes the paint colour.
        if (row.packets > 0 && Top(10, 5) == 2) {
            EXPECT_EQ(terraintest::V(Terrain().GetColour(BlockPosition(10, 5, 1))),
                      terraintest::V(CVector3D(255.0f, 0.0f, 0.0f)));
        }
        while (History().GetCurrentIndex() >= 0)
            History().Undo();
        if (row.painted)
            Terrain().PaintBlocks({BlockPosition(10, 5, 0)}, CVector3D(255.0f, 255.0f, 255.0f));
        EXPECT_EQ(Snapshot(), original);
        terraintest::ExpectMeshMatchesGrid(Terrain(), kSlabWidth + 2, kSlabDepth + 2, 6);
        History().Clear();
    }
}

TEST_F(TerrainBrushToolTest, RemovalUndoPutsBackTheColourThatWasThere)
{
    Terrain().PaintBlocks({BlockPosition(7, 7, 0)}, CVector3D(10.0f, 200.0f, 30.0f));
    const Cells original = Snapshot();
    m_Tool->m_TerrainMode = CLETerrainBrushTool::Building;
    m_Tool->GetSettings().brushWidth = 2;
    Aim(7, 7);
    m_Tool->GetListener().OnMouseDown(Pointer(1));
    EXPECT_EQ(Top(7, 7), 0u);
    EXPECT_EQ(Top(8, 7), 0u);
    History().Undo();
    EXPECT_EQ(Snapshot(), original);
}

TEST_F(TerrainBrushToolTest, PyramidalDiamondRaisesColumnsThreeTwoAndOne)
{
    TerrainBrushSettings& brush = m_Tool->GetSettings();
    brush.brushType = TerrainBrushSettings::Diamond;
    brush.diamondSideLength = 3;
    brush.pyramidal = true;
    brush.blocksToAddHeight = 3;
    m_Tool->m_TerrainMode = CLETerrainBrushTool::Building;
    const Cells original = Snapshot();
    Aim(20, 20);
    m_Tool->GetListener().OnMouseDown(Pointer(0));
    ASSERT_EQ(History().GetHistorySize(), 1u);
    for (int dw = -3; dw <= 3; ++dw)
        for (int dd = -3; dd <= 3; ++dd) {
            const int distance = std::abs(dw) + std::abs(dd);
            const unsigned rise = distance == 0 ? 3 : distance == 1 ? 2 : distance == 2 ? 1 : 0;
            EXPECT_EQ(Top(unsigned(20 + dw), unsigned(20 + dd)), 1 + rise) << dw << ", " << dd;
        }
    History().Undo();
    EXPECT_EQ(Snapshot(), original);
}

TEST_F(TerrainBrushToolTest, WithoutHeightNothingIsBuiltOrRemovedButDiamondsStillPaint)
{
    TerrainBrushSettings& brush = m_Tool->GetSettings();
    brush.blocksToAddHeight = 0;
    m_Tool->SetSelectedBlock({10, 0, 5});
    const Cells original = Snapshot();
    m_Tool->Build();
    m_Tool->Remove();
    m_Tool->Paint(); // the cubic brush paints nothing without height
    EXPECT_EQ(History().GetHistorySize(), 0u);
    EXPECT_EQ(Snapshot(), original);
    brush.brushType = TerrainBrushSettings::Diamond;
    brush.diamondSideLength = 2;
    m_Tool->m_PaintColour[0] = m_Tool->m_PaintColour[2] = 0.0f;
    m_Tool->Paint();
    EXPECT_EQ(terraintest::V(Terrain().GetColour(BlockPosition(11, 5, 0))), terraintest::Vec(0.0f, 255.0f, 0.0f));
    EXPECT_EQ(History().GetHistorySize(), 0u);
}

TEST_F(TerrainBrushToolTest, PicksThatMissChangeNothing)
{
    m_Tool->m_TerrainMode = CLETerrainBrushTool::Building;
    Aim(10, 5);
    m_Tool->GetListener().OnMouseMove(Pointer(0)); // hover selects
    ASSERT_TRUE(m_Tool->IsHighlightShown());
    const BrushBlock selected = m_Tool->GetSelectedBlock();
    const CAABB highlight = m_Tool->GetHighlightBox();
    AimAtSky();
    EXPECT_FALSE(m_Tool->SelectFromRay(m_Camera->GetPickRay(0.5f, 0.5f, true)));
    for (int button : {0, 1}) {
        m_Tool->GetListener().OnMouseDown(Pointer(button));
        m_Tool->GetListener().OnMouseUp(Pointer(button));
    }
    EXPECT_EQ(History().GetHistorySize(), 0u);
    EXPECT_EQ(m_Tool->GetSelectedBlock(), selected);
    EXPECT_EQ(terraintest::V(m_Tool->GetHighlightBox().min), terraintest::V(highlight.min));
}

TEST_F(TerrainBrushToolTest, KeyboardStaysInsideTheGrid)
{
    m_Tool->m_SelectionControl = CLETerrainBrushTool::KeyboardSelection;
    struct Row {
        BrushBlock from;
        char key;
        BrushBlock to;
    } rows[] = {
        {{249, 0, 0}, 'A', {249, 0, 0}}, {{248, 0, 0}, 'A', {249, 0, 0}}, {{0, 0, 0}, 'D', {0, 0, 0}},
        {{5, 0, 0}, 'D', {4, 0, 0}},     {{0, 0, 0}, 'W', {0, 0, 0}},     {{0, 0, 249}, 'S', {0, 0, 249}},
        {{0, 0, 7}, 'W', {0, 0, 6}},     {{0, 49, 0}, 'Q', {0, 49, 0}},   {{0, 3, 0}, 'Q', {0, 4, 0}},
        {{0, 0, 0}, 'E', {0, 0, 0}},     {{0, 3, 0}, 'X', {0, 3, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(1, row.key));
        m_Tool->SetSelectedBlock(row.from);
        Vesk::KeyEvent key;
        key.key = uint32_t(row.key);
        m_Tool->GetListener().OnKeyDown(key);
        EXPECT_EQ(m_Tool->GetSelectedBlock(), row.to);
    }
}

// The brush names blocks (x, height, depth); the terrain (width, depth, height). The selection
// from a pick, the keys' height, the highlight and the regions all cross through one adapter.
TEST_F(TerrainBrushToolTest, AxisAdapterTable)
{
    struct Row {
        BrushBlock brush;
        BlockPosition terrain;
    } rows[] = {
        {{0, 0, 0}, {0, 0, 0}},
        {{1, 2, 3}, {1, 3, 2}},
        {{249, 49, 0}, {249, 0, 49}},
        {{0, 49, 249}, {0, 249, 49}},
    };
    for (const Row& row : rows) {
        const BlockPosition terrain = Game::ToBlockPosition(row.brush);
        EXPECT_EQ(terrain.mBlockWidth, row.terrain.mBlockWidth);
        EXPECT_EQ(terrain.mBlockDepth, row.terrain.mBlockDepth);
        EXPECT_EQ(terrain.mBlockHeight, row.terrain.mBlockHeight);
        EXPECT_EQ(Game::ToBrushBlock(row.terrain), row.brush);
    }

    // A block standing on the slab at width 7, depth 3: picked, it is the brush's (7, 1, 3).
    Terrain().SetBlock(BlockPosition(7, 3, 1), CVector3D(255.0f, 255.0f, 255.0f), 1);
    Aim(7, 3);
    ASSERT_TRUE(m_Tool->SelectFromRay(m_Camera->GetPickRay(0.5f, 0.5f, true)));
    EXPECT_EQ(m_Tool->GetSelectedBlock(), (BrushBlock{7, 1, 3}));
    // The pick's highlight: the block's box, one higher above and below.
    EXPECT_EQ(terraintest::V(m_Tool->GetHighlightBox().min), terraintest::Vec(26.0f, 1.0f, 10.0f));
    EXPECT_EQ(terraintest::V(m_Tool->GetHighlightBox().max), terraintest::Vec(30.0f, 7.0f, 14.0f));
    // The keys' highlight: the block's centre, one block and one unit high.
    m_Tool->SelectBlock();
    EXPECT_EQ(terraintest::V(m_Tool->GetHighlightBox().GetCenter()), terraintest::Vec(28.0f, 4.0f, 12.0f));
    EXPECT_EQ(terraintest::V(m_Tool->GetHighlightBox().max - m_Tool->GetHighlightBox().min),
              terraintest::Vec(4.0f, 5.0f, 4.0f));
    // A cubic region two wide and three deep runs along width and depth, on the selected height.
    TerrainBrushSettings brush;
    brush.brushWidth = 2;
    brush.brushDepth = 3;
    const std::vector<BlockPosition> region = Game::BrushRegion(brush, {7, 1, 3}, BrushStroke::Build);
    ASSERT_EQ(region.size(), 6u);
    for (const BlockPosition& p : region) {
        EXPECT_TRUE(p.mBlockWidth >= 7 && p.mBlockWidth < 9);
        EXPECT_TRUE(p.mBlockDepth >= 3 && p.mBlockDepth < 6);
        EXPECT_EQ(p.mBlockHeight, 1u);
    }
}

TEST(TerrainBrushRegionTest, ShapesAtTheGridsEdges)
{
    constexpr uint32_t kMax = UINT32_MAX;
    const BrushBlock corners[] = {{0, 0, 0}, {249, 0, 249}, {0, 49, 249}, {249, 49, 0}};
    struct Row {
        const char* name;
        uint32_t type, size, height;
        bool layered;
        BrushStroke stroke;
        size_t counts[4]; // per corner
    } rows[] = {
        {"cubic 0", TerrainBrushSettings::Cubic, 0, 1, false, BrushStroke::Build, {0, 0, 0, 0}},
        {"cubic 1", TerrainBrushSettings::Cubic, 1, 1, false, BrushStroke::Build, {1, 1, 1, 1}},
        {"cubic 2 clipped", TerrainBrushSettings::Cubic, 2, 1, false, BrushStroke::Build, {4, 1, 2, 2}},
        {"cubic max", TerrainBrushSettings::Cubic, kMax, 1, false, BrushStroke::Build, {62500, 1, 250, 250}},
        {"cubic paint 3 high", TerrainBrushSettings::Cubic, 1, 3, false, BrushStroke::Paint, {3, 3, 1, 1}},
        {"cubic paint max high", TerrainBrushSettings::Cubic, 1, kMax, false, BrushStroke::Paint, {50, 50, 1, 1}},
        {"diamond 0", TerrainBrushSettings::Diamond, 0, 1, false, BrushStroke::Build, {0, 0, 0, 0}},
        {"diamond 1", TerrainBrushSettings::Diamond, 1, 1, false, BrushStroke::Build, {1, 1, 1, 1}},
        {"diamond 2 loses two", TerrainBrushSettings::Diamond, 2, 1, false, BrushStroke::Build, {3, 3, 3, 3}},
        {"diamond max",
         TerrainBrushSettings::Diamond,
         kMax,
         1,
         false,
         BrushStroke::Build,
         {62500, 62500, 62500, 62500}},
        {"pyramid upward", TerrainBrushSettings::Diamond, 2, 2, true, BrushStroke::Build, {4, 4, 3, 3}},
        {"pyramid downward", TerrainBrushSettings::Diamond, 2, 2, true, BrushStroke::Remove, {3, 3, 4, 4}},
        {"pyramid max high", TerrainBrushSettings::Diamond, 1, kMax, true, BrushStroke::Build, {1, 1, 1, 1}},
        {"circle 0", TerrainBrushSettings::Circle, 0, 1, false, BrushStroke::Build, {1, 1, 1, 1}},
        {"circle 1", TerrainBrushSettings::Circle, 1, 1, false, BrushStroke::Build, {4, 4, 4, 4}},
        {"circle max", TerrainBrushSettings::Circle, kMax, 1, false, BrushStroke::Paint, {62500, 62500, 62500, 62500}},
        {"sphere downward max high", TerrainBrushSettings::Circle, 1, kMax, true, BrushStroke::Remove, {4, 4, 8, 8}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TerrainBrushSettings brush;
        brush.brushType = row.type;
        brush.brushWidth = brush.brushDepth = brush.diamondSideLength = brush.brushRadius = row.size;
        brush.blocksToAddHeight = brush.heightDisplacement = row.height;
        brush.pyramidal = brush.sphereHeight = row.layered;
        for (size_t i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            const std::vector<BlockPosition> region = Game::BrushRegion(brush, corners[i], row.stroke);
            EXPECT_EQ(region.size(), row.counts[i]);
            for (const BlockPosition& p : region)
                ASSERT_TRUE(p.IsInGrid()) << p.mBlockWidth << ", " << p.mBlockDepth << ", " << p.mBlockHeight;
        }
    }
}

TEST(TerrainBrushRegionTest, ColumnCounts)
{
    struct Row {
        uint32_t type;
        bool layered;
        BrushStroke stroke;
        uint32_t count;
    } rows[] = {
        {TerrainBrushSettings::Cubic, false, BrushStroke::Build, 4},
        {TerrainBrushSettings::Diamond, true, BrushStroke::Build, 1},
        {TerrainBrushSettings::Diamond, true, BrushStroke::Remove, 1},
        {TerrainBrushSettings::Diamond, false, BrushStroke::Remove, 4},
        {TerrainBrushSettings::Circle, true, BrushStroke::Build, 4},
        {TerrainBrushSettings::Circle, true, BrushStroke::Remove, 1},
        {TerrainBrushSettings::Circle, false, BrushStroke::Remove, 4},
    };
    for (const Row& row : rows) {
        TerrainBrushSettings brush;
        brush.brushType = row.type;
        brush.pyramidal = brush.sphereHeight = row.layered;
        brush.blocksToAddHeight = 4;
        EXPECT_EQ(Game::BrushColumnCount(brush, row.stroke), row.count) << row.type;
    }
}

TEST_F(TerrainBrushToolTest, TheBarShowsAndWritesTheSelection)
{
    devgui::Panels& panels = Vesk::IDevGUI::GetInstance().GetPanels();
    ASSERT_NE(panels.FindBar("TerrainBar"), devgui::kNoBar);
    EXPECT_TRUE(m_Tool->GetListener().IsEnabled());
    devgui::Value value;
    value.u = 12;
    ASSERT_TRUE(panels.SetValue("TerrainBar", "SelectionBlockWidthVar", value));
    value.u = 1000; // past the grid: the last block
    ASSERT_TRUE(panels.SetValue("TerrainBar", "SelectionBlockDepthVar", value));
    EXPECT_EQ(m_Tool->GetSelectedBlock(), (BrushBlock{12, 0, 249}));
    EXPECT_TRUE(m_Tool->IsHighlightShown());
    ASSERT_TRUE(panels.GetValue("TerrainBar", "SelectionBlockWidthVar", value));
    EXPECT_EQ(value.u, 12u);
    value.i = 1;
    ASSERT_TRUE(panels.SetValue("TerrainBar", "ModeVar", value));
    EXPECT_EQ(m_Tool->m_TerrainMode, CLETerrainBrushTool::Building);

    m_Tool->Hide();
    EXPECT_EQ(panels.FindBar("TerrainBar"), devgui::kNoBar);
    EXPECT_FALSE(m_Tool->GetListener().IsEnabled());
}

// A brush larger than the grid: one stroke over every column, undone exactly.
TEST_F(TerrainBrushToolTest, AStrokeOverTheWholeGridUndoesExactly)
{
    TerrainBrushSettings& brush = m_Tool->GetSettings();
    brush.brushType = TerrainBrushSettings::Circle;
    brush.brushRadius = UINT32_MAX;
    brush.sphereHeight = true;
    brush.heightDisplacement = UINT32_MAX;
    m_Tool->SetSelectedBlock({10, 0, 5});
    const unsigned before = Terrain().GetBlockCount();
    const Cells original = Snapshot();
    m_Tool->Remove(); // every column dug by one
    EXPECT_EQ(Terrain().GetBlockCount(), 0u);
    brush.sphereHeight = false;
    m_Tool->Build(); // every column of the grid raised by one
    EXPECT_EQ(Terrain().GetBlockCount(), Game::MAX_WIDTH * Game::MAX_DEPTH);
    History().Undo();
    History().Undo();
    EXPECT_EQ(Terrain().GetBlockCount(), before);
    EXPECT_EQ(Snapshot(), original);
}

// The highlight repeats over the cubic brush's width and depth, never past the grid's edge.
TEST_F(TerrainBrushToolTest, TheHighlightCoversTheBrushInsideTheGrid)
{
    m_Tool->GetSettings().brushWidth = 3;
    m_Tool->GetSettings().brushDepth = 2;
    struct Row {
        BrushBlock block;
        size_t boxes;
    } rows[] = {{{10, 0, 5}, 6}, {{249, 0, 5}, 2}, {{248, 0, 249}, 2}};
    for (const Row& row : rows) {
        m_Tool->SetSelectedBlock(row.block);
        m_Tool->SelectBlock();
        const size_t queued = Vesk::CRenderer::GetInstance().GetQueuedLines().size();
        m_Tool->Update(1.0f / 60.0f);
        EXPECT_EQ(Vesk::CRenderer::GetInstance().GetQueuedLines().size() - queued, row.boxes * 24)
            << row.block.x << ", " << row.block.z;
    }
    m_Tool->SetHighlight(false, CAABB());
    const size_t queued = Vesk::CRenderer::GetInstance().GetQueuedLines().size();
    m_Tool->Update(1.0f / 60.0f);
    EXPECT_EQ(Vesk::CRenderer::GetInstance().GetQueuedLines().size(), queued);
}

} // namespace
