// Vertex streams, attribute binding and draw calls of the device.
#include "platform/gfx/Device.h"
#include "platform/gfx/DriverTime.h"

#include "platform/gfx/Program.h"
#include "platform/gfx/detail/GL.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace gfx {

namespace {

GLenum Mode(PrimitiveType type)
{
    switch (type) {
    case PrimitiveType::PointList: return GL_POINTS;
    case PrimitiveType::LineList: return GL_LINES;
    case PrimitiveType::LineStrip: return GL_LINE_STRIP;
    case PrimitiveType::TriangleList: return GL_TRIANGLES;
    case PrimitiveType::TriangleStrip: return GL_TRIANGLE_STRIP;
    }
    return GL_POINTS;
}

unsigned VertexCount(PrimitiveType type, unsigned primitives)
{
    switch (type) {
    case PrimitiveType::PointList: return primitives;
    case PrimitiveType::LineList: return primitives * 2;
    case PrimitiveType::LineStrip: return primitives + 1;
    case PrimitiveType::TriangleList: return primitives * 3;
    case PrimitiveType::TriangleStrip: return primitives + 2;
    }
    return 0;
}

int Slot(const VertexElement& e)
{
    switch (e.usage) {
    case DeclUsage::Position: return e.usageIndex == 0 ? SLOT_POSITION : -1;
    case DeclUsage::Normal: return e.usageIndex == 0 ? SLOT_NORMAL : -1;
    case DeclUsage::Color: return e.usageIndex < 2 ? SLOT_COLOR0 + e.usageIndex : -1;
    case DeclUsage::TexCoord: return e.usageIndex < 8 ? SLOT_TEXCOORD0 + e.usageIndex : -1;
    }
    return -1;
}

const uint32_t kFrequencyFlags = STREAMSOURCE_INDEXEDDATA | STREAMSOURCE_INSTANCEDATA;

} // namespace

void Device::SetVertexDeclaration(const VertexDeclaration& declaration) { m_Declaration = declaration; }

void Device::SetFVF(uint32_t fvf) { m_Declaration = VertexDeclaration::FromFVF(fvf); }

void Device::SetStreamSource(unsigned stream, const VertexBuffer* buffer, unsigned offset, unsigned stride)
{
    if (stream < kMaxStreams)
        m_Streams[stream] = {buffer, offset, stride, m_Streams[stream].frequency};
}

void Device::SetStreamSourceFreq(unsigned stream, uint32_t frequency)
{
    if (stream < kMaxStreams)
        m_Streams[stream].frequency = frequency;
}

void Device::SetIndices(const IndexBuffer* buffer) { m_Indices = buffer; }

unsigned Device::Stride(unsigned stream) const
{
    // OpenGL reads a stride of 0 as "tightly packed"; say so explicitly, so that the bounds check
    // and the draw agree.
    const unsigned stride = m_Streams[stream].stride;
    return stride ? stride : m_Declaration.VertexSize(stream);
}

unsigned Device::InstanceCount() const
{
    for (const Stream& stream : m_Streams)
        if (stream.buffer && (stream.frequency & STREAMSOURCE_INDEXEDDATA))
            return stream.frequency & ~kFrequencyFlags;
    return 1;
}

bool Device::StreamsCover(unsigned long long lastVertex, unsigned instances) const
{
    for (const VertexElement& e : m_Declaration.Elements()) {
        if (Slot(e) < 0 || e.stream >= kMaxStreams || !m_Streams[e.stream].buffer)
            continue;
        const Stream& stream = m_Streams[e.stream];
        const unsigned long long last = (stream.frequency & STREAMSOURCE_INSTANCEDATA) ? instances - 1ull : lastVertex;
        const unsigned long long end =
            stream.offset + last * Stride(e.stream) + e.offset + static_cast<unsigned>(DeclTypeSize(e.type));
        if (end > stream.buffer->Size()) {
            std::fprintf(stderr, "gfx: draw skipped: stream %u would be read to byte %llu of %u\n", e.stream, end,
                         stream.buffer->Size());
            return false;
        }
    }
    return true;
}

void Device::BindAttributes()
{
    bool used[SLOT_COUNT] = {};
    for (const VertexElement& e : m_Declaration.Elements()) {
        const int slot = Slot(e);
        if (slot < 0 || e.stream >= kMaxStreams || !m_Streams[e.stream].buffer)
            continue;
        const Stream& stream = m_Streams[e.stream];
        glBindBuffer(GL_ARRAY_BUFFER, stream.buffer->Name());
        const void* offset = reinterpret_cast<const void*>(static_cast<uintptr_t>(stream.offset + e.offset));
        const GLsizei stride = static_cast<GLsizei>(Stride(e.stream));
        if (e.type == DeclType::Color)
            glVertexAttribPointer(slot, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, offset);
        else
            glVertexAttribPointer(slot, DeclTypeSize(e.type) / 4, GL_FLOAT, GL_FALSE, stride, offset);
        glVertexAttribDivisor(slot, (stream.frequency & STREAMSOURCE_INSTANCEDATA) ? 1 : 0);
        glEnableVertexAttribArray(slot);
        used[slot] = true;
    }
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        if (!used[slot])
            glDisableVertexAttribArray(slot);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void Device::PrepareDraw()
{
    if (m_Program) {
        glUseProgram(m_Program->Name());
    } else {
        glUseProgram(m_FixedFunction->Name());
        UploadFixedFunction();
    }
    BindAttributes();
}

void Device::DrawPrimitive(PrimitiveType type, unsigned startVertex, unsigned primitiveCount)
{
    const unsigned instances = InstanceCount();
    const unsigned count = VertexCount(type, primitiveCount);
    if (primitiveCount == 0 || instances == 0 ||
        !StreamsCover(static_cast<unsigned long long>(startVertex) + count - 1, instances))
        return;
    const DriverScope driver;
    PrepareDraw();
    if (instances > 1)
        glDrawArraysInstanced(Mode(type), static_cast<GLint>(startVertex), static_cast<GLsizei>(count),
                              static_cast<GLsizei>(instances));
    else
        glDrawArrays(Mode(type), static_cast<GLint>(startVertex), static_cast<GLsizei>(count));
}

void Device::DrawIndexedPrimitive(PrimitiveType type, int baseVertex, unsigned minIndex, unsigned numVertices,
                                  unsigned startIndex, unsigned primitiveCount)
{
    // The vertex range is a hint in Direct3D; the indices themselves decide what is read.
    (void)minIndex;
    (void)numVertices;
    const unsigned instances = InstanceCount();
    const unsigned count = VertexCount(type, primitiveCount);
    if (primitiveCount == 0 || instances == 0 || !m_Indices || startIndex > m_Indices->IndexCount() ||
        count > m_Indices->IndexCount() - startIndex)
        return;
    const uint16_t* indices = reinterpret_cast<const uint16_t*>(m_Indices->Data()) + startIndex;
    const uint16_t highest = *std::max_element(indices, indices + count);
    if (baseVertex < 0 && static_cast<long long>(*std::min_element(indices, indices + count)) + baseVertex < 0)
        return;
    if (!StreamsCover(static_cast<unsigned long long>(static_cast<long long>(highest) + baseVertex), instances))
        return;
    const DriverScope driver;
    PrepareDraw();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_Indices->Name());
    const void* offset = reinterpret_cast<const void*>(static_cast<uintptr_t>(startIndex) * 2);
    glDrawElementsInstancedBaseVertex(Mode(type), static_cast<GLsizei>(count), GL_UNSIGNED_SHORT, offset,
                                      static_cast<GLsizei>(instances), baseVertex);
}

} // namespace gfx
