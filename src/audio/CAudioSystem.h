// Sounds by name (stand-in until the audio issue lands): silent.
#pragma once

#include "core/CSingleton.h"

namespace Vesk {

class CAudioSystem : public CSingleton<CAudioSystem> {
public:
    void Update() {}
    void SetMasterVolume(float volume) { m_MasterVolume = volume; }
    float GetMasterVolume() const { return m_MasterVolume; }

private:
    float m_MasterVolume = 1.0f;
};

} // namespace Vesk
