#include "GfxFixture.h"

#include <SDL2/SDL.h>

#include <cstring>

namespace gfxtest {

void DeviceFixture::SetUp()
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    m_Window = SDL_CreateWindow("gfx test", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(m_Window, nullptr) << SDL_GetError();
    std::string error;
    gfx::DeviceError code;
    m_Device = gfx::Device::Create(m_Window, code, error);
    ASSERT_NE(m_Device, nullptr) << error;
}

void DeviceFixture::TearDown()
{
    m_Device.reset();
    if (m_Window)
        SDL_DestroyWindow(m_Window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

uint32_t DeviceFixture::Pixel(int x, int y) const { return m_Device->ReadPixels(x, y, 1, 1).at(0); }

std::unique_ptr<gfx::VertexBuffer> MakeBuffer(gfx::Device& device, const std::vector<float>& data)
{
    auto buffer = gfx::VertexBuffer::Create(device, static_cast<unsigned>(data.size() * sizeof(float)), false);
    void* p = buffer->Lock(0, 0, 0);
    std::memcpy(p, data.data(), data.size() * sizeof(float));
    buffer->Unlock();
    return buffer;
}

} // namespace gfxtest
