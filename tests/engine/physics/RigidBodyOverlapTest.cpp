// The box overlap test between two bodies: creation boxes placed by position and rotation.
#include "PhysicsTestSupport.h"

#include "physics/RigidBodyOverlap.h"

using namespace Vesk;
using physicstest::PhysicsTest;

TEST_F(PhysicsTest, RigidBodyBoxesOverlapPlacesEachCreationBoxByItsWorldMatrix)
{
    // A 2 x 2 x 2 box at the origin reaches x = 1 (plus the shape's small margin); a 4 x 1 x 1
    // bar reaches 2 to each side of its centre along x, or along y once turned about z.
    CMatrix4 quarterTurn;
    quarterTurn(0, 0) = 0.0f, quarterTurn(0, 1) = -1.0f;
    quarterTurn(1, 0) = 1.0f, quarterTurn(1, 1) = 0.0f;
    const struct {
        const char* name;
        CVector3D barAt;
        bool turned;
        bool overlap;
    } cases[] = {
        {"apart along x", CVector3D(3.5f, 0, 0), false, false},
        {"bar's end inside the box", CVector3D(2.8f, 0, 0), false, true},
        {"turned bar beside the box", CVector3D(2.8f, 0, 0), true, false},
        {"turned bar above the box", CVector3D(0, 2.8f, 0), true, true},
        {"apart along z", CVector3D(0, 0, 1.6f), false, false},
        {"bar through the box", CVector3D(0, 0, 0), true, true},
    };
    auto box = AddBox(CVector3D(2, 2, 2), 0.0f, CVector3D(0, 0, 0));
    for (const auto& c : cases) {
        auto bar = AddBox(CVector3D(4, 1, 1), 0.0f, c.barAt);
        if (c.turned)
            bar->SetRotation(quarterTurn);
        EXPECT_EQ(RigidBodyBoxesOverlap(*box, *bar), c.overlap) << c.name;
        EXPECT_EQ(RigidBodyBoxesOverlap(*bar, *box), c.overlap) << c.name << " (either order)";
    }
}
