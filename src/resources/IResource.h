// Every loadable graphics resource: loaded once from the argument its cache hands over (a file
// path or the resource's own name) and told when the device is lost and reset.
#pragma once

#include <string>

namespace Vesk {

class IResource {
public:
    virtual ~IResource() = default;
    virtual bool Load(const std::string& arg) = 0;
    virtual void OnLostDevice() = 0;
    virtual void OnResetDevice() = 0;
};

} // namespace Vesk
