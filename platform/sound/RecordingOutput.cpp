#include "platform/sound/RecordingOutput.h"

#include "platform/win/RegularFile.h"

namespace sound {

namespace {

class RecordedSample : public Sample {
public:
    explicit RecordedSample(std::string path) : m_Path(std::move(path)) {}
    const std::string& Path() const { return m_Path; }

private:
    std::string m_Path;
};

class RecordingOutput : public Output {
public:
    explicit RecordingOutput(std::shared_ptr<Recording> recording) : m_Recording(std::move(recording)) {}

    int GetNumDrivers() override { return m_Recording->drivers; }

    bool Open(int channelCount) override
    {
        if (!m_Recording->openSucceeds)
            return false;
        m_Recording->openedChannels = channelCount;
        return true;
    }

    void Close() override
    {
        m_Recording->openedChannels = 0;
        m_Recording->playing.clear();
    }

    std::unique_ptr<Sample> Load(const std::string& path) override
    {
        m_Recording->loads.push_back(path);
        if (!win::IsRegularFile(path))
            return nullptr;
        return std::make_unique<RecordedSample>(path);
    }

    bool Play(int channel, const Sample& sample, int loopCount) override
    {
        const auto& recorded = static_cast<const RecordedSample&>(sample);
        m_Recording->plays.push_back({channel, recorded.Path(), loopCount});
        m_Recording->playing[channel] = true;
        return true;
    }

    void Halt(int channel) override
    {
        m_Recording->halts.push_back(channel);
        m_Recording->playing[channel] = false;
    }

    bool IsPlaying(int channel) override
    {
        const auto it = m_Recording->playing.find(channel);
        return it != m_Recording->playing.end() && it->second;
    }

    void SetChannelVolume(int channel, float volume) override { m_Recording->channelVolumes[channel] = volume; }
    void SetMasterVolume(float volume) override { m_Recording->masterVolume = volume; }
    void Update() override { ++m_Recording->updates; }

private:
    std::shared_ptr<Recording> m_Recording;
};

} // namespace

std::unique_ptr<Output> CreateRecordingOutput(std::shared_ptr<Recording> recording)
{
    return std::make_unique<RecordingOutput>(std::move(recording));
}

} // namespace sound
