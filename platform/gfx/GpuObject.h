// Base of every object that owns OpenGL names. The device keeps a registry of live objects: when
// the device goes, it releases their names before the context is destroyed, and an object
// destroyed first tells the device to drop any binding that still points at it.
#pragma once

#include <memory>
#include <vector>

namespace gfx {

class Device;
class GpuObject;

namespace detail {
// Shared between the device and its objects; outlives whichever of them goes first.
struct ContextLink {
    Device* device = nullptr; // null once the device is gone
    std::vector<GpuObject*> objects;
};
} // namespace detail

class GpuObject {
public:
    GpuObject(const GpuObject&) = delete;
    GpuObject& operator=(const GpuObject&) = delete;
    virtual ~GpuObject();

protected:
    explicit GpuObject(Device& device);

    // True while the device (and its GL context) exists.
    bool HasContext() const { return m_Link->device != nullptr; }
    Device* GetDevice() const { return m_Link->device; }

    // Deletes the object's GL names and zeroes them; safe to call twice. Every derived destructor
    // calls it when HasContext() holds; the device calls it when it goes first.
    virtual void ReleaseNames() = 0;
    // Told when another object of the same device is destroyed, so that references to it go.
    virtual void OnObjectDestroyed(const GpuObject* object) { (void)object; }

private:
    friend class Device;
    std::shared_ptr<detail::ContextLink> m_Link;
};

} // namespace gfx
