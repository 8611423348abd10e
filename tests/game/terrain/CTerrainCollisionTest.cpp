// What the terrain's body does after edits: a box dropped on a column comes to rest on the
// column's top block as the grid has it (raised, dug, dug back, at the grid's corners), and falls
// through where a dig or a removal opened the ground.
#include "TerrainTestSupport.h"

#include "physics/CRigidBody.h"

#include <functional>
#include <memory>

using Game::BlockPosition;
using Game::CTerrain;

namespace {

const CVector3D kRed(200.0f, 20.0f, 20.0f);

// Drops a 2 x 2 x 2 box onto the centre of column (w, d) from above its top and lets it fall for
// a second and a half; the height it ends at.
float DropOnto(const CTerrain& terrain, unsigned w, unsigned d)
{
    Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
    physics.SetGravity(CVector3D(0.0f, -40.0f, 0.0f));
    auto box = std::make_unique<Vesk::CRigidBody>(CVector3D(2.0f, 2.0f, 2.0f), nullptr, 1.0f, false);
    EXPECT_TRUE(physics.AddRigidBody(box.get(), 1, -1));
    BlockPosition top(w, d, 0);
    terrain.FindColumnTop(top);
    box->SetPosition(CVector3D(4.0f * float(w), 4.0f * float(top.mBlockHeight) + 8.0f, 4.0f * float(d)));
    box->SetActivationState(Vesk::ACTIVATION_NEVER_SLEEPS);
    for (int frame = 0; frame < 90; ++frame)
        physics.StepSimulation(1.0f / 60.0f, 1, 1.0f / 60.0f);
    return box->GetPosition().y;
}

TEST_F(CTerrainTest, BoxesRestOnTheEditedGroundAndFallThroughItsHoles)
{
    // Blocks are 4 high with centres on multiples of 4: a column whose top block is at height
    // t - 1 has its surface at 4t - 2, and the box's centre rests one above that.
    constexpr float kFallen = -10.0f;
    const struct {
        const char* name;
        unsigned width, depth, height; // the slab
        std::function<void(CTerrain&)> edit;
        unsigned w, d; // where the box drops
        float rest;    // its centre's height afterwards; kFallen: below the ground
    } cases[] = {
        {"raised by two", 20, 20, 1, [](CTerrain& t) { t.RaiseColumns({BlockPosition(5, 5, 0)}, 2, kRed); }, 5, 5,
         11.0f},
        {"dug by two", 20, 20, 3, [](CTerrain& t) { t.DigColumns({BlockPosition(5, 5, 0)}, 2); }, 5, 5, 3.0f},
        {"raised and dug back", 20, 20, 1,
         [](CTerrain& t) {
             t.RaiseColumns({BlockPosition(5, 5, 0), BlockPosition(6, 5, 0)}, 2, kRed);
             t.DigColumns({BlockPosition(5, 5, 0), BlockPosition(6, 5, 0)}, 2);
         },
         5, 5, 3.0f},
        {"dug through", 20, 20, 1, [](CTerrain& t) { t.DigColumns({BlockPosition(5, 5, 0)}, 1); }, 5, 5, kFallen},
        {"a hole in the middle of a wide slab", 250, 250, 1,
         [](CTerrain& t) { t.RemoveBlocks({BlockPosition(120, 130, 0)}); }, 120, 130, kFallen},
        {"the slab beside that hole", 250, 250, 1, [](CTerrain& t) { t.RemoveBlocks({BlockPosition(120, 130, 0)}); },
         121, 130, 3.0f},
        {"raised at the far corner", 250, 250, 1,
         [](CTerrain& t) { t.RaiseColumns({BlockPosition(249, 249, 0)}, 1, kRed); }, 249, 249, 7.0f},
        {"dug at the near corner", 250, 250, 2, [](CTerrain& t) { t.DigColumns({BlockPosition(0, 0, 0)}, 1); }, 0, 0,
         3.0f},
        {"a floating block added", 20, 20, 1, [](CTerrain& t) { t.AddBlocks({BlockPosition(5, 5, 4)}, kRed); }, 5, 5,
         19.0f},
        {"undone raise", 20, 20, 1,
         [](CTerrain& t) {
             const Game::TerrainCell before = t.GetCell(BlockPosition(5, 5, 1));
             t.RaiseColumns({BlockPosition(5, 5, 0)}, 1, kRed);
             t.RestoreCells({before});
         },
         5, 5, 3.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTerrain terrain(c.width, c.depth, c.height, 4.0f, CVector3D());
        c.edit(terrain);
        const float y = DropOnto(terrain, c.w, c.d);
        if (c.rest == kFallen)
            EXPECT_LT(y, kFallen);
        else
            EXPECT_NEAR(y, c.rest, 0.2f);
    }
}

} // namespace
