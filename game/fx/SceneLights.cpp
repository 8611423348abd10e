#include "game/fx/SceneLights.h"

#include "render/CRenderer.h"

namespace Game {

void EnsureSceneLight()
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    if (renderer.GetLightCount() == 0)
        renderer.AddLight();
}

void PlaceSceneLight(const CVector3D& position)
{
    if (Vesk::CLight* light = Vesk::CRenderer::GetInstance().GetLight(0)) {
        light->m_Position[0] = position.x;
        light->m_Position[1] = position.y;
        light->m_Position[2] = position.z;
    }
}

} // namespace Game
