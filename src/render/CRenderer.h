// Everything global to drawing: the graphics device on the main window, the back-buffer size,
// the two sprite batches (2D sprites, fonts), the stored view and projection (Direct3D form) and
// world matrix, the scene lights, the letter-boxed viewport, the per-frame states and clears, and
// the debug geometry queues (lines, camera-sorted quads and triangles) flushed each frame.
#pragma once

#include "core/CSingleton.h"
#include "math/AABB.h"
#include "math/Matrix4.h"
#include "math/Vector3D.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/SpriteBatch.h"
#include "render/CLight.h"
#include "render/Letterbox.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vesk {

class CRenderer : public CSingleton<CRenderer> {
public:
    bool Init() override;
    void Shutdown() override;

    bool IsInitialised() const { return m_Initialised; }
    bool HasDevice() const { return m_Device != nullptr; }
    // Null before Init and after Shutdown.
    gfx::Device* GetDevice() const { return m_Device.get(); }
    // The shared sprite batches: one for 2D sprites, one for text. Null without a device.
    gfx::SpriteBatch* GetSpriteBatch() const { return m_Sprite.get(); }
    gfx::SpriteBatch* GetTextSpriteBatch() const { return m_TextSprite.get(); }

    // Written by the window system before a device reset.
    void SetBackBufferSize(int width, int height, bool windowed);
    int GetScreenWidth() const { return m_ScreenWidth; }
    int GetScreenHeight() const { return m_ScreenHeight; }
    bool IsWindowed() const { return m_Windowed; }
    // The letter-boxed 3D viewport of the current camera in back-buffer pixels, and its height.
    ViewportRect GetViewportRect() const;
    int GetViewportHeight() const { return GetViewportRect().height; }

    void SetProjection(float fov, float aspect, float zNear, float zFar);
    void SetView(const CVector3D& eye, const CVector3D& lookAt, const CVector3D& up);
    // View and projection in Direct3D form (row vectors), as materials multiply them.
    const gfx::Matrix& GetViewMatrix() const { return m_View; }
    const gfx::Matrix& GetProjectionMatrix() const { return m_Projection; }
    // Stored matrices only; the device transforms stay as they are.
    void SetViewMatrix(const gfx::Matrix& view) { m_View = view; }
    void SetProjectionMatrix(const gfx::Matrix& projection) { m_Projection = projection; }
    // The world transform of the next draws in the engine's column-vector form; the device gets
    // its transpose.
    void SetWorldMatrix(const CMatrix4& world);
    const CMatrix4& GetWorldMatrix() const { return m_World; }

    // 1 draws the scene in wireframe from the next frame on; any other value solid.
    void SetFillMode(int fillMode) { m_FillMode = fillMode; }
    int GetFillMode() const { return m_FillMode; }

    // Per frame, in the game manager's order.
    void HandleDeviceLost();
    void SetDefaultRenderStates();
    void ClearViewport();
    // OpenGL has no scene brackets; the frame keeps the calls in their places.
    void BeginScene() {}
    void EndScene() {}
    void RenderDebugLines();
    void RenderDebugQuads();
    // Depth test off and alpha blending on for the 2D phase.
    void Begin2D();
    void Present();
    // Runs every lost hook, sizes the back buffer anew, then runs every reset hook.
    bool ResetDevice();
    // Holders of GPU resources (the resource caches) are told around a device reset, in the order
    // they were added; a pair added again is kept once.
    using DeviceHook = void (*)();
    void AddDeviceHooks(DeviceHook onLost, DeviceHook onReset);
    // The back buffer's current picture as a BMP file; false without a device or on a failed write.
    bool SaveScreenshot(const std::string& path) const;

    CLight* GetLight(int index);
    int AddLight();
    int GetLightCount() const { return static_cast<int>(m_Lights.size()); }

    // Debug geometry, queued until the frame's flush. Colours on the 0-255 scale are clamped.
    void DrawLine(const CVector3D& from, const CVector3D& to, uint32_t r, uint8_t g, uint8_t b);
    void DrawAABB(const CAABB& box, float r, float g, float b);
    // The twelve edges of a box given by its corners: bottom face (y low) then top face, each
    // going round the same way, corner i of the bottom below corner i + 4 of the top.
    void DrawBox(const CVector3D (&corners)[8], float r, float g, float b);
    void DrawQuad(const CVector3D& centre, const CVector3D& halfV, const CVector3D& halfU, float r, float g, float b,
                  float a);
    void DrawTriangle(const CVector3D& a, const CVector3D& b, const CVector3D& c, float red, float green, float blue,
                      float alpha);
    void DrawGrid(const CVector3D& origin, float cellSize, uint32_t countX, uint32_t countZ, float r, float g, float b,
                  float a);

    struct DebugVertex {
        float x, y, z;
        uint32_t colour;
    };
    struct DebugQuad {
        CVector3D centre, halfV, halfU;
        uint32_t colour;
    };
    struct DebugTriangle {
        CVector3D corners[3];
        uint32_t colour;
    };
    const std::vector<DebugVertex>& GetQueuedLines() const { return m_LineVertices; }
    // The vertices of the last quad flush, farthest first, six per quad and three per triangle.
    const std::vector<DebugVertex>& GetLastQuadVertices() const { return m_QuadVertices; }

    using PreSceneCallback = void (*)();
    void SetPreSceneCallback(PreSceneCallback callback) { m_PreScene = callback; }
    PreSceneCallback GetPreSceneCallback() const { return m_PreScene; }

    static void SetDebugDrawFlags(uint8_t bits) { s_DebugDrawFlags |= bits; }
    static void ClearDebugDrawFlags(uint8_t bits) { s_DebugDrawFlags &= static_cast<uint8_t>(~bits); }
    // Bit value 2 draws the queued debug lines, bit value 1 depth-tests them.
    static unsigned char s_DebugDrawFlags;

    // Packs colour channels on the 0-255 scale as ARGB, each truncated and clamped to 0..255.
    static uint32_t PackColour(float r, float g, float b, float a);

private:
    void SetDeviceTransforms();
    void FlushDebugVertices(gfx::PrimitiveType type, const std::vector<DebugVertex>& vertices,
                            std::unique_ptr<gfx::VertexBuffer>& buffer);

    int m_FillMode = 0;
    int m_ScreenWidth = 0, m_ScreenHeight = 0;
    bool m_Initialised = false;
    PreSceneCallback m_PreScene = nullptr;
    std::vector<std::pair<DeviceHook, DeviceHook>> m_DeviceHooks;

    std::unique_ptr<gfx::Device> m_Device;
    std::unique_ptr<gfx::SpriteBatch> m_Sprite, m_TextSprite;
    bool m_Windowed = true;
    int m_AppliedFillMode = 2;
    gfx::Matrix m_View, m_Projection;
    CMatrix4 m_World;
    std::vector<CLight> m_Lights;
    std::vector<DebugVertex> m_LineVertices;
    std::vector<DebugQuad> m_Quads;
    std::vector<DebugTriangle> m_Triangles;
    std::vector<DebugVertex> m_QuadVertices;
    std::unique_ptr<gfx::VertexBuffer> m_LineBuffer, m_QuadBuffer;
};

} // namespace Vesk
