// Vertex and index buffers with Direct3D-style lock and unlock, and vertex declarations. A lock
// hands out CPU memory that the unlock uploads (a discarding lock orphans the GPU storage first,
// so a buffer can be refilled every frame without waiting for the previous draw).
#pragma once

#include "platform/gfx/GpuObject.h"
#include "platform/gfx/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

enum : uint32_t { LOCK_DISCARD = 0x2000 };

class BufferBase : public GpuObject {
public:
    ~BufferBase() override;

    unsigned Size() const { return static_cast<unsigned>(m_Data.size()); }
    unsigned Name() const { return m_Name; }

    // Whole buffer when offset and size are both 0. Null when the range lies outside the buffer
    // or the buffer is already locked.
    void* Lock(unsigned offset, unsigned size, uint32_t flags);
    void Unlock();
    // Uploads only the first `written` bytes of the locked range (at most the range): a buffer
    // refilled every frame sends what the frame wrote, not its whole capacity. After a
    // discarding lock of the whole buffer the device keeps only those bytes.
    void Unlock(unsigned written);
    bool IsLocked() const { return m_Locked; }
    // The contents as last written through a lock.
    const uint8_t* Data() const { return m_Data.data(); }

protected:
    BufferBase(Device& device, unsigned size, bool dynamic);
    void ReleaseNames() override;

private:
    unsigned m_Name = 0;
    bool m_Dynamic = false;
    bool m_Locked = false;
    bool m_Discard = false;
    unsigned m_LockOffset = 0, m_LockSize = 0;
    unsigned m_DeviceSize = 0; // bytes of the device's storage: Size(), or fewer after Unlock(written)
    std::vector<uint8_t> m_Data;
};

class VertexBuffer : public BufferBase {
public:
    // Null for a size of 0.
    static std::unique_ptr<VertexBuffer> Create(Device& device, unsigned size, bool dynamic);

private:
    using BufferBase::BufferBase;
};

// 16-bit indices.
class IndexBuffer : public BufferBase {
public:
    // Null for a count of 0.
    static std::unique_ptr<IndexBuffer> Create(Device& device, unsigned indexCount);
    unsigned IndexCount() const { return Size() / 2; }

private:
    using BufferBase::BufferBase;
};

class VertexDeclaration {
public:
    explicit VertexDeclaration(std::vector<VertexElement> elements) : m_Elements(std::move(elements)) {}
    // The declaration a flexible vertex format describes (XYZ, NORMAL, DIFFUSE, TEX1 in that order).
    static VertexDeclaration FromFVF(uint32_t fvf);

    const std::vector<VertexElement>& Elements() const { return m_Elements; }
    // Bytes of one vertex of the stream: the end of its furthest element.
    unsigned VertexSize(unsigned stream) const;

private:
    std::vector<VertexElement> m_Elements;
};

} // namespace gfx
