// The overlap test gameplay uses between two bodies without a contact pass: their creation boxes
// placed by their current world matrices, compared as axis-aligned boxes.
#pragma once

namespace Vesk {

class CRigidBody;

// Each body's creation box transformed by its world matrix, then intersected; touching faces
// overlap. A body not yet in the physics system has a zero world matrix (its box collapses to
// the origin).
bool RigidBodyBoxesOverlap(const CRigidBody& a, const CRigidBody& b);

} // namespace Vesk
