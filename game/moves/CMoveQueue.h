// CMoveQueue: a character's moves, run one at a time. PushMove makes a move by its type number
// and appends it; only the front move counts down. A move that has run out is deleted at the
// next Update, so the queue still reports itself busy in the frame its last move finished. The
// queue owns its moves; every way a move leaves it runs the move's destructor.
#pragma once

#include <list>
#include <memory>
#include <vector>

namespace Game {

class CCharacter;
class CMove;
class ExtraFunction;

class CMoveQueue {
public:
    // The type numbers of PushMove; 2 has no move.
    enum MoveType : int {
        MOVE_CHARGE_DRILL = 0,
        MOVE_WEAK_DRILL = 1,
        MOVE_FIRE_GEYSER = 3,
        MOVE_RISING_DRAGON = 4,
        MOVE_DODGE = 5,
        MOVE_DEATH = 6,
        MOVE_HOP = 7,
        MOVE_SWING_ONE = 8,
        MOVE_SWING_TWO = 9,
        MOVE_SWING_THREE = 10,
        MOVE_STUNNED = 11,
    };

    CMoveQueue();
    ~CMoveQueue();
    CMoveQueue(const CMoveQueue&) = delete;
    CMoveQueue& operator=(const CMoveQueue&) = delete;

    // Makes the move of the type (it starts at once: animation, velocity) and appends it; null,
    // with nothing appended, for a type without a move. The queue keeps the move.
    CMove* PushMove(CCharacter* owner, int type, float seconds, ExtraFunction* extra);
    // Deletes the moves that had run out, then steps the front move; true when the queue is
    // empty afterwards.
    bool Update(float dt);
    // Deletes the front move; false when it cannot be interrupted. True on an empty queue.
    bool Interrupt();
    // Deletes every move, front first.
    void Clear();
    // Clear for a teardown: each move restores its owner's fields but plays, shatters and runs
    // nothing.
    void Cancel();

    bool IsEmpty() const { return m_Moves.empty(); }
    size_t GetCount() const { return m_Moves.size(); }
    // The running move, or null.
    const CMove* GetFront() const { return m_Moves.empty() ? nullptr : m_Moves.front().get(); }

private:
    std::list<std::unique_ptr<CMove>> m_Moves;
    // The moves found finished at the start of an Update, deleted at its end.
    std::vector<CMove*> m_Finished;
};

} // namespace Game
