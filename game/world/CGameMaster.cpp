#include "game/world/CGameMaster.h"

#include "audio/CAudioSystem.h"
#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "game/base/CGameServices.h"
#include "game/controllers/IController.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "math/GameMath.h"

namespace Game {

namespace {

const char* const kPlayerName = "player";

// "sounds" is the root or one of its children.
Vesk::CXmlElement FindSoundsElement(const Vesk::CXmlDocument& document)
{
    Vesk::CXmlElement root = document.GetRoot();
    if (!root || root.GetName() == "sounds")
        return root;
    return root.FirstChildElement("sounds");
}

bool IsEnemy(const CEntity& entity)
{
    const IController* controller = entity.GetController();
    return entity.GetType() == GENERIC_CHARACTER && controller && controller->m_Enabled &&
           entity.m_LifeState != LIFE_DYING && entity.m_LifeState != LIFE_DEAD && entity.GetName() != kPlayerName;
}

} // namespace

bool CGameMaster::Init()
{
    m_MusicState = MUSIC_STOPPED;
    m_NextVolume = 1.0f;
    m_FadeTimer = 0.0f;
    CGameServices::GetInstance().SetGameMaster(this);
    return true;
}

void CGameMaster::Shutdown()
{
    if (CGameServices::GetInstance().GetGameMaster() == this)
        CGameServices::GetInstance().SetGameMaster(nullptr);
    StopMusic();
    m_NextTrack.clear();
    m_SoundVolumes.clear();
    m_PlayerStats.clear();
}

void CGameMaster::SetPhase(int phase)
{
    if (phase < 0 || phase > PHASE_GAME_OVER)
        return;
    if (phase == PHASE_LEVEL_START || phase > m_Phase)
        m_Phase = phase;
}

void CGameMaster::StartLevel()
{
    m_LevelStarted = 1;
    m_Phase = PHASE_LEVEL_START;
}

void CGameMaster::MarkLevelComplete()
{
    if (m_Phase < PHASE_LEVEL_COMPLETE)
        m_Phase = PHASE_LEVEL_COMPLETE;
}

void CGameMaster::PlayMusic(const std::string& name, float volume)
{
    if (name == m_CurrentTrack)
        return;
    m_NextTrack = name;
    m_NextVolume = volume;
    switch (m_MusicState) {
    case MUSIC_PLAYING:
        m_MusicState = MUSIC_FADING_OUT;
        m_FadeTimer = kFadeSeconds;
        break;
    case MUSIC_FADING_IN:
        // Fade out from the level the fade-in has reached, so the request is not lost.
        m_MusicState = MUSIC_FADING_OUT;
        m_FadeTimer = kFadeSeconds - m_FadeTimer;
        break;
    case MUSIC_FADING_OUT:
        // Keeps fading from where it is; only the track that follows changes.
        break;
    default: m_FadeTimer = kFadeSeconds; break;
    }
}

void CGameMaster::StopMusic()
{
    m_MusicState = MUSIC_STOPPED;
    m_MusicChannel.Stop();
    m_CurrentTrack.clear();
}

void CGameMaster::Update(float dt)
{
    UpdateMusic(dt);
    UpdateStats(dt);
}

void CGameMaster::UpdateMusic(float dt)
{
    switch (m_MusicState) {
    case MUSIC_FADING_IN:
        if (CountDown(&m_FadeTimer, dt))
            m_MusicState = MUSIC_PLAYING;
        m_MusicChannel.SetVolume((1.0f - 2.0f * m_FadeTimer) * m_CurrentVolume);
        break;
    case MUSIC_FADING_OUT:
        if (CountDown(&m_FadeTimer, dt)) {
            m_MusicState = MUSIC_STOPPED;
            m_MusicChannel.Stop();
            m_CurrentTrack.clear();
        }
        m_MusicChannel.SetVolume(2.0f * m_FadeTimer * m_CurrentVolume);
        break;
    case MUSIC_STOPPED:
        if (!m_NextTrack.empty())
            StartNextTrack();
        break;
    default: break;
    }
}

void CGameMaster::StartNextTrack()
{
    m_CurrentTrack = m_NextTrack;
    m_NextTrack.clear();
    m_MusicChannel = Vesk::CAudioSystem::GetInstance().PlaySound(m_CurrentTrack, false);
    if (m_MusicChannel.IsPlaying()) {
        m_FadeTimer = kFadeSeconds;
        m_MusicState = MUSIC_FADING_IN;
        m_CurrentVolume = m_NextVolume;
        m_MusicChannel.SetVolume(0.0f);
        return;
    }
    // Not loaded or no channel: stay stopped, and let a later request for the track try again.
    Vesk::LogLine("CGameMaster: the music track \"" + m_CurrentTrack + "\" does not play");
    m_FadeTimer = 0.0f;
    m_CurrentTrack.clear();
}

Vesk::CSoundChannel CGameMaster::PlaySound(const std::string& name)
{
    const auto found = m_SoundVolumes.find(name);
    if (found == m_SoundVolumes.end())
        return Vesk::CSoundChannel();
    Vesk::CSoundChannel channel = Vesk::CAudioSystem::GetInstance().PlaySound(name, false);
    channel.SetVolume(found->second);
    return channel;
}

void CGameMaster::LoadSoundList(const std::string& path)
{
    Vesk::CXmlDocument document;
    if (!document.Load(path)) {
        Vesk::LogLine("CGameMaster: cannot load the sound list \"" + path + "\"");
        return;
    }
    const Vesk::CXmlElement sounds = FindSoundsElement(document);
    if (!sounds) {
        Vesk::LogLine("CGameMaster: \"" + path + "\" has no \"sounds\" element");
        return;
    }
    Vesk::CAudioSystem& audio = Vesk::CAudioSystem::GetInstance();
    for (Vesk::CXmlElement group = sounds.FirstChildElement(); group != nullptr; ++group) {
        const std::string kind = group.GetName();
        if (kind != "sfx" && kind != "bgm")
            continue;
        for (Vesk::CXmlElement sound = group.FirstChildElement(); sound != nullptr; ++sound) {
            const std::string name = sound.GetName();
            int loop = 0;
            sound.GetIntAttribute("loop", &loop, 0);
            const char* url = sound.GetAttribute("url");
            if (!url) {
                Vesk::LogLine("CGameMaster: the sound \"" + name + "\" in \"" + path + "\" has no \"url\"");
                continue;
            }
            if (kind == "sfx") {
                float volume = 0.0f;
                sound.GetFloatAttribute("vol", &volume, 0.0f);
                m_SoundVolumes.emplace(name, volume);
            }
            audio.LoadSound(name, url, loop);
        }
    }
}

bool CGameMaster::GetSoundVolume(const std::string& name, float& volume) const
{
    const auto found = m_SoundVolumes.find(name);
    if (found == m_SoundVolumes.end())
        return false;
    volume = found->second;
    return true;
}

bool CGameMaster::AllEnemiesDefeated() const
{
    for (const auto& entry : CEntityFactory::GetInstance().GetLiveEntities()) {
        if (IsEnemy(*entry.second))
            return false;
    }
    return true;
}

int CGameMaster::GetRemainingEnemyCount() const
{
    int count = 0;
    for (const auto& entry : CEntityFactory::GetInstance().GetLiveEntities()) {
        if (IsEnemy(*entry.second))
            ++count;
    }
    return count;
}

} // namespace Game
