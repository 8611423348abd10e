#include "game/editor/EntityPicking.h"

#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"

#include <algorithm>
#include <limits>

namespace Game {

namespace {

bool AllSmaller(const CVector3D& a, const CVector3D& b) { return a.x < b.x && a.y < b.y && a.z < b.z; }

} // namespace

CEntity* PickEntityAlongRay(const CRay& ray, const std::vector<int>& excludedTypes, float boxScale)
{
    std::vector<CEntity*> hits;
    CEntity* nearest = nullptr;
    float best = std::numeric_limits<float>::max();
    for (const auto& entry : CEntityFactory::GetInstance().GetLiveEntities()) {
        CEntity* entity = entry.second;
        if (std::find(excludedTypes.begin(), excludedTypes.end(), entity->GetType()) != excludedTypes.end())
            continue;
        CAABB box;
        entity->GetBoundingBox(box);
        if (boxScale != 1.0f)
            box.Scale(CVector3D(boxScale, boxScale, boxScale));
        float distance = 0.0f;
        if (!RayIntersectAABB(ray, box, &distance))
            continue;
        hits.push_back(entity);
        if (distance < best) {
            best = distance;
            nearest = entity;
        }
    }
    if (hits.size() <= 1)
        return nearest;
    CEntity* answer = nearest;
    for (CEntity* entity : hits)
        if (entity != nearest && AllSmaller(entity->GetDimensions(), nearest->GetDimensions()))
            answer = entity;
    return answer;
}

} // namespace Game
