// Synthesizes the game's sound effects and its three music loops as 8-bit mono 22050 Hz WAV files and
// writes the sound list that names them, with each sound's volume and loop count.
// Usage: gen_sounds [assets directory, default bin/assets]. Writes "<dir>/soundList.xml" and
// "<dir>/audio/*.wav". Output is deterministic: the synthesis uses no library maths and a fixed
// noise generator, so a rerun reproduces every byte.
#include "core/AtomicFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kRate = 22050;
const double kPi = 3.14159265358979323846;

// sin(x) by range reduction and a Taylor polynomial (error below 2e-6), the same on every libm.
double Sine(double x)
{
    x -= 2.0 * kPi * std::floor((x + kPi) / (2.0 * kPi));
    if (x > kPi / 2.0)
        x = kPi - x;
    else if (x < -kPi / 2.0)
        x = -kPi - x;
    const double x2 = x * x;
    return x * (1.0 - x2 / 6.0 * (1.0 - x2 / 20.0 * (1.0 - x2 / 42.0 * (1.0 - x2 / 72.0))));
}

enum class Wave { Sine, Square, Triangle, Saw };

double Oscillate(Wave wave, double phase)
{
    const double cycle = phase - std::floor(phase); // 0..1
    switch (wave) {
    case Wave::Square: return cycle < 0.5 ? 1.0 : -1.0;
    case Wave::Triangle: return cycle < 0.5 ? 4.0 * cycle - 1.0 : 3.0 - 4.0 * cycle;
    case Wave::Saw: return 2.0 * cycle - 1.0;
    default: return Sine(2.0 * kPi * cycle);
    }
}

// x to a whole power, by multiplication.
double Power(double x, int n)
{
    double result = 1.0;
    for (int i = 0; i < n; ++i)
        result *= x;
    return result;
}

