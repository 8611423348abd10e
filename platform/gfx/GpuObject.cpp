#include "platform/gfx/GpuObject.h"

#include "platform/gfx/Device.h"

#include <algorithm>

namespace gfx {

GpuObject::GpuObject(Device& device) : m_Link(device.m_Link) { m_Link->objects.push_back(this); }

GpuObject::~GpuObject()
{
    auto& objects = m_Link->objects;
    objects.erase(std::remove(objects.begin(), objects.end(), this), objects.end());
    for (GpuObject* other : objects)
        other->OnObjectDestroyed(this);
    if (m_Link->device)
        m_Link->device->Forget(this);
}

} // namespace gfx
