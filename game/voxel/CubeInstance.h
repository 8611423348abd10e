// The per-cube instance record that cube meshes append every frame and the instanced cube
// renderer draws, and the fixed-capacity buffer it is appended to. A buffer whose data is null is
// not locked: nothing can be appended to it.
#pragma once

namespace Game {

struct CubeInstance {
    float position[3];
    float colour[3];
    float world[16]; // four rows of four, row-vector form
    float index;     // neighbour code + 0.5
    float flash;
    float submeshParam;
    float ownMatrix; // 1: world is the cube's own debris matrix
};
static_assert(sizeof(CubeInstance) == 104, "the instance record is 26 floats without gaps");

struct CubeInstanceBuffer {
    CubeInstance* data = nullptr; // the locked records; null when not locked
    int count = 0;
    int capacity = 0;

    bool IsLocked() const { return data != nullptr; }
    // The next free record, counted as appended; null when the buffer is full or not locked.
    CubeInstance* Append()
    {
        if (!data || count >= capacity)
            return nullptr;
        return &data[count++];
    }
};

} // namespace Game