// A fixed linear congruential generator: noise that is the same on every run.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_State(seed) {}
    double Next()
    {
        m_State = m_State * 1664525u + 1013904223u;
        return static_cast<double>(m_State >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    uint32_t m_State;
};

struct Tone {
    Wave wave = Wave::Square;
    double from = 440.0; // Hz at the start
    double to = 440.0;   // Hz at the end (linear sweep)
    double vibratoRate = 0.0;
    double vibratoDepth = 0.0; // fraction of the frequency
    double attack = 0.005;
    double gain = 0.5;
};

struct Burst {
    uint32_t seed = 1;
    double smoothFrom = 0.5; // one-pole low-pass factor at the start (1 = no filtering)
    double smoothTo = 0.5;
    double gain = 0.5;
    double tremoloRate = 0.0;
};

// A mono track of float samples that the sounds are mixed into.
class Track {
public:
    explicit Track(double seconds) : m_Samples(static_cast<size_t>(seconds * kRate), 0.0) {}

    double Seconds() const { return static_cast<double>(m_Samples.size()) / kRate; }

    // A tone from start for length seconds with a linear attack and an exponential-ish decay.
    void AddTone(double start, double length, const Tone& tone, int decay = 2)
    {
        double phase = 0.0;
        ForSpan(start, length, [&](size_t i, double t) {
            const double along = t / length;
            double frequency = tone.from + (tone.to - tone.from) * along;
            if (tone.vibratoRate > 0.0)
                frequency *= 1.0 + tone.vibratoDepth * Sine(2.0 * kPi * tone.vibratoRate * t);
            phase += frequency / kRate;
            m_Samples[i] += tone.gain * Envelope(t, length, tone.attack, decay) * Oscillate(tone.wave, phase);
        });
    }

    void AddBurst(double start, double length, const Burst& burst, int decay = 2)
    {
        Noise noise(burst.seed);
        double smoothed = 0.0;
        ForSpan(start, length, [&](size_t i, double t) {
            const double along = t / length;
            const double smooth = burst.smoothFrom + (burst.smoothTo - burst.smoothFrom) * along;
            smoothed += smooth * (noise.Next() - smoothed);
            double level = burst.gain * Envelope(t, length, 0.002, decay);
            if (burst.tremoloRate > 0.0)
                level *= 0.6 + 0.4 * Sine(2.0 * kPi * burst.tremoloRate * t);
            m_Samples[i] += level * smoothed;
        });
    }

    // Peak-normalises to the level and writes 8-bit PCM WAV bytes (small, and plenty for these
    // simple waveforms).
    std::string ToWav(double level) const
    {
        double peak = 1e-9;
        for (double s : m_Samples)
            peak = std::max(peak, std::fabs(s));
        const uint32_t dataSize = static_cast<uint32_t>(m_Samples.size());
        std::string out;
        auto put = [&out](uint32_t value, int bytes) {
            for (int b = 0; b < bytes; ++b)
                out.push_back(static_cast<char>((value >> (8 * b)) & 0xFF));
        };
        out += "RIFF";
        put(36 + dataSize, 4);
        out += "WAVEfmt ";
        put(16, 4);
        put(1, 2); // PCM
        put(1, 2); // mono
        put(kRate, 4);
        put(kRate, 4); // bytes a second
        put(1, 2);     // bytes a frame
        put(8, 2);     // bits a sample
        out += "data";
        put(dataSize, 4);
        for (double s : m_Samples)
            put(static_cast<uint32_t>(std::lround(128.0 + std::clamp(s / peak * level, -1.0, 1.0) * 127.0)), 1);
        return out;
    }

private:
    static double Envelope(double t, double length, double attack, int decay)
    {
        const double rise = attack > 0.0 ? std::min(1.0, t / attack) : 1.0;
        const double fall = 1.0 - t / length; // reaches 0 at the end: no click
        return rise * Power(std::max(0.0, fall), decay);
    }

    void ForSpan(double start, double length, const std::function<void(size_t, double)>& body)
    {
        const size_t first = static_cast<size_t>(start * kRate);
        const size_t count = static_cast<size_t>(length * kRate);
        for (size_t n = 0; n < count && first + n < m_Samples.size(); ++n)
            body(first + n, static_cast<double>(n) / kRate);
    }

    std::vector<double> m_Samples;
};

Tone MakeTone(Wave wave, double from, double to, double gain = 0.5)
{
    Tone tone;
    tone.wave = wave;
    tone.from = from;
    tone.to = to;
    tone.gain = gain;
    return tone;
}

Tone Wobbly(Tone tone, double rate, double depth)
{
    tone.vibratoRate = rate;
    tone.vibratoDepth = depth;
    return tone;
}

Burst MakeBurst(uint32_t seed, double smoothFrom, double smoothTo, double gain = 0.5)
{
    Burst burst;
    burst.seed = seed;
    burst.smoothFrom = smoothFrom;
    burst.smoothTo = smoothTo;
    burst.gain = gain;
    return burst;
}

double Note(int semitonesFromA4)
{
    const double kSemitone = 1.0594630943592953; // 2^(1/12)
    const double ratio = Power(kSemitone, std::abs(semitonesFromA4));
    return semitonesFromA4 < 0 ? 440.0 / ratio : 440.0 * ratio;
}

// Notes in semitones from A4, one per step; 99 rests.
const int kRest = 99;

void AddMelody(Track& track, double start, double step, const std::vector<int>& notes, Wave wave, double gain,
               double hold = 0.9)
{
    for (size_t i = 0; i < notes.size(); ++i) {
        if (notes[i] == kRest)
            continue;
        const double f = Note(notes[i]);
        track.AddTone(start + step * static_cast<double>(i), step * hold, MakeTone(wave, f, f, gain), 3);
    }
}

void AddArpeggio(Track& track, double start, double step, const std::vector<int>& notes, Wave wave, double gain)
{
    AddMelody(track, start, step, notes, wave, gain, 1.6);
}

namespace recipes {

using W = Wave;

Track Thump(double length, double from, double to, uint32_t seed, double noiseGain)
{
    Track t(length);
    t.AddTone(0.0, length, MakeTone(W::Sine, from, to, 0.8), 3);
    t.AddBurst(0.0, length * 0.6, MakeBurst(seed, 0.6, 0.1, noiseGain), 3);
    return t;
}

Track CrateDestroy()
{
    Track t(0.45);
    t.AddBurst(0.0, 0.45, MakeBurst(11, 0.9, 0.2, 0.7), 3);
    t.AddTone(0.0, 0.25, MakeTone(W::Sine, 140.0, 60.0, 0.8), 2);
    t.AddBurst(0.08, 0.15, MakeBurst(12, 0.5, 0.5, 0.4), 2);
    return t;
}

Track Sweep(double length, Wave wave, double from, double to, double vibratoRate = 0.0, double vibratoDepth = 0.0)
{
    Track t(length);
    t.AddTone(0.0, length, Wobbly(MakeTone(wave, from, to), vibratoRate, vibratoDepth), 2);
    return t;
}

Track Grunt(double length, double from, double to, uint32_t seed)
{
    Track t(length);
    t.AddTone(0.0, length, Wobbly(MakeTone(W::Saw, from, to, 0.6), 30.0, 0.08), 2);
    Burst rasp = MakeBurst(seed, 0.3, 0.1, 0.3);
    rasp.tremoloRate = 30.0;
    t.AddBurst(0.0, length, rasp, 2);
    return t;
}

Track Rattle(int clicks, uint32_t seed)
{
    Track t(0.09 * clicks + 0.1);
    for (int i = 0; i < clicks; ++i) {
        t.AddBurst(0.09 * i, 0.06, MakeBurst(seed + i, 1.0, 0.7, 0.6), 3);
        t.AddTone(0.09 * i, 0.05, MakeTone(W::Triangle, 1400.0 - 150.0 * i, 1100.0 - 150.0 * i, 0.3), 3);
    }
    return t;
}

Track Rumble(double length, uint32_t seed)
{
    Track t(length);
    t.AddBurst(0.0, length, MakeBurst(seed, 0.08, 0.03, 0.9), 1);
    t.AddTone(0.0, length, MakeTone(W::Sine, 70.0, 35.0, 0.6), 1);
    return t;
}

Track Beeps(const std::vector<int>& notes, double step, Wave wave)
{
    Track t(step * static_cast<double>(notes.size()) + 0.05);
    AddMelody(t, 0.0, step, notes, wave, 0.5, 0.85);
    return t;
}

Track Cheer()
{
    Track t(1.2);
    for (uint32_t voice = 0; voice < 4; ++voice) {
        Burst crowd = MakeBurst(40 + voice, 0.25, 0.15, 0.35);
        crowd.tremoloRate = 5.0 + 1.7 * voice;
        t.AddBurst(0.02 * voice, 1.15, crowd, 1);
    }
    AddArpeggio(t, 0.0, 0.08, {3, 7, 10, 15}, W::Square, 0.15);
    return t;
}

Track Swish(double length, uint32_t seed)
{
    Track t(length);
    t.AddBurst(0.0, length, MakeBurst(seed, 0.05, 0.6, 0.8), 2);
    return t;
}

Track Deflect()
{
    Track t(0.18);
    t.AddTone(0.0, 0.18, MakeTone(W::Square, 1250.0, 1180.0, 0.4), 3);
    t.AddTone(0.0, 0.18, MakeTone(W::Sine, 1870.0, 1870.0, 0.4), 3);
    t.AddBurst(0.0, 0.03, MakeBurst(61, 1.0, 1.0, 0.5), 2);
    return t;
}

Track Charging(double base)
{
    Track t(0.6);
    t.AddTone(0.0, 0.6, Wobbly(MakeTone(W::Triangle, base, base * 1.5, 0.5), 12.0, 0.03), 1);
    return t;
}

Track ChargeAchieve(int note)
{
    Track t(0.35);
    t.AddTone(0.0, 0.35, MakeTone(W::Sine, Note(note), Note(note), 0.6), 3);
    t.AddTone(0.0, 0.35, MakeTone(W::Sine, Note(note + 12), Note(note + 12), 0.25), 4);
    return t;
}

Track ChargingFull()
{
    Track t(0.7);
    Tone tone = Wobbly(MakeTone(W::Square, Note(7), Note(7), 0.35), 16.0, 0.02);
    t.AddTone(0.0, 0.7, tone, 1);
    t.AddTone(0.0, 0.7, MakeTone(W::Sine, Note(19), Note(19), 0.25), 1);
    return t;
}

Track Title()
{
    Track t(1.6);
    AddMelody(t, 0.0, 0.15, {-9, -5, -2, 3, kRest, 3, 7}, W::Square, 0.35, 0.9);
    t.AddTone(0.9, 0.7, MakeTone(W::Triangle, Note(-21), Note(-21), 0.6), 2);
    t.AddTone(0.9, 0.7, MakeTone(W::Square, Note(10), Note(10), 0.3), 2);
    return t;
}

Track Collect(const std::vector<int>& notes, double step)
{
    Track t(step * static_cast<double>(notes.size()) + 0.1);
    AddArpeggio(t, 0.0, step, notes, W::Square, 0.4);
    return t;
}

Track Bubbles()
{
    Track t(0.35);
    for (int i = 0; i < 4; ++i)
        t.AddTone(0.07 * i, 0.08, MakeTone(W::Sine, 300.0 + 120.0 * i, 700.0 + 150.0 * i, 0.5), 2);
    return t;
}

// ---- Music: whole loops whose notes end before the loop does, so the seam is silent ----

void AddDrums(Track& t, double beat, int beats, uint32_t seed, bool offbeatHats)
{
    for (int b = 0; b < beats; ++b) {
        const double at = beat * b;
        t.AddTone(at, beat * 0.45, MakeTone(W::Sine, 150.0, 45.0, 0.7), 3);
        if (b % 2 == 1)
            t.AddBurst(at, beat * 0.35, MakeBurst(seed + b, 0.7, 0.4, 0.35), 3);
        if (offbeatHats)
            t.AddBurst(at + beat * 0.5, beat * 0.15, MakeBurst(seed + 100 + b, 1.0, 1.0, 0.15), 4);
    }
}

// Five phrases of 16 beats, A A' B B' A, so the loop comes back to where it starts: a driving
// bass under a minor pentatonic lead, the middle phrases moving to the subdominant with an
// arpeggio above.
Track StageMusic()
{
    const double beat = 60.0 / 132.0, phrase = beat * 16;
    Track t(phrase * 5);
    const std::vector<int> bassA = {-24, -24, -12, -24, -24, -12, -24, -12, -28, -28, -16, -28, -26, -26, -14, -26,
                                    -31, -31, -19, -31, -31, -19, -31, -19, -29, -29, -17, -29, -26, -14, -26, -14};
    const std::vector<int> leadA = {0,  kRest, 3, 5,  7,  kRest, 5,  3, 0, kRest, -2, 0, 3, kRest, kRest, kRest,
                                    -2, kRest, 0, -2, -5, kRest, -2, 0, 3, 5,     7,  5, 3, 0,     kRest, kRest};
    std::vector<int> leadA2 = leadA;
    const int rise[] = {3, 5, 7, 10, 12, kRest, 10, kRest};
    std::copy(std::begin(rise), std::end(rise), leadA2.end() - 8);
    std::vector<int> bassB;
    for (int root : {-31, -28, -26, -29})
        for (int i = 0; i < 8; ++i)
            bassB.push_back(root + (i % 3 == 2 ? 12 : 0));
    const std::vector<int> leadB = {12, kRest, 10, 7,     10, kRest, 7, 5, 7, kRest, 5, 3,     5,  kRest, kRest, kRest,
                                    3,  5,     7,  kRest, 10, 7,     5, 3, 0, kRest, 3, kRest, -2, kRest, kRest, kRest};
    std::vector<int> arpeggio;
    for (int root : {5, 8, 10, 7})
        for (int i = 0; i < 8; ++i)
            arpeggio.push_back(root + (i % 4 == 1 ? 7 : i % 4 == 2 ? 12 : i % 4 == 3 ? 7 : 0));
    const std::vector<int>* bass[] = {&bassA, &bassA, &bassB, &bassB, &bassA};
    const std::vector<int>* lead[] = {&leadA, &leadA2, &leadB, &leadB, &leadA};
    for (int p = 0; p < 5; ++p) {
        AddMelody(t, p * phrase, beat / 2, *bass[p], W::Triangle, 0.55, 0.8);
        AddMelody(t, p * phrase, beat / 2, *lead[p], W::Square, 0.2, 0.7);
    }
    AddMelody(t, 3 * phrase, beat / 2, arpeggio, W::Triangle, 0.14, 0.6);
    AddDrums(t, beat, 80, 200, true);
    return t;
}

Track BossMusic()
{
    const double beat = 60.0 / 160.0;
    Track t(beat * 16);
    std::vector<int> bass;
    for (int bar = 0; bar < 4; ++bar) {
        static const int kRoots[] = {-31, -30, -31, -28};
        for (int i = 0; i < 8; ++i)
            bass.push_back(kRoots[bar] + (i % 4 == 3 ? 12 : 0));
    }
    AddMelody(t, 0.0, beat / 2, bass, W::Saw, 0.5, 0.75);
    const std::vector<int> lead = {5,  kRest, 6, kRest, 5, 1, 0, kRest, 5, kRest, 6,     kRest, 8,     6, 5, kRest,
                                   10, kRest, 8, 6,     5, 6, 5, 1,     0, kRest, kRest, kRest, kRest, 1, 0, kRest};
    AddMelody(t, 0.0, beat / 2, lead, W::Square, 0.2, 0.6);
    AddDrums(t, beat, 16, 300, true);
    return t;
}

Track MenuMusic()
{
    const double beat = 60.0 / 90.0;
    Track t(beat * 16);
    static const int kChords[4][3] = {{-9, -5, -2}, {-4, 0, 3}, {-7, -4, 0}, {-2, 2, 5}};
    for (int bar = 0; bar < 4; ++bar) {
        std::vector<int> arpeggio;
        for (int i = 0; i < 8; ++i)
            arpeggio.push_back(kChords[bar][i % 3] + (i >= 4 ? 12 : 0));
        AddMelody(t, beat * 4 * bar, beat / 2, arpeggio, W::Triangle, 0.3, 0.95);
        const double root = Note(kChords[bar][0] - 12);
        t.AddTone(beat * 4 * bar, beat * 3.9, MakeTone(W::Sine, root, root, 0.45), 1);
    }
    return t;
}

} // namespace recipes

struct SoundEntry {
    const char* name;
    bool music;
    float volume; // sound effects only
    int loop;
    std::function<Track()> make;
};

std::vector<SoundEntry> AllSounds()
{
    using namespace recipes;
    return {
        {"crate_destroy", false, 0.5f, 0, CrateDestroy},
        {"enemy_spawn", false, 0.4f, 0, [] { return Sweep(0.4, W::Sine, 200.0, 800.0, 9.0, 0.05); }},
        {"boss_spawn", false, 0.7f, 0, [] { return Grunt(0.9, 60.0, 180.0, 21); }},
        {"minion_hurt", false, 0.4f, 0, [] { return Sweep(0.12, W::Square, 600.0, 300.0); }},
        {"minion_die", false, 0.5f, 0, [] { return Sweep(0.35, W::Square, 500.0, 80.0); }},
        {"boar_grunt", false, 0.6f, 0, [] { return Grunt(0.3, 110.0, 80.0, 22); }},
        {"boar_death", false, 0.6f, 0, [] { return Grunt(0.5, 140.0, 40.0, 23); }},
        {"skeleton_hurt", false, 0.4f, 0, [] { return Rattle(2, 30); }},
        {"skeleton_death", false, 0.5f, 0, [] { return Rattle(5, 33); }},
        {"ghost_hurt", false, 0.4f, 0, [] { return Sweep(0.25, W::Sine, 700.0, 500.0, 14.0, 0.06); }},
        {"ghost_death", false, 0.5f, 0, [] { return Sweep(0.6, W::Sine, 800.0, 200.0, 10.0, 0.08); }},
        {"golem_hurt", false, 0.5f, 0, [] { return Thump(0.2, 120.0, 60.0, 24, 0.5); }},
        {"golem_death", false, 0.6f, 0, [] { return Rumble(0.8, 25); }},
        {"slime_hurt", false, 0.4f, 0, [] { return Sweep(0.15, W::Sine, 300.0, 500.0, 25.0, 0.1); }},
        {"slime_death", false, 0.5f, 0, [] { return Sweep(0.4, W::Sine, 400.0, 100.0, 20.0, 0.12); }},
        {"boss_hurt", false, 0.6f, 0, [] { return Grunt(0.25, 200.0, 120.0, 26); }},
        {"boss_death", false, 0.8f, 0, [] { return Rumble(1.0, 27); }},
        {"player_hurt", false, 0.5f, 0, [] { return Sweep(0.15, W::Square, 440.0, 330.0); }},
        {"player_death", false, 0.6f, 0,
         [] {
             return Beeps({3, 0, -4, -9}, 0.18, W::Square);
         }},
        {"cheer", false, 0.5f, 0, Cheer},
        {"ready", false, 0.5f, 0,
         [] {
             return Beeps({7, kRest, 14}, 0.16, W::Square);
         }},
        {"stage_complete", false, 0.6f, 0,
         [] {
             return Beeps({3, 7, 10, 15, kRest, 15}, 0.12, W::Square);
         }},
        {"score_impact", false, 0.5f, 0, [] { return Thump(0.2, 160.0, 50.0, 28, 0.4); }},
        {"deflect", false, 0.5f, 0, Deflect},
        {"swing", false, 0.4f, 0, [] { return Swish(0.14, 52); }},
        {"swing_heavy", false, 0.5f, 0, [] { return Swish(0.28, 53); }},
        {"hit_light", false, 0.5f, 0, [] { return Thump(0.12, 300.0, 120.0, 62, 0.6); }},
        {"hit_heavy", false, 0.6f, 0, [] { return Thump(0.25, 180.0, 60.0, 63, 0.8); }},
        {"energy_shot", false, 0.4f, 0, [] { return Sweep(0.25, W::Sine, 900.0, 300.0, 20.0, 0.05); }},
        {"energy_pop", false, 0.4f, 0, [] { return Sweep(0.15, W::Square, 300.0, 900.0); }},
        {"drill_spin", false, 0.4f, 0, [] { return Sweep(0.5, W::Saw, 120.0, 200.0, 40.0, 0.1); }},
        {"fireball_shot", false, 0.4f, 0, [] { return Sweep(0.35, W::Saw, 400.0, 150.0, 8.0, 0.05); }},
        {"boar_headbutt", false, 0.6f, 0, [] { return Thump(0.35, 120.0, 40.0, 64, 0.9); }},
        {"golem_slam", false, 0.7f, 0, [] { return Thump(0.5, 80.0, 30.0, 67, 0.9); }},
        {"geyser", false, 0.5f, 0, [] { return Rumble(0.6, 65); }},
        {"spike_out", false, 0.4f, 0, [] { return Rattle(2, 66); }},
        {"revive", false, 0.5f, 0,
         [] {
             return Beeps({0, 4, 7, 12}, 0.1, W::Triangle);
         }},
        {"dodge_roll", false, 0.4f, 0, [] { return Swish(0.3, 51); }},
        {"boss_smash", false, 0.8f, 0, [] { return Thump(0.6, 90.0, 30.0, 29, 0.9); }},
        {"charging_1", false, 0.4f, 0, [] { return Charging(300.0); }},
        {"charging_2", false, 0.4f, 0, [] { return Charging(400.0); }},
        {"charging_3", false, 0.4f, 0, [] { return Charging(500.0); }},
        {"charge_achieve1", false, 0.5f, 0, [] { return ChargeAchieve(12); }},
        {"charge_achieve2", false, 0.5f, 0, [] { return ChargeAchieve(16); }},
        {"charge_achieve3", false, 0.5f, 0, [] { return ChargeAchieve(19); }},
        {"charging_full", false, 0.5f, 0, ChargingFull},
        {"thrummock", false, 0.6f, 0, Title},
        {"coin_collect", false, 0.4f, 0,
         [] {
             return Collect({14, 19}, 0.06);
         }},
        {"potion_collect", false, 0.5f, 0, Bubbles},
        {"skill_collect", false, 0.5f, 0,
         [] {
             return Collect({7, 11, 14, 19}, 0.06);
         }},
        {"stagebgm", true, 0.0f, -1, StageMusic},
        {"bossbgm", true, 0.0f, -1, BossMusic},
        {"menubgm", true, 0.0f, -1, MenuMusic},
    };
}

std::string VolumeText(float volume)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(volume));
    return text;
}

