// A mesh read from a text .x file: every mesh of the file merged with its frame transforms, one
// subset per material slot, and the bounding box of its vertices. The geometry goes to the
// graphics device on the first draw; materials come from the material system, not the file.
#pragma once

#include "platform/gfx/Buffers.h"
#include "resources/IMesh.h"
#include "resources/XFileReader.h"

#include <memory>
#include <string>

namespace Vesk {

class CXMesh : public IMesh {
public:
    // False (with a log line) when the file is missing, is not a text .x file, holds no
    // vertices, or does not add up.
    bool Load(const std::string& path) override;
    // The buffers survive a device reset.
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    // Draws every subset in slot order with the device's current transforms.
    void Render() override;
    void DrawSubset(unsigned subset);

    unsigned GetMaterialCount() const { return static_cast<unsigned>(m_Data.subsets.size()); }
    const std::string& GetPath() const { return m_Path; }
    const XMeshData& GetData() const { return m_Data; }

private:
    bool CreateBuffers(gfx::Device& device);

    XMeshData m_Data;
    std::string m_Path;
    std::unique_ptr<gfx::VertexBuffer> m_VertexBuffer;
    std::unique_ptr<gfx::IndexBuffer> m_IndexBuffer;
};

} // namespace Vesk
