// A named camera (stand-in until the camera issue lands): Reset and Update hooks that the game's
// cameras override.
#pragma once

#include <string>

namespace Vesk {

class CCamera {
public:
    virtual ~CCamera() = default;
    virtual void Reset() {}
    virtual void Update(float dt) { (void)dt; }

    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }

private:
    std::string m_Name;
};

} // namespace Vesk
