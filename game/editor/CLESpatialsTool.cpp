#include "game/editor/CLESpatialsTool.h"

#include "game/base/CSlotHash.h"
#include "game/base/GameEnums.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/editor/CLevelEditorMessageSystem.h"
#include "game/editor/EditorMessage.h"

#include "devgui/IDevGUI.h"
#include "input/CInputManager.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <cmath>

namespace Game {

namespace {

constexpr const char* kPrefabSettingsPath = "./assets/prefabsettings.xml";

CLESpatialsTool& Tool(void* clientData) { return *static_cast<CLESpatialsTool*>(clientData); }

bool IsTriggerType(uint32_t type) { return type >= SOUND_TRIGGER && type <= LOCATIONBASED_SPAWNER_TRIGGER; }

bool PointerRay(const Vesk::MouseEvent& event, CRay& ray)
{
    const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
    if (!camera)
        return false;
    ray = camera->GetPickRay(event.fx, event.fy, true);
    return true;
}

bool PointOnPlane(const CRay& ray, const CPlane& plane, CVector3D& out)
{
    float t = 0.0f;
    if (!RayIntersectPlane(ray, plane, &t))
        return false;
    out = ray.origin + ray.direction * t;
    return true;
}

// "enum='12 { SOUND_TRIGGER}, 13 { CAMERA_LOCK_TRIGGER}, ...'" over the game-trigger types.
std::string TriggerTypeList()
{
    std::string list = "enum='";
    for (int type = SOUND_TRIGGER; type <= LOCATIONBASED_SPAWNER_TRIGGER; ++type) {
        if (type != SOUND_TRIGGER)
            list += ", ";
        list += std::to_string(type) + " { " + CSlotHash::GetInstance().NameOf(type, SLOT_ENTITY_TYPE) + "}";
    }
    return list + "'";
}

} // namespace

// Listener

void CLESpatialsListener::SetEnabled(bool enabled)
{
    Vesk::IKeyboardListener::m_Enabled = enabled;
    Vesk::IMouseListener::m_Enabled = enabled;
    if (!enabled)
        Cancel();
}

void CLESpatialsListener::Cancel()
{
    m_Footprint = m_Height = false;
    m_Tool->m_BoxShown = false;
}

void CLESpatialsListener::OnMouseUp(const Vesk::MouseEvent& event)
{
    CLESpatialsTool& tool = *m_Tool;
    CRay ray;
    if (!PointerRay(event, ray))
        return;
    if (tool.IsInWaypointPlacement()) {
        if (event.button != 0)
            return;
        CVector3D point;
        if (tool.PointOnVerticalPlane(ray, point))
            tool.CreateWaypoint(point);
        else
            WriteEditorMessage("No waypoint placed: the pointer does not meet the placement plane");
        Cancel();
        return;
    }
    if (event.button != 0) {
        Cancel();
        return;
    }
    if (!m_Footprint && !m_Height) {
        CVector3D point;
        if (!tool.PointOnHorizontalPlane(ray, point)) {
            WriteEditorMessage("No box started: the pointer does not meet the placement plane");
            return;
        }
        m_Footprint = true;
        tool.m_BoxShown = true;
        tool.m_Box = CAABB(point, point);
    } else if (!m_Height) {
        m_Height = true;
        m_PointerY = float(event.y);
        m_BottomY = tool.m_Box.min.y;
    } else {
        tool.CreateSpatial();
        tool.m_Box = CAABB();
        Cancel();
    }
}

void CLESpatialsListener::OnMouseMove(const Vesk::MouseEvent& event)
{
    CLESpatialsTool& tool = *m_Tool;
    if (tool.GetSpatialsMode() == CLESpatialsTool::Waypoints)
        return;
    if (m_Height) {
        // Half a unit per pixel; moving the pointer up raises the top.
        tool.m_Box.max.y = m_BottomY + (m_PointerY - float(event.y)) * 0.5f;
        return;
    }
    CRay ray;
    CVector3D point;
    if (m_Footprint && PointerRay(event, ray) && tool.PointOnHorizontalPlane(ray, point))
        tool.m_Box.max = point;
}

// Tool

CLESpatialsTool::CLESpatialsTool() : m_Listener(std::make_unique<CLESpatialsListener>(this))
{
    m_Listener->SetEnabled(false);
}

CLESpatialsTool::~CLESpatialsTool() { Hide(); }

void CLESpatialsTool::Show()
{
    if (!m_Bar.IsEmpty())
        return;
    using Vesk::IDevGUI;
    m_Bar = IDevGUI::NewBar("SpatialsBar");
    IDevGUI::Define("SpatialsBar position='1050 10' size='325 300' valueswidth=fit fontsize='2' help='Controls "
                    "triggers/pathfinding areas'");
    m_Bar.AddSeparator();
    m_Bar.AddSeparator();
    m_Bar.AddVarCB(
        "SpatialsModeVar", IDevGUI::DefineEnum("SpatialsModeEnum", {}),
        [](const void* v, void* c) { Tool(c).SetSpatialsMode(*static_cast<const uint32_t*>(v)); },
        [](void* v, void* c) { *static_cast<uint32_t*>(v) = Tool(c).GetSpatialsMode(); }, this,
        "label='Spatials Mode' enum='0 {Collision boxes}, 1 {GameTrigger Boxes}, 2 {Pathfind Spatials}, "
        "3{Waypoints}' key='`'");
    m_Bar.AddButton("SpatialsInfoText", nullptr, this, "label='Q/E keys to control red aabb placement plane'");
    m_Bar.AddVarRW("SpatialsPlaneY", devgui::TYPE_FLOAT, &m_PlaneHeight, "label='Plane Y Position");
    m_Bar.AddSeparator();
    m_Bar.AddButton("RegionTypesText", nullptr, this, "label='RegionTypes'");
    m_Bar.AddVarRW("SpatialsTypeVar", IDevGUI::DefineEnum("RegionTypeEnum", {}), &m_RegionType,
                   "label='Spatials' enum='0 {Rectangular Spatials}, 1 {Circular Spatials}' key=1");
    IDevGUI::Define("SpatialsBar/Prefab group='Prefabs'");
    m_Listener->SetEnabled(true);
    SetSpatialsMode(m_SpatialsMode);
}

void CLESpatialsTool::Hide()
{
    m_Listener->SetEnabled(false);
    Vesk::IDevGUI::DeleteBar(m_Bar);
}

void CLESpatialsTool::RemoveModeVariables()
{
    for (const char* name : {"TriggerTypesVar", "PrefabTriggerTypesVar", "RegenPrefabsBtn", "WaypointTypesVar"})
        m_Bar.RemoveVar(name);
}

void CLESpatialsTool::SetSpatialsMode(uint32_t mode)
{
    if (!m_Bar.IsEmpty()) {
        using Vesk::IDevGUI;
        // What the previous mode added goes first, so that choosing a mode again rebuilds its list.
        RemoveModeVariables();
        if (mode == GameTriggerBoxes) {
            m_Bar.AddVarCB(
                "TriggerTypesVar", IDevGUI::DefineEnum("TriggersCreateModeEnum", {}),
                [](const void* v, void* c) { Tool(c).SetTriggerType(*static_cast<const uint32_t*>(v)); },
                [](void* v, void* c) { *static_cast<uint32_t*>(v) = Tool(c).GetTriggerType(); }, this,
                "label='TriggerType' key= 2 " + TriggerTypeList());
            SetTriggerType(m_TriggerType);
        } else if (mode == Waypoints) {
            m_Bar.AddVarRW("WaypointTypesVar", IDevGUI::DefineEnum("WaypointsCreateModeEnum", {}), &m_WaypointType,
                           "label='WaypointType' enum='0 {Camera Waypoints}, 1 {AI Waypoints}' key=2");
        }
    }
    m_SpatialsMode = mode;
}

void CLESpatialsTool::SetTriggerType(uint32_t type)
{
    if (IsTriggerType(type))
        m_TriggerType = type;
    if (m_Bar.IsEmpty())
        return;
    m_Bar.RemoveVar("PrefabTriggerTypesVar");
    m_Bar.RemoveVar("RegenPrefabsBtn");
    m_Bar.AddButton(
        "RegenPrefabsBtn", [](void* c) { Tool(c).ReloadPrefabs(); }, this,
        "label='Reload from prefabsettings.xml (Use this for changing prefab variables)'");
    const Vesk::DevGUIType prefabs = Vesk::IDevGUI::DefineEnum(
        "SpatialsPrefabsEnum", CGamePrefabSettings::GetInstance().GetGameTriggerSettingNames(int(m_TriggerType)));
    m_Bar.AddVarRW("PrefabTriggerTypesVar", prefabs, &m_GameTriggerPrefabIndex,
                   "label='GameTriggerPrefabName' group='Prefabs'");
}

void CLESpatialsTool::ReloadPrefabs()
{
    CGamePrefabSettings& prefabs = CGamePrefabSettings::GetInstance();
    prefabs.Shutdown();
    if (!prefabs.LoadFromXml(kPrefabSettingsPath))
        WriteEditorMessage(std::string("Prefab settings not reloaded: ") + kPrefabSettingsPath + " could not be read");
    if (m_SpatialsMode == GameTriggerBoxes)
        SetTriggerType(m_TriggerType);
}

float CLESpatialsTool::AlignToGrid(float value)
{
    const float r = std::fmod(value, kGrid);
    return r < 0.5f ? value - r : value;
}

void CLESpatialsTool::Update(float dt)
{
    const float step = kPlaneSpeed * dt;
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
    const CVector3D lookAt = camera ? camera->GetLookAt() : CVector3D(0.0f, 0.0f, 0.0f);
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    if (IsInWaypointPlacement()) {
        if (input.IsKeyDown(win::VK_UP))
            m_VerticalPlaneZ -= step;
        else if (input.IsKeyDown(win::VK_DOWN))
            m_VerticalPlaneZ += step;
        m_VerticalPlaneZ = AlignToGrid(m_VerticalPlaneZ);
        renderer.DrawTriangle(CVector3D(lookAt.x, lookAt.y, m_VerticalPlaneZ), CVector3D(0.0f, -100.0f, 0.0f),
                              CVector3D(200.0f, 0.0f, 0.0f), 255.0f, 0.0f, 0.0f, 64.0f);
        return;
    }
    if (input.IsKeyDown('Q'))
        m_PlaneHeight += step;
    else if (input.IsKeyDown('E'))
        m_PlaneHeight -= step;
    m_PlaneHeight = AlignToGrid(m_PlaneHeight);
    renderer.DrawTriangle(CVector3D(lookAt.x, m_PlaneHeight, lookAt.z), CVector3D(0.0f, 0.0f, 100.0f),
                          CVector3D(200.0f, 0.0f, 0.0f), 255.0f, 0.0f, 0.0f, 64.0f);
    if (m_BoxShown)
        renderer.DrawAABB(m_Box, 255.0f, 255.0f, 0.0f);
    for (const CAABB& placed : m_PlacedBoxes)
        renderer.DrawAABB(placed, 0.0f, 255.0f, 0.0f);
}

// The planes are taken where they are shown (after grid alignment and bar edits).
bool CLESpatialsTool::PointOnHorizontalPlane(const CRay& ray, CVector3D& out) const
{
    return PointOnPlane(ray, CPlane(0.0f, 1.0f, 0.0f, -m_PlaneHeight), out);
}

bool CLESpatialsTool::PointOnVerticalPlane(const CRay& ray, CVector3D& out) const
{
    return PointOnPlane(ray, CPlane(0.0f, 0.0f, 1.0f, -m_VerticalPlaneZ), out);
}

void CLESpatialsTool::CreateSpatial()
{
    int type = 0;
    if (m_SpatialsMode == CollisionBoxes) {
        type = COLLISIONBOX;
    } else if (m_SpatialsMode == GameTriggerBoxes) {
        type = int(m_TriggerType);
    } else {
        WriteEditorMessage("Nothing created: Pathfind Spatials and AI Waypoints have no entity to place");
        return;
    }
    CAABB box = m_Box;
    box.SortCorners();
    const CVector3D size = box.max - box.min;
    // A box flat on any axis can never be touched.
    if (!(size.x > 0.0f && size.y > 0.0f && size.z > 0.0f)) {
        WriteEditorMessage("Nothing created: the box needs a width, a depth and a height");
        return;
    }
    m_PlacedBoxes.push_back(box);

    auto packet = std::make_unique<CreateEntityMessagePacket>();
    packet->m_EntityType = type;
    EntitySetting& setting = packet->m_EntitySetting;
    setting.m_MeshName.clear();
    setting.m_DimX = size.x;
    setting.m_DimY = size.y;
    setting.m_DimZ = size.z;
    setting.m_CollisionCallback = 0;
    setting.m_StartPosition = box.GetCenter();
    const CGamePrefabSettings& prefabs = CGamePrefabSettings::GetInstance();
    const std::string name = prefabs.GetGameTriggerSettingName(int(m_TriggerType), m_GameTriggerPrefabIndex);
    packet->m_GameTriggerSetting = prefabs.GetGameTriggerSetting(int(m_TriggerType), name);
    packet->m_GameTriggerPrefabName = name;
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(packet));
}

void CLESpatialsTool::CreateWaypoint(const CVector3D& position)
{
    auto packet = std::make_unique<CreateEntityMessagePacket>();
    packet->m_EntityType = CAMERAWAYPOINT;
    packet->m_EntitySetting.m_StartPosition = position;
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(packet));
}

} // namespace Game
