// 2D display objects: where the transform puts a sprite at several screen sizes (widths against
// the 800-unit virtual screen, heights inside the letter-boxed viewport), hit rectangles that
// cover the frame as drawn at any size and scale, the animation clock, colours, and objects
// whose sprite is missing altogether.
#include "Display2DFixture.h"

#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplay2DSystem.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using Vesk::CDisplayObject2D;
using Vesk::CPoint2D;

namespace {

using DisplayObjectTest = ui2dtest::Display2DTest;

// A camera whose aspect is fixed at 1 (narrower than any landscape screen: pillar-boxed).
class SquareCamera : public Vesk::CCamera {
public:
    SquareCamera() { m_Aspect = 1.0f; }
};

void SetScreen(int width, int height) { Vesk::CRenderer::GetInstance().SetBackBufferSize(width, height, true); }

TEST_F(DisplayObjectTest, TransformScalesToTheVirtualScreenAndMovesIntoTheViewport)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    const struct {
        int width, height;
        bool square;
        float x, y, scale;
        float sx, sy, tx, ty;
    } cases[] = {
        // 800 x 600: a 448-pixel viewport below a 76-pixel band.
        {800, 600, false, 0.5f, 0.5f, 1.0f, 1.0f, 1.0f, 400, 76 + 224},
        // 900 / (1600 * 800 / 900 / 2) = 900 / 450.
        {1600, 900, false, 0.25f, 0.5f, 1.0f, 2.0f, 2.0f, 400, 2 + 448},
        {1600, 900, false, 0.25f, 0.5f, 0.5f, 1.0f, 1.0f, 400, 2 + 448},
        // 768 * 800 / 1366 = 449 virtual units high, the rest of the division kept: 768 / 449.
        {1366, 768, false, 1.0f, 0.0f, 1.0f, 1366.0f / 800.0f, 768.0f / 449.0f, 1366, 2},
        // Pillar-boxed: a 600 x 600 viewport 100 pixels from the left.
        {800, 600, true, 0.0f, 1.0f, 2.0f, 1.5f, 1.5f, 100, 600},
    };
    for (const auto& c : cases) {
        if (c.square)
            Vesk::CCameraManager::GetInstance().CreateCamera<SquareCamera>("square", true);
        else
            Vesk::CCameraManager::GetInstance().SetCurrentCamera("default", true);
        SetScreen(c.width, c.height);
        CDisplayObject2D object("red");
        object.SetPosition(c.x, c.y);
        object.SetScale(c.scale, c.scale);
        object.Update(0.0f);
        const CMatrix3& m = object.GetTransform();
        const std::string label =
            std::to_string(c.width) + "x" + std::to_string(c.height) + " scale " + std::to_string(c.scale);
        EXPECT_FLOAT_EQ(m(0, 0), c.sx) << label;
        EXPECT_FLOAT_EQ(m(1, 1), c.sy) << label;
        EXPECT_FLOAT_EQ(m(0, 2), c.tx) << label;
        EXPECT_FLOAT_EQ(m(1, 2), c.ty) << label;
        EXPECT_FLOAT_EQ(m(0, 1), 0.0f) << label;
    }
}

TEST_F(DisplayObjectTest, RotationTurnsTheScaledFrameBeforeMovingIt)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    CDisplayObject2D object("red");
    object.SetScale(2.0f, 1.0f);
    object.SetRotation(90.0f);
    object.Update(0.0f);
    // Columns of T x R x S: the x axis, scaled by 2, turned onto y; the y axis onto -x.
    const CMatrix3& m = object.GetTransform();
    EXPECT_NEAR(m(0, 0), 0.0f, 1e-6f);
    EXPECT_NEAR(m(1, 0), 2.0f, 1e-6f);
    EXPECT_NEAR(m(0, 1), -1.0f, 1e-6f);
    EXPECT_NEAR(m(1, 1), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(m(1, 2), 76.0f);
}

TEST_F(DisplayObjectTest, HitRectanglesCoverTheFrameAsDrawn)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    const int sizes[][2] = {{800, 600}, {1280, 720}, {1920, 1080}};
    const float scales[] = {0.5f, 1.0f, 3.0f};
    for (const auto& size : sizes)
        for (float scale : scales) {
            SetScreen(size[0], size[1]);
            CDisplayObject2D object("red");
            object.SetPosition(0.5f, 0.25f);
            object.SetScale(scale, scale);
            object.Update(0.0f);
            // The 16-pixel frame drawn at (width / 800) x scale pixels per pixel.
            const float width = static_cast<float>(size[0]);
            const float height = static_cast<float>(Vesk::CRenderer::GetInstance().GetViewportHeight());
            const float half = 8.0f * width / 800.0f * scale;
            const std::string label = std::to_string(size[0]) + " scale " + std::to_string(scale);
            const Vesk::CRect2D& rect = object.GetScreenRect();
            EXPECT_TRUE(rect.Contains({0.5f + (half - 0.5f) / width, 0.25f})) << label;
            EXPECT_FALSE(rect.Contains({0.5f + (half + 0.5f) / width, 0.25f})) << label;
            EXPECT_TRUE(rect.Contains({0.5f, 0.25f - (half - 0.5f) / height})) << label;
            EXPECT_FALSE(rect.Contains({0.5f, 0.25f - (half + 0.5f) / height})) << label;
            // Edges count as inside.
            EXPECT_TRUE(rect.Contains({rect.right, rect.bottom})) << label;
        }
}

