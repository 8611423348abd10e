#include "render/CRenderer.h"

#include "platform/gfx/RenderTarget.h"
#include "render/CCameraManager.h"
#include "render/Letterbox.h"
#include "window/CWindowSystem.h"

#include <algorithm>
#include <iterator>

namespace Vesk {

unsigned char CRenderer::s_DebugDrawFlags = 3;

namespace {

const uint32_t kBandColour = 0xFF000000;
const uint32_t kViewportColour = 0xFF373737;

} // namespace

bool CRenderer::Init()
{
    // A second Init starts over: two contexts on one window would leave none current when the
    // older one goes.
    if (m_Device)
        Shutdown();
    CWindowSystem& windowSystem = CWindowSystem::GetInstance();
    win::Window* window = windowSystem.GetWindow();
    if (!window) {
        m_ErrorMessage = "CRenderer:: Unable to check device type";
        return false;
    }

    // The back buffer starts at the current camera's viewport size, snapped to a display mode.
    int width = windowSystem.GetClientWidth(), height = windowSystem.GetClientHeight();
    if (const CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera()) {
        width = static_cast<int>(camera->GetViewportWidth());
        height = static_cast<int>(camera->GetViewportHeight());
    }
    if (windowSystem.GetDisplayModeCount() > 0 && !windowSystem.IsResolutionSupported(width, height))
        windowSystem.ChooseResolution(width, width, height);
    m_ScreenWidth = width;
    m_ScreenHeight = height;

    gfx::DeviceError code = gfx::DeviceError::None;
    std::string detail;
    m_Device = gfx::Device::Create(window, code, detail);
    if (!m_Device) {
        switch (code) {
        case gfx::DeviceError::NoWindow: m_ErrorMessage = "CRenderer:: Unable to check device type"; break;
        case gfx::DeviceError::NoContext:
            m_ErrorMessage = "CRenderer:: hardware vertex processing not supported";
            break;
        default: m_ErrorMessage = "CRenderer:: shader version out of date"; break;
        }
        return false;
    }
    m_Device->SetBackBufferSize(m_ScreenWidth, m_ScreenHeight);
    m_Device->SetRenderState(gfx::RenderState::CullMode, gfx::CULL_CCW);
    m_Device->SetRenderState(gfx::RenderState::FillMode, gfx::FILL_SOLID);
    m_Device->SetRenderState(gfx::RenderState::NormalizeNormals, 1);
    m_Sprite = gfx::SpriteBatch::Create(*m_Device);
    m_TextSprite = gfx::SpriteBatch::Create(*m_Device);
    SetDeviceTransforms();
    m_Initialised = true;
    return true;
}

void CRenderer::Shutdown()
{
    // Sprites and buffers go before the device whose context holds them.
    m_Sprite.reset();
    m_TextSprite.reset();
    m_LineBuffer.reset();
    m_QuadBuffer.reset();
    m_Device.reset();
    m_Initialised = false;
    // The lights, the queued debug shapes and the fill mode belong to the last state or level:
    // the next start begins without them.
    m_Lights.clear();
    m_LineVertices.clear();
    m_Quads.clear();
    m_Triangles.clear();
    m_QuadVertices.clear();
    m_FillMode = 0;
    m_AppliedFillMode = 2;
}

void CRenderer::SetBackBufferSize(int width, int height, bool windowed)
{
    m_ScreenWidth = width;
    m_ScreenHeight = height;
    m_Windowed = windowed;
}

ViewportRect CRenderer::GetViewportRect() const
{
    const CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera();
    return ComputeLetterbox(m_ScreenWidth, m_ScreenHeight, camera ? camera->GetAspect() : 0.0f);
}

void CRenderer::SetProjection(float fov, float aspect, float zNear, float zFar)
{
    m_Projection = gfx::PerspectiveFovLH(fov, aspect, zNear, zFar);
    if (m_Device)
        m_Device->SetTransform(gfx::TransformState::Projection, m_Projection);
}

void CRenderer::SetView(const CVector3D& eye, const CVector3D& lookAt, const CVector3D& up)
{
    const float e[3] = {eye.x, eye.y, eye.z}, a[3] = {lookAt.x, lookAt.y, lookAt.z}, u[3] = {up.x, up.y, up.z};
    m_View = gfx::LookAtLH(e, a, u);
    if (m_Device)
        m_Device->SetTransform(gfx::TransformState::View, m_View);
}

void CRenderer::SetWorldMatrix(const CMatrix4& world)
{
    m_World = world;
    if (!m_Device)
        return;
    gfx::Matrix d3d;
    CMatrix4 transposed;
    world.GetTransposed(transposed);
    std::copy(std::begin(transposed.m), std::end(transposed.m), d3d.m);
    m_Device->SetTransform(gfx::TransformState::World, d3d);
}

void CRenderer::SetDeviceTransforms()
{
    m_Device->SetTransform(gfx::TransformState::Projection, m_Projection);
    m_Device->SetTransform(gfx::TransformState::View, m_View);
}

void CRenderer::HandleDeviceLost()
{
    // An OpenGL context is never lost; size changes come through ResetDevice.
}

bool CRenderer::ResetDevice()
{
    // Nothing is lost under OpenGL, but resources keep their lost and reset hooks, run around
    // the back buffer's new size.
    for (const auto& hooks : m_DeviceHooks)
        hooks.first();
    if (m_Device) {
        m_Device->SetBackBufferSize(m_ScreenWidth, m_ScreenHeight);
        SetDeviceTransforms();
    }
    for (const auto& hooks : m_DeviceHooks)
        hooks.second();
    return true;
}

void CRenderer::AddDeviceHooks(DeviceHook onLost, DeviceHook onReset)
{
    const std::pair<DeviceHook, DeviceHook> hooks(onLost, onReset);
    if (std::find(m_DeviceHooks.begin(), m_DeviceHooks.end(), hooks) == m_DeviceHooks.end())
        m_DeviceHooks.push_back(hooks);
}

void CRenderer::SetDefaultRenderStates()
{
    if (!m_Device)
        return;
    if (m_FillMode != m_AppliedFillMode) {
        m_Device->SetRenderState(gfx::RenderState::FillMode, m_FillMode == 1 ? gfx::FILL_WIREFRAME : gfx::FILL_SOLID);
        m_AppliedFillMode = m_FillMode;
    }
    m_Device->SetRenderState(gfx::RenderState::Lighting, 0);
    m_Device->SetRenderState(gfx::RenderState::ZEnable, 1);
    m_Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 0);
    m_Device->SetRenderState(gfx::RenderState::CullMode, gfx::CULL_CCW);
    m_Device->SetFVF(gfx::FVF_XYZ | gfx::FVF_NORMAL | gfx::FVF_TEX1);
}

