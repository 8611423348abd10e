#include "audio/CSoundChannel.h"

#include "audio/CAudioSystem.h"

namespace Vesk {

void CSoundChannel::Stop() { CAudioSystem::GetInstance().StopChannel(m_Channel); }

bool CSoundChannel::IsPlaying() const { return CAudioSystem::GetInstance().IsChannelPlaying(m_Channel); }

void CSoundChannel::SetVolume(float volume) { CAudioSystem::GetInstance().SetChannelVolume(m_Channel, volume); }

} // namespace Vesk
