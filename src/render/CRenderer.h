// Everything global to drawing (stand-in until the graphics issue lands): the back-buffer size
// kept in step with the window, the pre-scene callback slot and the debug-draw flags. Draws
// nothing.
#pragma once

#include "core/CSingleton.h"
#include "math/Matrix4.h"

struct CAABB;

namespace Vesk {

class CRenderer : public CSingleton<CRenderer> {
public:
    bool Init() override;
    void Shutdown() override { m_Initialised = false; }

    bool IsInitialised() const { return m_Initialised; }
    void SetBackBufferSize(int width, int height, bool windowed);
    int GetScreenWidth() const { return m_ScreenWidth; }
    int GetScreenHeight() const { return m_ScreenHeight; }
    void ResetDevice() {}

    void HandleDeviceLost() {}
    bool HasDevice() const { return m_Initialised; }
    void SetDefaultRenderStates() {}
    void ClearViewport() {}
    void BeginScene() {}
    void EndScene() {}
    void Present() {}
    void RenderDebugLines() {}
    void RenderDebugQuads() {}
    void Begin2D() {}
    // The world transform of the next draws, in the engine's column-vector form.
    void SetWorldMatrix(const CMatrix4& world) { m_World = world; }
    const CMatrix4& GetWorldMatrix() const { return m_World; }
    // Queues the box's twelve edges as debug lines; colour channels on the 0-255 scale.
    void DrawAABB(const CAABB& box, float red, float green, float blue)
    {
        (void)box, (void)red, (void)green, (void)blue;
    }

    using PreSceneCallback = void (*)();
    void SetPreSceneCallback(PreSceneCallback callback) { m_PreScene = callback; }
    PreSceneCallback GetPreSceneCallback() const { return m_PreScene; }

    // Bit 2 draws the queued debug lines, bit 1 depth-tests them.
    static unsigned char s_DebugDrawFlags;

private:
    bool m_Initialised = false;
    int m_ScreenWidth = 0, m_ScreenHeight = 0;
    bool m_Windowed = true;
    PreSceneCallback m_PreScene = nullptr;
    CMatrix4 m_World;
};

} // namespace Vesk
