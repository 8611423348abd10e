// The HUD and GUI pictures on numbered layers, drawn once a frame after the 3D pass through the
// renderer's 2D sprite batch: lowest layer first, and on one layer in the order of adding, each
// visible object updated (transform, animation) as it is drawn. Holds the objects without owning
// them; objects may be added, removed or deleted while the layers are being drawn. Each object
// keeps its own entries, so taking one off costs the same however many objects are shown.
#pragma once

#include "core/CSingleton.h"

#include <cstddef>
#include <map>

namespace Vesk {

class CDisplayObject2D;

class CDisplay2DSystem : public CSingleton<CDisplay2DSystem> {
public:
    using Layers = std::multimap<int, CDisplayObject2D*>;
    using Entry = Layers::iterator;

    ~CDisplay2DSystem() override;

    // After the objects already on the layer. An object added twice is drawn twice.
    void AddObject(CDisplayObject2D* object, int layer);
    // Takes the first entry of the object off the layer; nothing when it is not there.
    void RemoveObject(CDisplayObject2D* object, int layer);
    void Render(float dt);
    // Takes every object off every layer.
    void Shutdown() override;

    // Objects on the layer, and on all layers.
    size_t GetLayerCount(int layer) const;
    size_t GetObjectCount() const;

private:
    friend class CDisplayObject2D;
    // Every entry of an object that is being deleted.
    void Forget(CDisplayObject2D* object);
    // Takes the object's entry at `position` (of its own list) off; while the layers are drawn
    // it is only emptied, so that the walk stays valid, and dropped afterwards.
    void Drop(CDisplayObject2D* object, size_t position);

    Layers m_Objects;
    bool m_Rendering = false;
};

} // namespace Vesk
