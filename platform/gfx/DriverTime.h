// The processor time the calling thread spends in the graphics driver's heavy calls (draws,
// buffer uploads, presenting), counted only while switched on: a benchmark takes it off a frame's
// processor time to see the game's own share. Off, a scope costs one test.
#pragma once

namespace gfx {

void SetDriverTiming(bool on);
// Seconds counted on the calling thread since it started.
double DriverSeconds();

// Counts its lifetime on the calling thread while the timing is on.
class DriverScope {
public:
    DriverScope();
    ~DriverScope();
    DriverScope(const DriverScope&) = delete;
    DriverScope& operator=(const DriverScope&) = delete;

private:
    double m_Start = -1.0;
};

} // namespace gfx