TEST_F(DisplayObjectTest, HitRectangleMatchesTheDrawnPixels)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    CDisplayObject2D object("red");
    object.SetPosition(0.5f, 0.5f);
    object.SetScale(2.0f, 2.0f);
    Vesk::CDisplay2DSystem::GetInstance().AddObject(&object, 0);
    DrawFrame(0.0f);
    // 32 pixels around (400, 300): columns 384 to 415.
    const struct {
        int x;
        bool inside;
    } cases[] = {{384, true}, {415, true}, {383, false}, {416, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(Pixel(c.x, 300), c.inside ? ui2dtest::kFrameColours[0] : ui2dtest::kGrey) << c.x;
        const CPoint2D centre{(static_cast<float>(c.x) + 0.5f) / 800.0f, 0.5f};
        EXPECT_EQ(object.GetScreenRect().Contains(centre), c.inside) << c.x;
    }
}

TEST_F(DisplayObjectTest, AnimationsStepAtMostOneFramePerUpdateAndWrap)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    const struct {
        float dt;
        std::vector<int> frames;
    } cases[] = {
        // A frame moves on once more than its 0.1 s have gone by at the start of an update.
        {0.07f, {0, 0, 1, 2, 2, 3, 0, 0, 1, 2}},
        // Long steps still move one frame per update.
        {0.25f, {0, 1, 2, 3, 0, 1}},
    };
    for (const auto& c : cases) {
        CDisplayObject2D object("tiles");
        object.SetAnimation("walk");
        std::vector<int> frames;
        for (size_t i = 0; i < c.frames.size(); ++i) {
            object.Update(c.dt);
            frames.push_back(object.GetFrame());
        }
        EXPECT_EQ(frames, c.frames) << c.dt;
    }

    CDisplayObject2D object("tiles");
    object.SetAnimation("walk");
    object.Update(0.3f);
    object.SetAnimation("idle");
    EXPECT_EQ(object.GetFrame(), 4);
    EXPECT_FLOAT_EQ(object.GetFrameTime(), 0.3f) << "the clock runs on";
    object.SetAnimation("undefined");
    EXPECT_EQ(object.GetAnimation(), "idle");
    EXPECT_EQ(object.GetFrame(), 4);

    // The animation playing stays resolved: asked for again it restarts at its first frame, and
    // an unknown name leaves it stepping.
    CDisplayObject2D again("tiles");
    again.SetAnimation("walk");
    again.Update(0.25f);
    again.Update(0.25f);
    EXPECT_EQ(again.GetFrame(), 1);
    again.SetAnimation("walk");
    EXPECT_EQ(again.GetFrame(), 0);
    again.SetAnimation("undefined");
    again.Update(0.25f);
    EXPECT_EQ(again.GetFrame(), 1);

    CDisplayObject2D still("red");
    EXPECT_EQ(still.GetFlags() & CDisplayObject2D::FlagAnimated, 0u);
    for (int i = 0; i < 5; ++i)
        still.Update(1.0f);
    EXPECT_EQ(still.GetFrame(), 0);
}

TEST_F(DisplayObjectTest, NegativeColourValuesAreStoredAsZero)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    CDisplayObject2D object("red");
    object.SetColor(-1.0f, 0.5f, 2.0f, 0.0f);
    EXPECT_FLOAT_EQ(object.GetColor().r, 0.5f);
    EXPECT_FLOAT_EQ(object.GetColor().g, 2.0f);
    EXPECT_FLOAT_EQ(object.GetColor().b, 0.0f);
    EXPECT_FLOAT_EQ(object.GetColor().a, 0.0f);
}

TEST_F(DisplayObjectTest, ANewScreenSizeMovesObjectsThatDidNotMove)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    CDisplayObject2D object("red");
    object.SetPosition(0.5f, 0.5f);
    object.Update(0.0f);
    EXPECT_FLOAT_EQ(object.GetTransform()(0, 2), 400.0f);
    SetScreen(1600, 900);
    object.Update(0.0f);
    EXPECT_FLOAT_EQ(object.GetTransform()(0, 2), 800.0f);
    EXPECT_FLOAT_EQ(object.GetTransform()(0, 0), 2.0f);
}

TEST_F(DisplayObjectTest, WithoutAnySpriteNothingIsDrawnAndNothingBreaks)
{
    StartSprites("<sprites/>");
    CDisplayObject2D object("ghost");
    EXPECT_EQ(object.GetSprite(), nullptr);
    EXPECT_EQ(object.GetSpriteWidth(), 0);
    EXPECT_EQ(object.GetSpriteHeight(), 0);
    object.SetPosition(0.5f, 0.5f);
    object.SetAnimation("idle");
    Vesk::CDisplay2DSystem::GetInstance().AddObject(&object, 0);
    DrawFrame(0.1f);
    EXPECT_EQ(Pixel(400, 300), ui2dtest::kGrey);
    EXPECT_FALSE(object.GetScreenRect().Contains({0.6f, 0.5f}));
}

} // namespace
