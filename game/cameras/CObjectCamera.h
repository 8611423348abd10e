// CObjectCamera ("objectcam"): orbits a point for looking at one model. The right button drag
// turns it, Shift and the right button drag change its distance, Shift and the left button drag
// pan it. F5 saves the view to "assets/scripts/camera/objectCam.config" (atomically; the debug
// line tells whether it worked) and Space reads it back.
#pragma once

#include "game/cameras/CameraDrag.h"
#include "render/CCamera.h"

#include <memory>
#include <string>

namespace Game {

// The orbit as the view file keeps it.
struct ObjectCamView {
    float distance = 30.0f;
    float yaw = 90.0f;
    float pitch = 60.0f;
    CVector3D lookAt;
};

// The file's text: distance, yaw and pitch; the look-at point as whole numbers; two lines for
// people with the eye and the look-at point.
std::string FormatObjectCamView(const ObjectCamView& view, const CVector3D& eye);
// Distance, yaw, pitch and the look-at point from the text; false when they do not all read.
bool ParseObjectCamView(const std::string& text, ObjectCamView& view);

class CObjectCamera : public Vesk::CCamera {
public:
    static constexpr const char* kViewFile = "assets/scripts/camera/objectCam.config";
    static constexpr float kDragSensitivity = 0.4f;
    static constexpr float kMinDistance = 1.0f;
    static constexpr float kMaxPitch = 89.0f;

    CObjectCamera();
    ~CObjectCamera() override;

    // Distance 30, yaw 90, pitch 60 around the origin; drag state cleared.
    void Reset() override;
    // The orbit places the eye; F5 saves the view, else Space loads it.
    void Update(float dt) override;

    // The orbit that puts the eye at `eye` looking at `lookAt` (the first Update keeps it).
    void LookFrom(const CVector3D& eye, const CVector3D& lookAt);
    // The debug line "Camera position saved." or the failure; true when the file was written.
    bool SaveView(const std::string& path = kViewFile);
    // False (the orbit unchanged) when the file is missing or does not read.
    bool LoadView(const std::string& path = kViewFile);

    const ObjectCamView& GetView() const { return m_View; }

private:
    // Right drag turns, Shift and right drag changes the distance, Shift and left drag pans.
    void OnDrag(const Vesk::MouseEvent& event, const MouseDragState& drag);
    void PlaceOnOrbit();

    ObjectCamView m_View;
    bool m_FirstUpdate = true;
    std::unique_ptr<MouseDragListener> m_pListener;
};

} // namespace Game
