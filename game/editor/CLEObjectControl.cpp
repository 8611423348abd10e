#include "game/editor/CLEObjectControl.h"

#include "game/base/CSlotHash.h"
#include "game/base/GameEnums.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/editor/CLevelEditor.h"
#include "game/editor/CLevelEditorMessageSystem.h"
#include "game/editor/EditorMessage.h"
#include "game/entities/CEntity.h"
#include "game/terrain/CTerrain.h"
#include "game/world/CLevelManager.h"

#include "devgui/IDevGUI.h"
#include "input/CInputManager.h"
#include "math/Random.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Game {

namespace {

constexpr float kDegreesToRadians = 0.0174532f;
// The unit types the Units layer offers: GENERIC_ENT to WAVELOCATION.
constexpr int kLastUnitType = WAVELOCATION;

CLEObjectControl& Tool(void* clientData) { return *static_cast<CLEObjectControl*>(clientData); }

const Vesk::CCamera* CurrentCamera() { return Vesk::CCameraManager::GetInstance().GetCurrentCamera(); }

// The type selector's enumeration: "0 {GENERIC_ENT}, 1 {GENERIC_CHARACTER}, ...".
std::string UnitTypeDefinition()
{
    std::string definition = "label='Type' key= 3 enum='";
    for (int type = 0; type <= kLastUnitType; ++type) {
        if (type > 0)
            definition += ", ";
        definition += std::to_string(type) + " {" + CSlotHash::GetInstance().NameOf(type, SLOT_ENTITY_TYPE) + "}";
    }
    return definition + "'";
}

} // namespace

// Handles

CVector3D CLEAxisHandle::Unit() const
{
    CVector3D unit(0.0f, 0.0f, 0.0f);
    unit[axis] = 1.0f;
    return unit;
}

void CLEAxisHandle::Place(const CVector3D& at)
{
    const CVector3D end = at + Unit() * kLength;
    tip = CAABB(end, kTipSize, kTipSize, kTipSize);
    CVector3D size(kShaftWidth, kShaftWidth, kShaftWidth);
    size[axis] = kLength;
    shaft = CAABB((at + end) * 0.5f, size.x, size.y, size.z);
}

bool CLEAxisHandle::IsHit(const CRay& ray) const
{
    return RayIntersectAABB(ray, tip, nullptr) || RayIntersectAABB(ray, shaft, nullptr);
}

CVector3D DragAlongAxis(const CVector3D& p, uint32_t axis, const CVector3D& eye, const CRay& ray)
{
    CVector3D normal(0.0f, 0.0f, 1.0f);
    if (axis != CLEObjectControl::AxisY && (eye - p).Length() > 0.0f)
        normal = (eye - p).GetNormalized();
    const CPlane plane(normal.x, normal.y, normal.z, -normal.Dot(p));
    float distance = 0.0f;
    const CVector3D hit = RayIntersectPlane(ray, plane, &distance) ? ray.origin + ray.direction * distance : ray.origin;
    CVector3D target = p;
    target[axis] = hit[axis];
    return target - CLEAxisHandle(axis).Unit() * CLEAxisHandle::kLength;
}

CVector3D TurnAboutY(const CVector3D& direction, float degrees)
{
    const float c = std::cos(degrees * kDegreesToRadians), s = std::sin(degrees * kDegreesToRadians);
    // The row vector times the rows (c, 0, -s), (0, 1, 0), (s, 0, c).
    return CVector3D(direction.x * c + direction.z * s, direction.y, -direction.x * s + direction.z * c);
}

// Listener

CLEObjectControlListener::CLEObjectControlListener(CLevelEditor* owner, CLEObjectControl* tool)
    : m_Owner(owner), m_Tool(tool)
{
    SetEnabled(false);
}

void CLEObjectControlListener::SetEnabled(bool enabled)
{
    // A drag cut short (the layer changed under it) ends where it is, as a release would.
    if (!enabled && m_Dragging)
        FinishDrag();
    Vesk::IKeyboardListener::m_Enabled = enabled;
    Vesk::IMouseListener::m_Enabled = enabled;
}

bool CLEObjectControlListener::OnToolLayer() const
{
    const uint32_t layer = m_Owner->GetLayer();
    return layer == CLevelEditor::UnitsLayer || layer == CLevelEditor::DoodadsLayer;
}

void CLEObjectControlListener::OnMouseDown(const Vesk::MouseEvent& event)
{
    if (event.button != 0 || !OnToolLayer()) {
        m_Dragging = false;
        return;
    }
    if (m_Tool->GetMode() == CLEObjectControl::CreateMode)
        return;
    CEntity* entity = m_Tool->GetSelectedEntity();
    const Vesk::CCamera* camera = CurrentCamera();
    if (!entity || !camera) {
        m_Tool->SetPickedAxis(CLEObjectControl::NoAxis);
        return;
    }
    // The handles stand where the selection is now, also when it was chosen this frame.
    m_Tool->PlaceHandles(entity->GetPosition());
    m_Tool->SetPickedAxis(m_Tool->PickHandle(camera->GetMousePickRay(true)));
    if (m_Tool->GetPickedAxis() == CLEObjectControl::NoAxis)
        return;
    m_Tool->m_OldPosition = entity->GetPosition();
    m_Tool->m_OldDirection = entity->GetDirection();
    m_DragStartDirection = entity->GetDirection();
    m_DragStartMouseY = Vesk::CInputManager::GetInstance().GetMouseY();
    m_DragEntity = EntityHandle(entity);
    m_Dragging = true;
}

