// One ordered table of the managers a program brings up: each step starts one manager (or one
// group that belongs together) and stops it again. Start runs the steps in order and, at the
// first that fails, stops what it started in reverse; Stop runs every step's stop in reverse
// order, started or not, so every stop must be harmless on a manager that is not up. The engine,
// the game and the play state each keep one table; the program and the tests use the same ones.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Vesk {

struct ManagerStep {
    std::string name;
    // Null: nothing to start. False: the start failed (the step's manager says why).
    std::function<bool()> start;
    // Null: nothing to stop.
    std::function<void()> stop;
};

class CManagerTable {
public:
    CManagerTable() = default;
    explicit CManagerTable(std::vector<ManagerStep> steps) : m_Steps(std::move(steps)) {}

    // The other table's steps after these: they start after and stop before these.
    void Append(const CManagerTable& other);

    // True when every step started; on a failure the steps started before it are stopped again
    // and GetFailedStep names the step.
    bool Start();
    void Stop() const;

    const std::string& GetFailedStep() const { return m_FailedStep; }
    const std::vector<ManagerStep>& GetSteps() const { return m_Steps; }

private:
    void StopFirst(size_t count) const;

    std::vector<ManagerStep> m_Steps;
    std::string m_FailedStep;
};

} // namespace Vesk
