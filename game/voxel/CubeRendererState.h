// Module state of the instanced cube renderer (CubeRenderer.h), shared by its source files only:
// the two instance streams (GPU buffer, locked records, vertex declaration), the kept capacities
// and device-notice flags, the level's light rule and the light matrices of the frame's shadow
// pass.
#pragma once

#include "game/voxel/CubeInstance.h"
#include "game/voxel/CubeRenderer.h"

#include "core/CSingleton.h"
#include "math/Matrix4.h"
#include "platform/gfx/Buffers.h"

#include <memory>

namespace Game {
namespace cuberenderer {

struct InstanceStream {
    std::unique_ptr<gfx::VertexBuffer> buffer;
    CubeInstanceBuffer records; // data: the locked buffer memory for this frame, else null
    std::unique_ptr<gfx::VertexDeclaration> declaration;
};

class State : public Vesk::CSingleton<State> {
public:
    InstanceStream model;
    InstanceStream terrain;
    int keptModelCapacity = 0;
    int keptTerrainCapacity = 0;
    bool released = false;
    bool initialised = true;
    float lightOffsetZ = kDefaultCubeLightOffsetZ;
    CMatrix4 lightProjection;
    CMatrix4 lightView;
};

inline State& GetState() { return State::GetInstance(); }

// Ends the stream's lock, sending the device only the records appended to it.
inline void UploadRecords(InstanceStream& stream)
{
    if (stream.buffer && stream.buffer->IsLocked())
        stream.buffer->Unlock(static_cast<unsigned>(stream.records.count) * sizeof(CubeInstance));
}

} // namespace cuberenderer
} // namespace Game
