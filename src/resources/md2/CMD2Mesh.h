// An animated mesh loaded from an MD2 file. Owns the model (shared with the controllers it makes)
// and a vertex buffer refilled at each draw with the pose the last controller update asked for.
// Its mesh matrix turns the file's z-up frame upright.
#pragma once

#include "platform/gfx/Buffers.h"
#include "resources/IMesh.h"
#include "resources/md2/CMD2Model.h"

#include <memory>
#include <vector>

namespace Vesk {

class CMD2Mesh : public IMesh {
public:
    bool Load(const std::string& path) override;
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    // A new CMD2AnimationController on this mesh's model, owned by the caller.
    IAnimationController* CreateAnimationController() override;
    // Draws the model's current pose with the renderer's world transform; nothing without a
    // device or when the pose names a frame outside the model.
    void Render() override;
    // Every vertex of frame 0, unpacked, with z negated.
    void GetVertexPositions(std::vector<CVector3D>& out) const override;

    const CMD2Model* GetModel() const { return m_Model.get(); }

private:
    std::shared_ptr<CMD2Model> m_Model;
    std::unique_ptr<gfx::VertexBuffer> m_Buffer;
    std::vector<MD2DrawVertex> m_Vertices; // kept between draws so drawing allocates nothing
};

} // namespace Vesk
