// Everything global to drawing (stand-in until the graphics issue lands): the back-buffer size
// kept in step with the window, the pre-scene callback slot and the debug-draw flags. Draws
// nothing.
#pragma once

#include "core/CSingleton.h"

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
};

} // namespace Vesk
