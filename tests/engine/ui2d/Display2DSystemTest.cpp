// The 2D layers on screen: higher layers over lower ones whatever the order of adding, later
// objects over earlier ones on a layer, hidden objects neither drawn nor animated, and removals
// (from the wrong layer, during the drawing, by deleting the object) that leave nothing behind.
#include "Display2DFixture.h"

#include "ui2d/CDisplay2DSystem.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

using ui2dtest::kFrameColours;
using ui2dtest::kGrey;
using Vesk::CDisplay2DSystem;
using Vesk::CDisplayObject2D;

namespace {

using Display2DTest = ui2dtest::Display2DTest;

const uint32_t kRed = kFrameColours[0], kGreen = kFrameColours[1];

std::unique_ptr<CDisplayObject2D> Make(const std::string& sprite, float x, float y)
{
    auto object = std::make_unique<CDisplayObject2D>(sprite);
    object->SetPosition(x, y);
    return object;
}

TEST_F(Display2DTest, HigherLayersCoverLowerOnesAndLaterObjectsEarlierOnes)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    CDisplay2DSystem& layers = CDisplay2DSystem::GetInstance();
    // Three spots where a red and a green square overlap, added in different orders.
    auto redOver = Make("red", 0.25f, 0.5f), greenUnder = Make("green", 0.25f, 0.5f);
    layers.AddObject(redOver.get(), 1);
    layers.AddObject(greenUnder.get(), 0);
    auto greenFirst = Make("green", 0.5f, 0.5f), redSecond = Make("red", 0.5f, 0.5f);
    layers.AddObject(greenFirst.get(), 3);
    layers.AddObject(redSecond.get(), 3);
    auto redFirst = Make("red", 0.75f, 0.5f), greenSecond = Make("green", 0.75f, 0.5f);
    layers.AddObject(redFirst.get(), -2);
    layers.AddObject(greenSecond.get(), -2);
    EXPECT_EQ(layers.GetLayerCount(3), 2u);
    EXPECT_EQ(layers.GetLayerCount(-2), 2u);
    DrawFrame(0.0f);
    EXPECT_EQ(Pixel(200, 300), kRed);
    EXPECT_EQ(Pixel(400, 300), kRed);
    EXPECT_EQ(Pixel(600, 300), kGreen);
    EXPECT_EQ(Pixel(100, 300), kGrey);
}

TEST_F(Display2DTest, HiddenObjectsAreNeitherDrawnNorAnimated)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    auto walker = Make("tiles", 0.5f, 0.5f);
    walker->SetAnimation("walk");
    walker->SetVisible(false);
    CDisplay2DSystem::GetInstance().AddObject(walker.get(), 0);
    for (int i = 0; i < 5; ++i)
        DrawFrame(0.25f);
    EXPECT_EQ(walker->GetFrame(), 0);
    EXPECT_EQ(Pixel(400, 300), kGrey);

    walker->SetVisible(true);
    DrawFrame(0.25f);
    DrawFrame(0.25f);
    EXPECT_EQ(walker->GetFrame(), 1);
    EXPECT_EQ(Pixel(400, 300), kFrameColours[1]);
}

TEST_F(Display2DTest, RemovingFromTheWrongLayerKeepsTheObjectOnItsOwn)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    CDisplay2DSystem& layers = CDisplay2DSystem::GetInstance();
    auto red = Make("red", 0.5f, 0.5f), green = Make("green", 0.25f, 0.5f);
    layers.AddObject(red.get(), 0);
    layers.AddObject(green.get(), 1);
    layers.RemoveObject(red.get(), 1);
    layers.RemoveObject(red.get(), 7);
    layers.RemoveObject(nullptr, 0);
    EXPECT_EQ(layers.GetLayerCount(0), 1u);
    EXPECT_EQ(layers.GetLayerCount(1), 1u);
    DrawFrame(0.0f);
    EXPECT_EQ(Pixel(400, 300), kRed);

    layers.RemoveObject(red.get(), 0);
    EXPECT_EQ(layers.GetLayerCount(0), 0u);
    red.reset();
    layers.AddObject(green.get(), 0);
    DrawFrame(0.0f);
    EXPECT_EQ(Pixel(400, 300), kGrey);
    EXPECT_EQ(Pixel(200, 300), kGreen);
    EXPECT_EQ(layers.GetObjectCount(), 2u) << "green is on two layers";
}

// Runs its action the first time it is updated.
class Trigger : public CDisplayObject2D {
public:
    Trigger(const std::string& sprite, std::function<void()> action)
        : CDisplayObject2D(sprite), m_Action(std::move(action))
    {
    }
    void Update(float dt) override
    {
        CDisplayObject2D::Update(dt);
        if (m_Action)
            std::exchange(m_Action, nullptr)();
    }

private:
    std::function<void()> m_Action;
};

TEST_F(Display2DTest, ObjectsRemovedOrDeletedWhileDrawingAreLeftAlone)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    CDisplay2DSystem& layers = CDisplay2DSystem::GetInstance();
    auto victim = Make("red", 0.75f, 0.5f);
    auto removed = Make("green", 0.25f, 0.5f);
    // The trigger deletes a later object without taking it off its layer, takes another off
    // and adds a new one further up; then it deletes itself.
    auto added = Make("green", 0.75f, 0.25f);
    Trigger* trigger = nullptr;
    trigger = new Trigger("red", [&] {
        victim.reset();
        layers.RemoveObject(removed.get(), 2);
        layers.AddObject(added.get(), 5);
        delete trigger;
    });
    trigger->SetPosition(0.5f, 0.5f);
    layers.AddObject(trigger, 0);
    layers.AddObject(victim.get(), 1);
    layers.AddObject(removed.get(), 2);
    DrawFrame(0.0f);
    EXPECT_EQ(Pixel(600, 300), kGrey);
    EXPECT_EQ(Pixel(200, 300), kGrey);
    EXPECT_EQ(Pixel(600, 188), kGreen) << "added during the frame on a higher layer";
    EXPECT_EQ(layers.GetObjectCount(), 1u);
    EXPECT_EQ(layers.GetLayerCount(0), 0u);
    EXPECT_EQ(layers.GetLayerCount(1), 0u);

    // Deleting an object that is still on a layer takes it off.
    added.reset();
    EXPECT_EQ(layers.GetObjectCount(), 0u);
    DrawFrame(0.0f);
    EXPECT_EQ(Pixel(600, 188), kGrey);
}

} // namespace
