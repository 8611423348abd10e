#include "game/cameras/CObjectCamera.h"

#include "core/AtomicFile.h"
#include "debug/CDebugOutputManager.h"
#include "input/CInputManager.h"
#include "platform/win/RegularFile.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace Game {

namespace {

constexpr float kDegreesToRadians = 0.0174532f;

std::string WholeNumbers(const CVector3D& point)
{
    std::ostringstream out;
    out << static_cast<int>(point.x) << ' ' << static_cast<int>(point.y) << ' ' << static_cast<int>(point.z);
    return out.str();
}

bool KeyHeld(uint32_t key) { return Vesk::CInputManager::GetInstance().IsKeyDown(key); }

} // namespace

std::string FormatObjectCamView(const ObjectCamView& view, const CVector3D& eye)
{
    std::ostringstream out;
    out << static_cast<double>(view.distance) << '\n'
        << static_cast<double>(view.yaw) << '\n'
        << static_cast<double>(view.pitch) << '\n';
    out << static_cast<int>(view.lookAt.x) << '\n'
        << static_cast<int>(view.lookAt.y) << '\n'
        << static_cast<int>(view.lookAt.z) << '\n';
    out << "CAMERA POSITION: " << WholeNumbers(eye) << '\n';
    out << "CAMERA LOOK--AT: " << WholeNumbers(view.lookAt) << '\n';
    return out.str();
}

bool ParseObjectCamView(const std::string& text, ObjectCamView& view)
{
    std::istringstream in(text);
    ObjectCamView read;
    if (!(in >> read.distance >> read.yaw >> read.pitch >> read.lookAt.x >> read.lookAt.y >> read.lookAt.z))
        return false;
    if (!std::isfinite(read.distance) || !std::isfinite(read.yaw) || !std::isfinite(read.pitch))
        return false;
    read.distance = std::max(read.distance, CObjectCamera::kMinDistance);
    read.pitch = std::clamp(read.pitch, -CObjectCamera::kMaxPitch, CObjectCamera::kMaxPitch);
    view = read;
    return true;
}

void CObjectCamera::OnDrag(const Vesk::MouseEvent& event, const MouseDragState& drag)
{
    const bool ctrl = KeyHeld(win::VK_CONTROL);
    const bool shift = KeyHeld(win::VK_SHIFT);
    if (!ctrl && !shift && drag.rightHeld) {
        m_View.yaw -= static_cast<float>(event.dx) * kDragSensitivity;
        m_View.pitch += static_cast<float>(event.dy) * kDragSensitivity;
    } else if (shift && drag.rightHeld) {
        m_View.distance += static_cast<float>(event.dy);
    } else if (shift && drag.leftHeld) {
        PanAcrossView(*this, event.dx, event.dy, kDragSensitivity);
        m_View.lookAt = m_LookAt;
        UpdateAnglesFromLookAt();
        m_View.distance = m_Distance;
    }
    m_View.pitch = std::clamp(m_View.pitch, -kMaxPitch, kMaxPitch);
    m_View.distance = std::max(m_View.distance, kMinDistance);
}

CObjectCamera::CObjectCamera()
    : m_pListener(std::make_unique<MouseDragListener>(
          [this](const Vesk::MouseEvent& event, const MouseDragState& drag) { OnDrag(event, drag); }))
{
}

CObjectCamera::~CObjectCamera() = default;

void CObjectCamera::Reset()
{
    m_View = ObjectCamView();
    m_pListener->ReleaseButtons();
    PlaceOnOrbit();
    CCamera::Reset();
}

void CObjectCamera::LookFrom(const CVector3D& eye, const CVector3D& lookAt)
{
    const CVector3D offset = eye - lookAt;
    const float distance = offset.Length();
    m_View.lookAt = lookAt;
    m_View.distance = std::max(distance, kMinDistance);
    const float pitch = distance > 0.0f ? std::asin(std::clamp(offset.y / distance, -1.0f, 1.0f)) : 0.0f;
    m_View.pitch = std::clamp(pitch / kDegreesToRadians, -kMaxPitch, kMaxPitch);
    m_View.yaw = std::atan2(offset.z, offset.x) / kDegreesToRadians;
    m_FirstUpdate = false;
    PlaceOnOrbit();
    UpdateAnglesFromLookAt();
}

void CObjectCamera::PlaceOnOrbit()
{
    const float yaw = m_View.yaw * kDegreesToRadians;
    const float pitch = m_View.pitch * kDegreesToRadians;
    m_LookAt = m_View.lookAt;
    m_Eye = m_LookAt + CVector3D(std::cos(pitch) * std::cos(yaw), std::sin(pitch), std::cos(pitch) * std::sin(yaw)) *
                           m_View.distance;
}

void CObjectCamera::Update(float dt)
{
    if (m_FirstUpdate) {
        Reset();
        m_FirstUpdate = false;
    }
    PlaceOnOrbit();
    WrapCursorAtEdges(m_pListener->GetState());
    UpdateAnglesFromLookAt();
    CCamera::Update(dt);
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    if (input.IsKeyPressed(win::VK_F5))
        SaveView();
    else if (input.IsKeyPressed(win::VK_SPACE))
        LoadView();
}

bool CObjectCamera::SaveView(const std::string& path)
{
    const bool saved = Vesk::WriteFileAtomically(path, FormatObjectCamView(m_View, m_Eye), "CObjectCamera");
    Vesk::CDebugOutputManager::GetInstance().AddLine(saved ? "Camera position saved."
                                                           : "Camera position not saved: cannot write " + path);
    return saved;
}

bool CObjectCamera::LoadView(const std::string& path)
{
    std::string text, error;
    if (!win::ReadRegularFile(path, text, error) || !ParseObjectCamView(text, m_View))
        return false;
    PlaceOnOrbit();
    UpdateAnglesFromLookAt();
    return true;
}

} // namespace Game