void CLEObjectControlListener::OnMouseMove(const Vesk::MouseEvent&)
{
    if (!m_Dragging || !OnToolLayer())
        return;
    CEntity* entity = m_DragEntity.Get();
    const Vesk::CCamera* camera = CurrentCamera();
    if (!entity || !camera) {
        // The entity went while it was dragged: there is nothing left to move or record.
        m_Dragging = false;
        return;
    }
    const uint32_t axis = m_Tool->GetPickedAxis();
    if (m_Tool->GetMode() == CLEObjectControl::MoveMode && axis != CLEObjectControl::NoAxis) {
        const CVector3D position =
            DragAlongAxis(entity->GetPosition(), axis, camera->GetEye(), camera->GetMousePickRay(true));
        m_Tool->PlaceHandles(position);
        entity->SetPosition(position);
    } else if (m_Tool->GetMode() == CLEObjectControl::RotateMode && axis == CLEObjectControl::AxisY) {
        const float degrees = (m_DragStartMouseY - Vesk::CInputManager::GetInstance().GetMouseY()) * 90.0f;
        entity->SetDirection(TurnAboutY(m_DragStartDirection, degrees));
    }
}

void CLEObjectControlListener::FinishDrag()
{
    m_Dragging = false;
    CEntity* entity = m_DragEntity.Get();
    if (!entity)
        return;
    auto packet = std::make_unique<MoveEntityMessagePacket>();
    packet->m_Entity = m_DragEntity;
    packet->m_OldPosition = m_Tool->m_OldPosition;
    packet->m_NewPosition = entity->GetPosition();
    packet->m_OldDirection = m_Tool->m_OldDirection;
    packet->m_NewDirection = entity->GetDirection();
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(packet));
}

void CLEObjectControlListener::OnMouseUp(const Vesk::MouseEvent& event)
{
    if (event.button != 0)
        return;
    if (m_Dragging) {
        FinishDrag();
        return;
    }
    const Vesk::CCamera* camera = CurrentCamera();
    if (OnToolLayer() && m_Tool->GetMode() == CLEObjectControl::CreateMode && camera)
        m_Tool->CreateUnit(camera->GetMousePickRay(true));
}

// Tool

CLEObjectControl::CLEObjectControl(CLevelEditor* owner)
    : m_Listener(std::make_unique<CLEObjectControlListener>(owner, this)), m_Owner(owner)
{
}

CLEObjectControl::~CLEObjectControl() { Vesk::IDevGUI::DeleteBar(m_Bar); }

CEntity* CLEObjectControl::GetSelectedEntity() const { return m_Owner->GetSelectedEntity(); }

void CLEObjectControl::Show()
{
    const uint32_t layer = m_Owner->GetLayer();
    if (HasBar() && m_BarLayer == layer)
        return;
    Vesk::IDevGUI::DeleteBar(m_Bar);
    m_BarLayer = layer;
    BuildBar();
    m_Listener->SetEnabled(true);
}

void CLEObjectControl::Hide()
{
    m_Listener->SetEnabled(false);
    Vesk::IDevGUI::DeleteBar(m_Bar);
}

void CLEObjectControl::BuildBar()
{
    using Vesk::IDevGUI;
    m_Bar = IDevGUI::NewBar(kBarName);
    IDevGUI::Define("ObjectControlBar position='1050 10' size='250 350' valueswidth=fit fontsize='2' help='Controls "
                    "units/doodads'");
    m_Bar.AddSeparator();
    m_Bar.AddVarCB(
        "ObjCtrlModeVar", IDevGUI::DefineEnum("ObjCtrlModeEnum", {}),
        [](const void* v, void* c) { Tool(c).SetMode(uint32_t(*static_cast<const int32_t*>(v))); },
        [](void* v, void* c) { *static_cast<int32_t*>(v) = int32_t(Tool(c).GetMode()); }, this,
        "label='Mode' enum='0 {Create}, 1 {Move}, 2 {Rotate}, 3 {Scale}' key='`'");
    m_Bar.AddVarRW("RandomOrientationBtn", devgui::TYPE_BOOL, &m_RandomOrientation,
                   "label='Random Orientation' help='Give random orientation when creating objects' key=1");
    m_Bar.AddVarRW("RandomScaleBtn", devgui::TYPE_BOOL, &m_RandomScale,
                   "label='Random Scale' help='Give random orientation when creating objects' key=2");
    m_Bar.AddSeparator();
    if (m_BarLayer == CLevelEditor::UnitsLayer)
        m_Bar.AddVarCB(
            "UnitsCreateModeVar", IDevGUI::DefineEnum("UnitCreateModeEnum", {}),
            [](const void* v, void* c) { Tool(c).SetUnitCreateMode(uint32_t(*static_cast<const int32_t*>(v))); },
            [](void* v, void* c) { *static_cast<int32_t*>(v) = int32_t(Tool(c).GetUnitCreateMode()); }, this,
            UnitTypeDefinition());
    m_Bar.AddButton("LookDirInfo", nullptr, this, "label='LookDirection Default: 0, 0, -1'");
    m_Bar.AddVarRW("LookDirToUseVarX", devgui::TYPE_FLOAT, &m_LookDirection.x, "label='LookDirectionX'");
    m_Bar.AddVarRW("LookDirToUseVarY", devgui::TYPE_FLOAT, &m_LookDirection.y, "label='LookDirectionY'");
    m_Bar.AddVarRW("LookDirToUseVarZ", devgui::TYPE_FLOAT, &m_LookDirection.z, "label='LookDirectionZ'");
    m_Bar.AddButton(
        "RegenPrefabsBtn", [](void* c) { Tool(c).ReloadPrefabs(); }, this,
        "label='Reload from prefabsettings.xml (Use this for changing prefab variables)' group='Prefabs'");
    SetUnitCreateMode(m_CreateType);
}

