#include "game/moves/CMoveQueue.h"

#include "core/Log.h"
#include "game/moves/CDeath.h"
#include "game/moves/CDodge.h"
#include "game/moves/CFireGeyser.h"
#include "game/moves/CHop.h"
#include "game/moves/CRisingDragon.h"
#include "game/moves/CStunned.h"
#include "game/moves/DrillMoves.h"
#include "game/moves/SwingMoves.h"

#include <algorithm>
#include <string>

namespace Game {

namespace {

std::unique_ptr<CMove> MakeMove(CCharacter* owner, int type, float seconds, ExtraFunction* extra)
{
    switch (type) {
    case CMoveQueue::MOVE_CHARGE_DRILL: return std::make_unique<CChargeDrill>(owner, seconds);
    case CMoveQueue::MOVE_WEAK_DRILL: return std::make_unique<CWeakDrill>(owner, seconds);
    case CMoveQueue::MOVE_FIRE_GEYSER: return std::make_unique<CFireGeyser>(owner, seconds);
    case CMoveQueue::MOVE_RISING_DRAGON: return std::make_unique<CRisingDragon>(owner, seconds);
    case CMoveQueue::MOVE_DODGE: return std::make_unique<CDodge>(owner, seconds);
    case CMoveQueue::MOVE_DEATH: return std::make_unique<CDeath>(owner, seconds, extra);
    case CMoveQueue::MOVE_HOP: return std::make_unique<CHop>(owner, seconds);
    case CMoveQueue::MOVE_SWING_ONE: return std::make_unique<CSwingOne>(owner, seconds);
    case CMoveQueue::MOVE_SWING_TWO: return std::make_unique<CSwingTwo>(owner, seconds);
    case CMoveQueue::MOVE_SWING_THREE: return std::make_unique<CSwingThree>(owner, seconds);
    case CMoveQueue::MOVE_STUNNED: return std::make_unique<CStunned>(owner, seconds);
    default: return nullptr;
    }
}

} // namespace

CMoveQueue::CMoveQueue() = default;

CMoveQueue::~CMoveQueue()
{
    m_Finished.clear();
    Clear();
}

CMove* CMoveQueue::PushMove(CCharacter* owner, int type, float seconds, ExtraFunction* extra)
{
    std::unique_ptr<CMove> move = MakeMove(owner, type, seconds, extra);
    if (!move) {
        Vesk::LogLine("CMoveQueue: no move of type " + std::to_string(type));
        return nullptr;
    }
    m_Moves.push_back(std::move(move));
    return m_Moves.back().get();
}

bool CMoveQueue::Update(float dt)
{
    if (m_Moves.empty())
        return true;
    for (const auto& move : m_Moves)
        if (!move->IsRunning())
            m_Finished.push_back(move.get());
    m_Moves.front()->Update(dt);

    // Unlinked first and destroyed afterwards, so that a destructor finds the queue consistent.
    std::list<std::unique_ptr<CMove>> finished;
    for (auto it = m_Moves.begin(); it != m_Moves.end();) {
        const auto next = std::next(it);
        if (std::find(m_Finished.begin(), m_Finished.end(), it->get()) != m_Finished.end())
            finished.splice(finished.end(), m_Moves, it);
        it = next;
    }
    m_Finished.clear();
    finished.clear();
    return m_Moves.empty();
}

bool CMoveQueue::Interrupt()
{
    if (m_Moves.empty())
        return true;
    if (!m_Moves.front()->IsInterruptible())
        return false;
    std::unique_ptr<CMove> front = std::move(m_Moves.front());
    m_Moves.pop_front();
    return true;
}

void CMoveQueue::Clear()
{
    std::list<std::unique_ptr<CMove>> moves;
    moves.swap(m_Moves);
    while (!moves.empty())
        moves.pop_front();
}

void CMoveQueue::Cancel()
{
    for (const auto& move : m_Moves)
        move->Cancel();
    Clear();
}

} // namespace Game
