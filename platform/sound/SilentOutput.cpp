// The output used when there is no audio device: files are still checked, nothing is heard and
// no channel is ever playing.
#include "platform/sound/Output.h"
#include "platform/win/RegularFile.h"

#include <cstdio>

namespace sound {

namespace {

class SilentSample : public Sample {};

class SilentOutput : public Output {
public:
    int GetNumDrivers() override { return 0; }
    bool Open(int) override { return true; }
    void Close() override {}

    std::unique_ptr<Sample> Load(const std::string& path) override
    {
        if (!win::IsRegularFile(path)) {
            std::fprintf(stderr, "sound: cannot load \"%s\": no such file\n", path.c_str());
            return nullptr;
        }
        return std::make_unique<SilentSample>();
    }

    bool Play(int, const Sample&, int) override { return true; }
    void Halt(int) override {}
    bool IsPlaying(int) override { return false; }
    void SetChannelVolume(int, float) override {}
    void SetMasterVolume(float) override {}
};

} // namespace

std::unique_ptr<Output> CreateSilentOutput() { return std::make_unique<SilentOutput>(); }

} // namespace sound