void CRenderer::ClearViewport()
{
    if (!m_Device)
        return;
    m_Device->SetViewport({0, 0, m_ScreenWidth, m_ScreenHeight, 0.0f, 1.0f});
    m_Device->Clear(gfx::CLEAR_TARGET | gfx::CLEAR_ZBUFFER, kBandColour, 1.0f, 0);
    const ViewportRect box = GetViewportRect();
    m_Device->SetViewport({box.x, box.y, box.width, box.height, 0.0f, 1.0f});
    m_Device->Clear(gfx::CLEAR_TARGET | gfx::CLEAR_ZBUFFER, kViewportColour, 1.0f, 0);
}

void CRenderer::Begin2D()
{
    if (!m_Device)
        return;
    m_Device->SetRenderState(gfx::RenderState::ZEnable, 0);
    m_Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 1);
}

void CRenderer::Present()
{
    if (m_Device)
        m_Device->Present();
}

bool CRenderer::SaveScreenshot(const std::string& path) const
{
    if (!m_Device || m_Device->GetFramebuffer() != 0)
        return false;
    const int width = m_Device->GetBackBufferWidth(), height = m_Device->GetBackBufferHeight();
    return gfx::SaveBMP(path, width, height, m_Device->ReadPixels(0, 0, width, height));
}

CLight* CRenderer::GetLight(int index)
{
    if (m_Lights.empty())
        return nullptr;
    const int last = static_cast<int>(m_Lights.size()) - 1;
    return &m_Lights[static_cast<size_t>(index < 0 ? 0 : index > last ? last : index)];
}

int CRenderer::AddLight()
{
    m_Lights.emplace_back();
    return static_cast<int>(m_Lights.size()) - 1;
}

} // namespace Vesk
