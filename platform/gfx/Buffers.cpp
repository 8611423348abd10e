#include "platform/gfx/Buffers.h"
#include "platform/gfx/DriverTime.h"

#include "platform/gfx/detail/GL.h"

#include <algorithm>
#include <cstring>

namespace gfx {

// Index buffers are bound through the vertex array object; binding them outside a draw would
// change its state, so every buffer is created and filled through the copy-write target.
BufferBase::BufferBase(Device& device, unsigned size, bool dynamic)
    : GpuObject(device), m_Dynamic(dynamic), m_Data(size, 0)
{
    glGenBuffers(1, &m_Name);
    glBindBuffer(GL_COPY_WRITE_BUFFER, m_Name);
    glBufferData(GL_COPY_WRITE_BUFFER, size, m_Data.data(), m_Dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
    m_DeviceSize = size;
}

BufferBase::~BufferBase()
{
    if (HasContext())
        ReleaseNames();
}

void BufferBase::ReleaseNames()
{
    if (m_Name)
        glDeleteBuffers(1, &m_Name);
    m_Name = 0;
}

void* BufferBase::Lock(unsigned offset, unsigned size, uint32_t flags)
{
    if (m_Locked)
        return nullptr;
    if (offset == 0 && size == 0)
        size = Size();
    if (offset > Size() || size > Size() - offset)
        return nullptr;
    m_Locked = true;
    m_Discard = (flags & LOCK_DISCARD) != 0;
    m_LockOffset = offset;
    m_LockSize = size;
    return m_Data.data() + offset;
}

void BufferBase::Unlock() { Unlock(m_LockSize); }

void BufferBase::Unlock(unsigned written)
{
    if (!m_Locked)
        return;
    m_Locked = false;
    if (!m_Name)
        return;
    written = std::min(written, m_LockSize);
    const DriverScope driver;
    const GLenum usage = m_Dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW;
    glBindBuffer(GL_COPY_WRITE_BUFFER, m_Name);
    if (m_Discard && m_LockOffset == 0) {
        // Fresh storage holding just the written bytes: the old storage is orphaned and nothing
        // of the capacity beyond them is copied.
        glBufferData(GL_COPY_WRITE_BUFFER, written, m_Data.data(), usage);
        m_DeviceSize = written;
    } else if (m_Discard || m_DeviceSize < Size()) {
        // The whole buffer again, also when the storage was cut to a frame's bytes before.
        glBufferData(GL_COPY_WRITE_BUFFER, Size(), m_Data.data(), usage);
        m_DeviceSize = Size();
    } else if (written > 0) {
        glBufferSubData(GL_COPY_WRITE_BUFFER, m_LockOffset, written, m_Data.data() + m_LockOffset);
    }
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}

std::unique_ptr<VertexBuffer> VertexBuffer::Create(Device& device, unsigned size, bool dynamic)
{
    if (size == 0)
        return nullptr;
    return std::unique_ptr<VertexBuffer>(new VertexBuffer(device, size, dynamic));
}

std::unique_ptr<IndexBuffer> IndexBuffer::Create(Device& device, unsigned indexCount)
{
    if (indexCount == 0)
        return nullptr;
    return std::unique_ptr<IndexBuffer>(new IndexBuffer(device, indexCount * 2, false));
}

VertexDeclaration VertexDeclaration::FromFVF(uint32_t fvf)
{
    std::vector<VertexElement> elements;
    uint16_t offset = 0;
    auto add = [&](DeclType type, DeclUsage usage) {
        elements.push_back({0, offset, type, usage, 0});
        offset = static_cast<uint16_t>(offset + DeclTypeSize(type));
    };
    if (fvf & FVF_XYZ)
        add(DeclType::Float3, DeclUsage::Position);
    if (fvf & FVF_NORMAL)
        add(DeclType::Float3, DeclUsage::Normal);
    if (fvf & FVF_DIFFUSE)
        add(DeclType::Color, DeclUsage::Color);
    if (fvf & FVF_TEX1)
        add(DeclType::Float2, DeclUsage::TexCoord);
    return VertexDeclaration(std::move(elements));
}

unsigned VertexDeclaration::VertexSize(unsigned stream) const
{
    unsigned size = 0;
    for (const VertexElement& e : m_Elements)
        if (e.stream == stream)
            size = std::max(size, static_cast<unsigned>(e.offset + DeclTypeSize(e.type)));
    return size;
}

} // namespace gfx
