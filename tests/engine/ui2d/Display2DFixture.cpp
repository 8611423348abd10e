#include "Display2DFixture.h"

#include "platform/gfx/ImageWriter.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplay2DSystem.h"

#include <algorithm>

namespace ui2dtest {

const uint32_t kFrameColours[8] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                   0xFF00FFFF, 0xFFFF00FF, 0xFFFFFFFF, 0xFFFF8000};

void WriteSheet(const std::string& path, int width, int height, int xgrid, int ygrid, int first)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    const int frameWidth = width / xgrid, frameHeight = height / ygrid;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int column = std::min(x / frameWidth, xgrid - 1), row = std::min(y / frameHeight, ygrid - 1);
            const uint32_t colour = kFrameColours[(first + row * xgrid + column) % 8];
            uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = uint8_t(colour >> 16);
            p[1] = uint8_t(colour >> 8);
            p[2] = uint8_t(colour);
            p[3] = uint8_t(colour >> 24);
        }
    testsupport::WriteFile(path, gfx::EncodePNG(width, height, rgba));
}

std::string SpriteDefinitions(const std::string& extra)
{
    return "<sprites>"
           "<default><dimension width=\"16\" height=\"16\" xgrid=\"1\" ygrid=\"1\"/>"
           "<texture path=\"white.png\"/></default>"
           "<tiles><dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/><texture path=\"tiles.png\"/>"
           "<animation name=\"walk\" fps=\"10\" start=\"1\" end=\"4\"/>"
           "<animation name=\"idle\" fps=\"5\" start=\"5\" end=\"8\"/></tiles>"
           "<red><dimension width=\"16\" height=\"16\" xgrid=\"1\" ygrid=\"1\"/><texture path=\"red.png\"/></red>"
           "<green><dimension width=\"16\" height=\"16\" xgrid=\"1\" ygrid=\"1\"/><texture path=\"green.png\"/>"
           "</green>" +
           extra + "</sprites>";
}

void Display2DTest::SetUp()
{
    restest::DeviceResourceTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_EQ(Vesk::CRenderer::GetInstance().GetScreenWidth(), 800);
    ASSERT_EQ(Vesk::CRenderer::GetInstance().GetScreenHeight(), 600);
}

void Display2DTest::TearDown()
{
    Vesk::CDisplay2DSystem::GetInstance().Shutdown();
    restest::DeviceResourceTest::TearDown();
}

void Display2DTest::StartSprites(const std::string& sprites)
{
    WriteSheet(File("tiles.png"), 64, 32, 4, 2);
    WriteSheet(File("white.png"), 16, 16, 1, 1, 6);
    WriteSheet(File("red.png"), 16, 16, 1, 1, 0);
    WriteSheet(File("green.png"), 16, 16, 1, 1, 1);
    restest::Definitions definitions;
    definitions.sprites = sprites;
    ASSERT_TRUE(Start(definitions));
}

void Display2DTest::DrawFrame(float dt)
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    renderer.SetDefaultRenderStates();
    renderer.ClearViewport();
    renderer.Begin2D();
    Vesk::CDisplay2DSystem::GetInstance().Render(dt);
}

} // namespace ui2dtest
