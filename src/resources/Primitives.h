// The built-in meshes the resource manager hands out under the names "wirecube", "cylinder",
// "plane", "quad", "sphere" and "cube" when the mesh file does not list them: generated shapes
// (unit box, cylinder along z, fifteen-sided polygon, sphere) and a textured quad. Each owns its
// graphics mesh or buffer, made when it loads on the renderer's device; the bounding box covers
// its vertices. Render states a draw changes are put back as they were.
#pragma once

#include "platform/gfx/Buffers.h"
#include "platform/gfx/Mesh.h"
#include "resources/IMesh.h"

#include <memory>

namespace Vesk {

// Base of the primitives built from a generated shape.
class CDXShapeMesh : public IMesh {
public:
    // False (not cached) when there is no graphics device.
    bool Load(const std::string& arg) override;
    // The mesh survives a device reset.
    void OnLostDevice() override {}
    void OnResetDevice() override {}

    // Null until loaded; the cube renderer draws the cube's buffers itself.
    const gfx::Mesh* GetMesh() const { return m_pMesh.get(); }

protected:
    virtual gfx::MeshData Shape() const = 0;
    void DrawSubset() const;
    // Draws with lighting off and, while the scene is drawn solid, as a wireframe; with culling
    // off when cullNone is set.
    void DrawUnlitWireframe(bool cullNone) const;

private:
    std::unique_ptr<gfx::Mesh> m_pMesh;
};

class CDXWireCube : public CDXShapeMesh {
public:
    static constexpr const char* kName = "wirecube";
    void Render() override { DrawUnlitWireframe(true); }

protected:
    gfx::MeshData Shape() const override;
};

class CDXCylinderMesh : public CDXShapeMesh {
public:
    static constexpr const char* kName = "cylinder";
    // The mesh matrix moves it back by half its length.
    bool Load(const std::string& arg) override;
    void Render() override { DrawSubset(); }

protected:
    gfx::MeshData Shape() const override;
};

class CDXPlaneMesh : public CDXShapeMesh {
public:
    static constexpr const char* kName = "plane";
    // The mesh matrix turns it by -90 degrees about x.
    bool Load(const std::string& arg) override;
    void Render() override { DrawSubset(); }

protected:
    gfx::MeshData Shape() const override;
};

class CDXSphereMesh : public CDXShapeMesh {
public:
    static constexpr const char* kName = "sphere";
    void Render() override { DrawUnlitWireframe(false); }

protected:
    gfx::MeshData Shape() const override;
};

class CDXCubeMesh : public CDXShapeMesh {
public:
    static constexpr const char* kName = "cube";
    void Render() override { DrawSubset(); }

protected:
    gfx::MeshData Shape() const override;
};

// Two triangles in a strip from (-1, 1) to (1, -1) in the z = 0 plane, with texture
// coordinates, drawn unlit.
class CDXQuadMesh : public IMesh {
public:
    static constexpr const char* kName = "quad";
    // False (not cached) when the vertex buffer cannot be made.
    bool Load(const std::string& arg) override;
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Render() override;

private:
    std::unique_ptr<gfx::VertexBuffer> m_pVertexBuffer;
};

} // namespace Vesk