std::string SoundListXml(const std::vector<SoundEntry>& sounds)
{
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- Written by tools/gen_sounds: every sound effect (\"vol\" 0 to 1, \"loop\" 0 plays once) and\n"
        "     every music track (\"loop\" -1 repeats for ever). Rerun the generator to change it. -->\n"
        "<sounds>\n";
    for (bool music : {false, true}) {
        xml += music ? "  <bgm>\n" : "  <sfx>\n";
        for (const SoundEntry& sound : sounds) {
            if (sound.music != music)
                continue;
            xml += std::string("    <") + sound.name + " loop=\"" + std::to_string(sound.loop) + "\"";
            if (!music)
                xml += " vol=\"" + VolumeText(sound.volume) + "\"";
            xml += std::string(" url=\"assets/audio/") + sound.name + ".wav\"/>\n";
        }
        xml += music ? "  </bgm>\n" : "  </sfx>\n";
    }
    return xml + "</sounds>\n";
}

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "bin/assets";
    std::error_code error;
    std::filesystem::create_directories(dir + "/audio", error);
    if (error) {
        std::fprintf(stderr, "gen_sounds: cannot make %s/audio: %s\n", dir.c_str(), error.message().c_str());
        return 1;
    }
    int failures = 0;
    auto write = [&](const std::string& path, const std::string& bytes) {
        if (!Vesk::WriteFileAtomically(path, bytes, "gen_sounds"))
            ++failures;
    };
    const std::vector<SoundEntry> sounds = AllSounds();
    for (const SoundEntry& sound : sounds)
        write(dir + "/audio/" + sound.name + ".wav", sound.make().ToWav(0.9));
    // The menu loads its button sound by file.
    write(dir + "/audio/mouse_over.wav", recipes::Sweep(0.05, Wave::Square, 1500.0, 1800.0).ToWav(0.6));
    write(dir + "/soundList.xml", SoundListXml(sounds));
    return failures ? 1 : 0;
}
