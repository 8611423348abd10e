#include "game/editor/CLETerrainBrushTool.h"

#include "game/cameras/CLevelEditorCamera.h"
#include "game/editor/CLevelEditorMessageSystem.h"
#include "game/world/CLevelManager.h"

#include "devgui/IDevGUI.h"
#include "input/CInputManager.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <algorithm>

namespace Game {

namespace {

CLETerrainBrushTool& Tool(void* clientData) { return *static_cast<CLETerrainBrushTool*>(clientData); }

// The current camera's pick ray through the event's point of the viewport; false without a camera.
bool PointerRay(const Vesk::MouseEvent& event, CRay& ray)
{
    const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
    if (!camera)
        return false;
    ray = camera->GetPickRay(event.fx, event.fy, true);
    return true;
}

// The bar's selected-block fields: a write selects the block written.
template <uint32_t BrushBlock::*Axis>
void SetAxis(const void* value, void* clientData)
{
    BrushBlock block = Tool(clientData).GetSelectedBlock();
    block.*Axis = *static_cast<const uint32_t*>(value);
    Tool(clientData).SetSelectedBlock(block);
    Tool(clientData).SelectBlock();
}

template <uint32_t BrushBlock::*Axis>
void GetAxis(void* value, void* clientData)
{
    *static_cast<uint32_t*>(value) = Tool(clientData).GetSelectedBlock().*Axis;
}

bool CtrlHeld() { return Vesk::CInputManager::GetInstance().IsKeyDown(win::VK_CONTROL); }

// The camera's slot 0 (Reset) switches an editor camera's keys back on; the brush keeps them.
void ResetCamera()
{
    Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
    if (!camera)
        return;
    camera->Reset();
    if (auto* editorCamera = dynamic_cast<CLevelEditorCamera*>(camera))
        editorCamera->DisableInput();
}

} // namespace

// Listener

void CLETerrainBrushListener::SetEnabled(bool enabled)
{
    Vesk::IKeyboardListener::m_Enabled = enabled;
    Vesk::IMouseListener::m_Enabled = enabled;
    if (!enabled)
        m_BuildingHeld = m_PaintingHeld = m_RemovingHeld = false;
}

void CLETerrainBrushListener::OnMouseDown(const Vesk::MouseEvent& event)
{
    CLETerrainBrushTool& tool = *m_Tool;
    CRay ray;
    if (!PointerRay(event, ray))
        return;
    const bool byMouse = tool.m_SelectionControl == CLETerrainBrushTool::MouseSelection;
    const bool building = tool.m_TerrainMode == CLETerrainBrushTool::Building;
    if (event.button == 0) {
        if (!byMouse) {
            tool.SelectFromRay(ray);
        } else if (building) {
            m_BuildingHeld = true;
            if (tool.SelectFromRay(ray))
                tool.Build();
        } else {
            m_PaintingHeld = true;
            if (tool.SelectFromRay(ray))
                tool.Paint();
        }
    }
    if (event.button == 1 && !CtrlHeld() && byMouse && building) {
        m_RemovingHeld = true;
        if (tool.SelectFromRay(ray))
            tool.Remove();
    }
}

void CLETerrainBrushListener::OnMouseMove(const Vesk::MouseEvent& event)
{
    CLETerrainBrushTool& tool = *m_Tool;
    CRay ray;
    if (!PointerRay(event, ray))
        return;
    // A stroke only where the pointer meets the terrain: a move over nothing edits nothing.
    if (m_BuildingHeld) {
        if (tool.SelectFromRay(ray))
            tool.Build();
    } else if (m_PaintingHeld) {
        if (tool.SelectFromRay(ray))
            tool.Paint();
    } else if (m_RemovingHeld) {
        if (tool.SelectFromRay(ray))
            tool.Remove();
    } else if (tool.m_SelectionControl == CLETerrainBrushTool::MouseSelection) {
        tool.SelectFromRay(ray);
    }
}

void CLETerrainBrushListener::OnMouseUp(const Vesk::MouseEvent& event)
{
    const CLETerrainBrushTool& tool = *m_Tool;
    if (tool.m_SelectionControl == CLETerrainBrushTool::KeyboardSelection) {
        m_BuildingHeld = m_PaintingHeld = false;
        return;
    }
    if (event.button == 0) {
        if (tool.m_TerrainMode == CLETerrainBrushTool::Building)
            m_BuildingHeld = false;
        else
            m_PaintingHeld = false;
    } else if (event.button == 1) {
        m_RemovingHeld = false;
    }
}

void CLETerrainBrushListener::OnKeyDown(const Vesk::KeyEvent& event)
{
    CLETerrainBrushTool& tool = *m_Tool;
    if (tool.m_SelectionControl != CLETerrainBrushTool::KeyboardSelection)
        return;
    BrushBlock block = tool.GetSelectedBlock();
    switch (event.key) {
    case 'W': block.z -= block.z > 0 ? 1 : 0; break;
    case 'S': block.z += block.z < CLETerrainBrushTool::kLastZ ? 1 : 0; break;
    case 'A': block.x += block.x < CLETerrainBrushTool::kLastX ? 1 : 0; break;
    case 'D': block.x -= block.x > 0 ? 1 : 0; break;
    case 'Q': block.y += block.y < CLETerrainBrushTool::kLastY ? 1 : 0; break;
    case 'E': block.y -= block.y > 0 ? 1 : 0; break;
    case 'Z': ResetCamera(); return;
    default: return;
    }
    tool.SetSelectedBlock(block);
    tool.SelectBlock();
}

void CLETerrainBrushListener::OnKeyUp(const Vesk::KeyEvent& event)
{
    CLETerrainBrushTool& tool = *m_Tool;
    if (tool.m_SelectionControl != CLETerrainBrushTool::KeyboardSelection || event.key != win::VK_SPACE)
        return;
    const bool building = tool.m_TerrainMode == CLETerrainBrushTool::Building;
    if (CtrlHeld()) {
        if (building)
            tool.Remove();
    } else if (building) {
        tool.Build();
    } else {
        tool.Paint();
    }
}

// Tool

CLETerrainBrushTool::CLETerrainBrushTool() : m_Listener(std::make_unique<CLETerrainBrushListener>(this))
{
    m_Listener->SetEnabled(false);
}

CLETerrainBrushTool::~CLETerrainBrushTool() { Hide(); }

void CLETerrainBrushTool::Show()
{
    if (!m_Bar.IsEmpty())
        return;
    BuildBar();
    m_Listener->SetEnabled(true);
}

void CLETerrainBrushTool::Hide()
{
    m_Listener->SetEnabled(false);
    Vesk::IDevGUI::DeleteBar(m_Bar);
}

void CLETerrainBrushTool::BuildBar()
{
    using Vesk::IDevGUI;
    m_Bar = IDevGUI::NewBar("TerrainBar");
    IDevGUI::Define("TerrainBar position='1050 10' size='300 450' valueswidth=fit fontsize='2' help='Terrain Bar'");
    m_Bar.AddVarRW("ModeVar", IDevGUI::DefineEnum("TerrainModeEnum", {}), &m_TerrainMode,
                   "label='Mode' enum='0 {Painting}, 1 {Building}' key='`'");
    m_Bar.AddVarRW("SelectModeVar", IDevGUI::DefineEnum("SelectionModeEnum", {}), &m_SelectionControl,
                   "label='Selection Control' enum='0 {Mouse}, 1 {Keyboard}' key='1'");
    m_Bar.AddSeparator();
    m_Bar.AddVarCB("SelectionBlockWidthVar", devgui::TYPE_UINT32, SetAxis<&BrushBlock::x>, GetAxis<&BrushBlock::x>,
                   this, "label='SelectionBlockWidth' group='Selection Block'");
    m_Bar.AddVarCB("SelectionBlockHeightVar", devgui::TYPE_UINT32, SetAxis<&BrushBlock::y>, GetAxis<&BrushBlock::y>,
                   this, "label='SelectionBlockHeight' group='Selection Block'");
    m_Bar.AddVarCB("SelectionBlockDepthVar", devgui::TYPE_UINT32, SetAxis<&BrushBlock::z>, GetAxis<&BrushBlock::z>,
                   this, "label='SelectionBlockDepth' group='Selection Block'");
    m_Bar.AddVarRW("BrushTypeVar", IDevGUI::DefineEnum("BrushModeEnum", {}), &m_Brush.brushType,
                   "label='Brush Type' enum='0 {Cubic}, 1 {Diamond}, 2 {Circle}' key=2 group='Brush Properties'");
    const struct {
        const char* name;
        devgui::TypeId type;
        void* variable;
        const char* definition;
    } bound[] = {
        {"DisplacementHeightVar", devgui::TYPE_UINT32, &m_Brush.blocksToAddHeight,
         "label='Blocks To Add Height' group='Brush Properties'"},
        {"BrushWidthVar", devgui::TYPE_UINT32, &m_Brush.brushWidth,
         "label='Brush Width' keyincr=n keydecr=m group='Cubic'"},
        {"BrushHeightVar", devgui::TYPE_UINT32, &m_Brush.brushDepth,
         "label='Brush Depth' keyincr=h keydecr=j group='Cubic'"},
        {"BrushDiamondLengthVar", devgui::TYPE_UINT32, &m_Brush.diamondSideLength,
         "label='Brush Diamond Side Length' group='Diamond'"},
        {"BrushDiamondPyramidVar", devgui::TYPE_BOOL, &m_Brush.pyramidal, "label='Pyramidal Blocks' group='Diamond'"},
        {"BrushRadiusVar", devgui::TYPE_UINT32, &m_Brush.brushRadius, "label='Brush Radius' group='Circular'"},
        {"BrushEnableSphereHeightVar", devgui::TYPE_BOOL, &m_Brush.sphereHeight,
         "label='Brush Height' group='Circular'"},
        {"BrushHeightDisplVar", devgui::TYPE_UINT32, &m_Brush.heightDisplacement,
         "label='Brush Height Displ' group='Circular'"},
    };
    for (const auto& variable : bound)
        m_Bar.AddVarRW(variable.name, variable.type, variable.variable, variable.definition);
    IDevGUI::Define("TerrainBar/Circular group='Brush Properties'");
    IDevGUI::Define("TerrainBar/Cubic group='Brush Properties'");
    IDevGUI::Define("TerrainBar/Diamond group='Brush Properties'");
    m_Bar.AddSeparator();
    m_Bar.AddVarRW("TerrainPaintColor", devgui::TYPE_COLOR3F, m_PaintColour, "label='PaintColor' group='Paint Color'");
    m_Bar.AddSeparator();
    m_Bar.AddVarRW("DisplaceFromTopCheckbox", devgui::TYPE_BOOL, &m_Brush.displaceFromTop,
                   "label='Displace From Top' group='Building Properties'");
    m_Bar.AddVarRW("HeightNoiseCheckbox", devgui::TYPE_BOOL, &m_Brush.noiseHeight,
                   "label='Noise Height' group='Building Properties'");
    m_Bar.AddVarRW("DestructibleCheckbox", devgui::TYPE_BOOL, &m_Brush.destructible,
                   "label='Destructible blocks' group='Building Properties'");
    m_Bar.AddSeparator();
}

void CLETerrainBrushTool::Update(float)
{
    if (!m_HighlightShown)
        return;
    // The highlight repeats over the cubic brush's width and depth, whatever the brush.
    const CVector3D size = m_HighlightBox.max - m_HighlightBox.min;
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    // Copies past the grid's edge would mark nothing the brush reaches.
    const uint32_t columns = std::min<uint32_t>(m_Brush.brushWidth, MAX_WIDTH - m_SelectedBlock.x);
    const uint32_t rows = std::min<uint32_t>(m_Brush.brushDepth, MAX_DEPTH - m_SelectedBlock.z);
    for (uint32_t i = 0; i < columns; ++i)
        for (uint32_t j = 0; j < rows; ++j) {
            const CVector3D offset(size.x * float(i), 0.0f, size.z * float(j));
            renderer.DrawAABB(CAABB(m_HighlightBox.min + offset, m_HighlightBox.max + offset), 0.0f, 255.0f, 0.0f);
        }
}

bool CLETerrainBrushTool::SelectFromRay(const CRay& ray)
{
    const CTerrain* terrain = CLevelManager::GetInstance().GetTerrain();
    CAABB hit;
    if (!terrain || !terrain->PickBlock(ray, hit))
        return false;
    const CVector3D centre = hit.GetCenter();
    const CVector3D half = (hit.max - hit.min) * 0.5f;
    m_HighlightBox =
        CAABB(centre - CVector3D(half.x, half.y + 1.0f, half.z), centre + CVector3D(half.x, half.y + 1.0f, half.z));
    m_HighlightShown = true;
    // The centre lies on the block's own point: half a block more keeps the truncation on it.
    const float block = terrain->GetBlockSize();
    SetSelectedBlock(ToBrushBlock(BlockPosition(centre + CVector3D(0.5f, 0.5f, 0.5f) * block, block, *terrain)));
    return true;
}

void CLETerrainBrushTool::SelectBlock()
{
    const CTerrain* terrain = CLevelManager::GetInstance().GetTerrain();
    if (!terrain)
        return;
    CVector3D centre;
    terrain->BlockToWorld(centre, ToBlockPosition(m_SelectedBlock));
    const float size = terrain->GetBlockSize();
    m_HighlightBox = CAABB(centre, size, size + 1.0f, size);
    m_HighlightShown = true;
}

void CLETerrainBrushTool::SetSelectedBlock(const BrushBlock& block)
{
    m_SelectedBlock = {std::min(block.x, kLastX), std::min(block.y, kLastY), std::min(block.z, kLastZ)};
}

void CLETerrainBrushTool::SetHighlight(bool shown, const CAABB& box)
{
    m_HighlightShown = shown;
    m_HighlightBox = box;
}

CVector3D CLETerrainBrushTool::PaintColour255() const
{
    return CVector3D(m_PaintColour[0], m_PaintColour[1], m_PaintColour[2]) * 255.0f;
}

void CLETerrainBrushTool::Build() { Stroke(true); }

void CLETerrainBrushTool::Remove() { Stroke(false); }

void CLETerrainBrushTool::Stroke(bool adding)
{
    if (m_Brush.blocksToAddHeight == 0)
        return;
    const BrushStroke stroke = adding ? BrushStroke::Build : BrushStroke::Remove;
    auto packet = std::make_unique<TerrainMessagePacket>();
    packet->m_Positions = BrushRegion(m_Brush, m_SelectedBlock, stroke);
    if (packet->m_Positions.empty())
        return;
    packet->m_Adding = adding;
    packet->m_Column = m_Brush.displaceFromTop;
    packet->m_Count = BrushColumnCount(m_Brush, stroke);
    packet->m_Colour = adding ? PaintColour255() : CVector3D(255.0f, 255.0f, 255.0f);
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(packet));
}

void CLETerrainBrushTool::Paint()
{
    CTerrain* terrain = CLevelManager::GetInstance().GetTerrain();
    if (terrain)
        terrain->PaintBlocks(BrushRegion(m_Brush, m_SelectedBlock, BrushStroke::Paint), PaintColour255());
}

} // namespace Game