void CLEObjectControl::SetUnitCreateMode(uint32_t type)
{
    m_CreateType = type;
    if (!HasBar())
        return;
    m_Bar.RemoveVar("PrefabToUseNameVar");
    const std::vector<std::string> names = CGamePrefabSettings::GetInstance().GetEntitySettingNames(int(type));
    if (m_PrefabIndex >= names.size())
        m_PrefabIndex = 0;
    m_Bar.AddVarCB(
        "PrefabToUseNameVar", Vesk::IDevGUI::DefineEnum("PrefabTypesEnum", names),
        [](const void* v, void* c) { Tool(c).m_PrefabIndex = uint32_t(std::max(0, *static_cast<const int32_t*>(v))); },
        [](void* v, void* c) { *static_cast<int32_t*>(v) = int32_t(Tool(c).m_PrefabIndex); }, this,
        "label='PrefabName' group='Prefabs'");
}

void CLEObjectControl::ReloadPrefabs()
{
    CGamePrefabSettings& prefabs = CGamePrefabSettings::GetInstance();
    prefabs.Shutdown();
    if (!prefabs.LoadFromXml(CGamePrefabSettings::kDefaultPath))
        WriteEditorMessage(std::string("Prefabs not reloaded: ") + CGamePrefabSettings::kDefaultPath +
                           " did not load; default settings are used");
    SetUnitCreateMode(m_CreateType);
}

// Per frame

void CLEObjectControl::PlaceHandles(const CVector3D& at)
{
    for (CLEAxisHandle& handle : m_Handles)
        handle.Place(at);
}

void CLEObjectControl::Update(float)
{
    const CEntity* entity = GetSelectedEntity();
    if (!entity)
        return;
    PlaceHandles(entity->GetPosition());
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    for (const CLEAxisHandle& handle : m_Handles) {
        const CVector3D colour = handle.Unit() * 255.0f;
        renderer.DrawAABB(handle.tip, colour.x, colour.y, colour.z);
        renderer.DrawAABB(handle.shaft, colour.x, colour.y, colour.z);
    }
}

uint32_t CLEObjectControl::PickHandle(const CRay& ray) const
{
    for (const CLEAxisHandle& handle : m_Handles)
        if (handle.IsHit(ray))
            return handle.axis;
    return NoAxis;
}

// Creation

void CLEObjectControl::CreateUnit(const CRay& ray)
{
    const CTerrain* terrain = CLevelManager::GetInstance().GetTerrain();
    CAABB block;
    if (!terrain || !terrain->PickBlock(ray, block)) {
        WriteEditorMessage("Nothing created: the pointer is not over the terrain");
        return;
    }
    const CGamePrefabSettings& prefabs = CGamePrefabSettings::GetInstance();
    auto packet = std::make_unique<CreateEntityMessagePacket>();
    packet->m_EntityType = int(m_CreateType);
    packet->m_EntitySettingPrefabName = prefabs.GetEntitySettingName(int(m_CreateType), m_PrefabIndex);
    EntitySetting& setting = packet->m_EntitySetting;
    setting = prefabs.GetEntitySetting(int(m_CreateType), packet->m_EntitySettingPrefabName);
    // Standing on the block: its top plus half the entity's height.
    const CVector3D centre = block.GetCenter();
    setting.m_StartPosition =
        CVector3D(centre.x, centre.y + (block.max.y - block.min.y) * 0.5f + setting.m_DimY * 0.5f, centre.z);
    CVector3D direction = m_LookDirection;
    if (m_RandomOrientation)
        direction = CVector3D(float(Random15()) / float(kRandomMax), 0.0f, float(Random15()) / float(kRandomMax));
    // A zero direction (both draws 0, or a cleared look direction) keeps the default facing.
    setting.m_Direction = direction.Length() > 0.0f ? direction.GetNormalized() : CVector3D(0.0f, 0.0f, -1.0f);
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(packet));
}

} // namespace Game
