#include "platform/gfx/RenderTarget.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/detail/GL.h"

#include <cstdio>

namespace gfx {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

bool SaveBMP(const std::string& path, int width, int height, const std::vector<uint32_t>& argb)
{
    if (width <= 0 || height <= 0 || argb.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return false;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    std::vector<uint8_t> file;
    file.reserve(54 + imageBytes);
    file.push_back('B');
    file.push_back('M');
    Put32(file, 54 + imageBytes);
    Put32(file, 0);
    Put32(file, 54);
    Put32(file, 40);
    Put32(file, static_cast<uint32_t>(width));
    Put32(file, static_cast<uint32_t>(height)); // positive: rows stored from the bottom
    Put16(file, 1);
    Put16(file, 24);
    Put32(file, 0);
    Put32(file, imageBytes);
    Put32(file, 2835);
    Put32(file, 2835);
    Put32(file, 0);
    Put32(file, 0);
    for (int row = height - 1; row >= 0; --row) {
        const size_t start = file.size();
        for (int col = 0; col < width; ++col) {
            const uint32_t p = argb[static_cast<size_t>(row) * width + col];
            file.push_back(static_cast<uint8_t>(p));
            file.push_back(static_cast<uint8_t>(p >> 8));
            file.push_back(static_cast<uint8_t>(p >> 16));
        }
        file.resize(start + rowBytes, 0);
    }
    const std::string temporary = path + ".tmp";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    if (std::fclose(out) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::unique_ptr<RenderTarget> RenderTarget::Create(Device& device, int width, int height, bool depthBuffer)
{
    std::unique_ptr<Texture> texture = Texture::CreateEmpty(device, width, height);
    if (!texture)
        return nullptr;
    std::unique_ptr<RenderTarget> target(new RenderTarget(device));
    target->m_Texture = std::move(texture);
    target->m_Width = width;
    target->m_Height = height;
    glBindTexture(GL_TEXTURE_2D, target->m_Texture->Name());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);

    glGenFramebuffers(1, &target->m_Framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target->m_Framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target->m_Texture->Name(), 0);
    if (depthBuffer) {
        glGenRenderbuffers(1, &target->m_Depth);
        glBindRenderbuffer(GL_RENDERBUFFER, target->m_Depth);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, target->m_Depth);
    }
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    device.BindFramebuffer(device.GetFramebuffer(), device.GetTargetWidth(), device.GetTargetHeight());
    if (!complete)
        return nullptr;
    return target;
}

RenderTarget::~RenderTarget()
{
    if (m_InScene)
        EndScene();
    if (HasContext())
        ReleaseNames();
}

void RenderTarget::ReleaseNames()
{
    if (m_Framebuffer)
        glDeleteFramebuffers(1, &m_Framebuffer);
    if (m_Depth)
        glDeleteRenderbuffers(1, &m_Depth);
    m_Framebuffer = m_Depth = 0;
}

void RenderTarget::BeginScene()
{
    Device* device = GetDevice();
    if (!device || m_InScene || !m_Framebuffer)
        return;
    m_InScene = true;
    m_PreviousFramebuffer = device->GetFramebuffer();
    m_PreviousWidth = device->GetTargetWidth();
    m_PreviousHeight = device->GetTargetHeight();
    m_PreviousViewport = device->GetViewport();
    device->BindFramebuffer(m_Framebuffer, m_Width, m_Height);
    device->SetViewport({0, 0, m_Width, m_Height, 0.0f, 1.0f});
}

void RenderTarget::EndScene()
{
    Device* device = GetDevice();
    if (!device || !m_InScene)
        return;
    m_InScene = false;
    device->BindFramebuffer(m_PreviousFramebuffer, m_PreviousWidth, m_PreviousHeight);
    device->SetViewport(m_PreviousViewport);
}

bool RenderTarget::SaveToFile(const std::string& path) const
{
    Device* device = GetDevice();
    if (!device || !m_Framebuffer)
        return false;
    const unsigned previous = device->GetFramebuffer();
    const int previousWidth = device->GetTargetWidth(), previousHeight = device->GetTargetHeight();
    device->BindFramebuffer(m_Framebuffer, m_Width, m_Height);
    const std::vector<uint32_t> pixels = device->ReadPixels(0, 0, m_Width, m_Height);
    device->BindFramebuffer(previous, previousWidth, previousHeight);
    return SaveBMP(path, m_Width, m_Height, pixels);
}

} // namespace gfx
