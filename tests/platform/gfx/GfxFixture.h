// A hidden SDL window with a graphics device for the layer's pixel tests, which read back the
// device's 100 x 100 back buffer.
#pragma once

#include "platform/gfx/Device.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

struct SDL_Window;

namespace gfxtest {

class DeviceFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 100;
    static constexpr int kHeight = 100;

    void SetUp() override;
    void TearDown() override;

    gfx::Device& Dev() { return *m_Device; }
    uint32_t Pixel(int x, int y) const;
    std::vector<uint32_t> Screen() const { return m_Device->ReadPixels(0, 0, kWidth, kHeight); }

    SDL_Window* m_Window = nullptr;
    std::unique_ptr<gfx::Device> m_Device;
};

// A vertex buffer holding the given floats.
std::unique_ptr<gfx::VertexBuffer> MakeBuffer(gfx::Device& device, const std::vector<float>& data);

} // namespace gfxtest
