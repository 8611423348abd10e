// CMove: a short bodily action of a character with its own duration (a swing, a hop, a dodge, a
// drill dash, a stun, the death fall). While it runs it owns the character's animation and
// velocity; its destructor restores what it changed, however it ends. A move reaches its owner
// through a checked handle: without a living owner it only counts down.
#pragma once

#include "game/entities/EntityHandle.h"

#include <string>

namespace Game {

class CCharacter;
class ExtraFunction;

class CMove {
public:
    CMove(const std::string& name, CCharacter* owner, float seconds, ExtraFunction* extra = nullptr);
    virtual ~CMove() = default;
    CMove(const CMove&) = delete;
    CMove& operator=(const CMove&) = delete;

    // One frame of the move; true once its time has run out.
    virtual bool Update(float dt) = 0;

    // From now on the move ends quietly: its destructor restores the owner's fields but plays no
    // sound or animation, shatters nothing and runs no extra.
    void Cancel() { m_Cancelled = true; }

    const std::string& GetName() const { return m_Name; }
    bool IsRunning() const { return m_Running; }
    bool IsInterruptible() const { return m_Interruptible; }
    float GetTimeLeft() const { return m_TimeLeft; }
    // The owner while it lives, else null.
    CCharacter* GetOwner() const;
    ExtraFunction* GetExtra() const { return m_pExtra; }

protected:
    // The countdown every move shares: true once the time has run out (a time already at or
    // below 0 counts as run out); the time is then 0 and the move no longer running.
    bool CountDownTime(float dt);
    bool IsCancelled() const { return m_Cancelled; }

    // Animations on the owner's animation controller: once, looping, and once again whenever
    // the owner has gone on to another animation.
    void PlayOnce(const std::string& clip) const;
    void PlayLooping(const std::string& clip) const;
    void Replay(const std::string& clip) const;
    // The owner's move operation along its facing, turning to face it.
    void MoveAlongFacing() const;
    // Keeps only the vertical part of the owner's velocity.
    void KeepVerticalVelocity() const;
    // The frame of a move that holds its owner in place: on the ground only the vertical part of
    // the velocity is kept; then the countdown.
    bool HoldInPlace(float dt);

    float m_TimeLeft;

private:
    std::string m_Name;
    bool m_Running = true;
    bool m_Interruptible = true;
    bool m_Cancelled = false;
    EntityHandle m_Owner;
    ExtraFunction* m_pExtra;
};

} // namespace Game
