#include "render/ScreenProjection.h"

#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "render/Letterbox.h"

namespace Vesk {

bool WorldToScreen(float out[2], const float world[3])
{
    out[0] = out[1] = -1.0f;
    const CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera();
    if (!camera)
        return false;
    CMatrix4 view, projection, viewProjection;
    view.ViewLookAt(camera->GetEye(), camera->GetLookAt(), camera->GetUp());
    camera->GetProjectionMatrix(projection);
    projection.Multiply(viewProjection, view);
    const float point[4] = {world[0], world[1], world[2], 1.0f};
    float clip[4];
    viewProjection.TransformVector4(clip, point);
    // Points behind the eye would come out mirrored, and w = 0 has no image at all.
    if (!(clip[3] > 0.0f))
        return false;
    const CRenderer& renderer = CRenderer::GetInstance();
    out[0] = (clip[0] / clip[3] * 0.5f + 0.5f) * static_cast<float>(renderer.GetScreenWidth());
    out[1] = (0.5f - clip[1] / clip[3] * 0.5f) * static_cast<float>(renderer.GetScreenHeight());
    return true;
}

void ScreenToViewport(const CCamera& camera, int x, int y, int& outX, float& outY)
{
    const CRenderer& renderer = CRenderer::GetInstance();
    const CCamera* current = CCameraManager::GetInstance().GetCurrentCamera();
    const ViewportRect box = ComputeLetterbox(renderer.GetScreenWidth(), renderer.GetScreenHeight(),
                                              current ? current->GetAspect() : camera.GetAspect());
    if (box.width <= 0 || box.height <= 0) {
        outX = x;
        outY = static_cast<float>(y);
        return;
    }
    const float viewportWidth = static_cast<float>(camera.GetViewportWidth());
    const float viewportHeight = static_cast<float>(camera.GetViewportHeight());
    outX = static_cast<int>(static_cast<float>(x - box.x) * viewportWidth / static_cast<float>(box.width));
    outY = static_cast<float>(
        static_cast<int>(static_cast<float>(y - box.y) * viewportHeight / static_cast<float>(box.height)));
}

void ScreenToViewport(int x, int y, int& outX, float& outY)
{
    const CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera();
    if (!camera) {
        outX = x;
        outY = static_cast<float>(y);
        return;
    }
    ScreenToViewport(*camera, x, y, outX, outY);
}

} // namespace Vesk
