#include "physics/RigidBodyOverlap.h"

#include "physics/CRigidBody.h"

namespace Vesk {

namespace {

CAABB PlacedBox(const CRigidBody& body)
{
    CAABB box = body.GetCreationBox();
    box.Transform(body.GetWorldMatrix());
    return box;
}

} // namespace

bool RigidBodyBoxesOverlap(const CRigidBody& a, const CRigidBody& b) { return PlacedBox(a).Intersects(PlacedBox(b)); }

} // namespace Vesk
