// The move queue: only the front move counts down, a finished move goes at the next Update, and
// every way a move leaves the queue restores what it changed on its owner.
#include "MoveTestSupport.h"

#include <functional>
#include <memory>

using Game::CMoveQueue;

namespace {

using CMoveQueueTest = movetest::MoveFixture;

TEST_F(CMoveQueueTest, DodgeKeepsTheQueueBusyOneFrameAfterItRunsOut)
{
    Game::CCharacter* mover = Mover();
    CMoveQueue& queue = mover->GetMoveQueue();
    ASSERT_NE(nullptr, queue.PushMove(mover, CMoveQueue::MOVE_DODGE, 0.5f, nullptr));
    // At 0.125 s a frame the time lands exactly on 0 in frame 4, which still counts as running.
    const float timeLeft[] = {0.375f, 0.25f, 0.125f, 0.0f, 0.0f};
    for (float expected : timeLeft) {
        EXPECT_FALSE(queue.Update(0.125f));
        ASSERT_NE(nullptr, queue.GetFront());
        EXPECT_FLOAT_EQ(expected, queue.GetFront()->GetTimeLeft());
        EXPECT_TRUE(mover->m_Spawning);
    }
    EXPECT_FALSE(queue.GetFront()->IsRunning());
    EXPECT_TRUE(queue.Update(0.125f));
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_FALSE(mover->m_Spawning);
}

TEST_F(CMoveQueueTest, OnlyTheFrontMoveCountsDown)
{
    Game::CCharacter* mover = Mover();
    CMoveQueue& queue = mover->GetMoveQueue();
    queue.PushMove(mover, CMoveQueue::MOVE_HOP, 0.5f, nullptr); // runs 0.3 s
    const Game::CMove* swing = queue.PushMove(mover, CMoveQueue::MOVE_SWING_ONE, 0.25f, nullptr);
    EXPECT_EQ("SWINGONE", Clip(*mover)); // started at construction
    EXPECT_FLOAT_EQ(2.5f, mover->m_SpeedFactor);

    const struct {
        const char* front;
        float swingTimeLeft;
        bool empty;
    } frames[] = {
        {"hop", 0.25f, false},       {"hop", 0.25f, false},
        {"hop", 0.25f, false},       {"swingone", 0.25f, false}, // the hop has gone, the swing waits one more frame
        {"swingone", 0.125f, false}, {"swingone", 0.0f, false},
        {"swingone", 0.0f, false},   {nullptr, 0.0f, true},
    };
    int frame = 0;
    for (const auto& f : frames) {
        ++frame;
        EXPECT_EQ(f.empty, queue.Update(0.125f)) << frame;
        if (f.empty) {
            EXPECT_TRUE(queue.IsEmpty()) << frame;
            continue;
        }
        ASSERT_NE(nullptr, queue.GetFront()) << frame;
        EXPECT_EQ(f.front, queue.GetFront()->GetName()) << frame;
        EXPECT_FLOAT_EQ(f.swingTimeLeft, swing->GetTimeLeft()) << frame;
    }
    EXPECT_FLOAT_EQ(1.0f, mover->m_SpeedFactor);
}

TEST_F(CMoveQueueTest, InterruptOnAnEmptyQueueLetsTheNextMoveRunAtOnce)
{
    Game::CCharacter* mover = Mover();
    CMoveQueue& queue = mover->GetMoveQueue();
    EXPECT_TRUE(queue.Interrupt());
    queue.PushMove(mover, CMoveQueue::MOVE_SWING_TWO, 0.5f, nullptr);
    EXPECT_FALSE(queue.Update(0.125f));
    EXPECT_FLOAT_EQ(0.375f, queue.GetFront()->GetTimeLeft());
    EXPECT_TRUE(queue.Interrupt());
    EXPECT_TRUE(queue.IsEmpty());
}

TEST_F(CMoveQueueTest, TypesWithoutAMoveCreateNothing)
{
    Game::CCharacter* mover = Mover();
    for (int type : {2, 12, -1, 1000}) {
        EXPECT_EQ(nullptr, mover->GetMoveQueue().PushMove(mover, type, 1.0f, nullptr)) << type;
        EXPECT_TRUE(mover->GetMoveQueue().IsEmpty()) << type;
    }
}

TEST_F(CMoveQueueTest, MovesWithoutOwnerOnlyCountDown)
{
    CMoveQueue queue;
    for (int type : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11})
        ASSERT_NE(nullptr, queue.PushMove(nullptr, type, 0.125f, nullptr)) << type;
    int frames = 0;
    while (!queue.Update(0.125f))
        ASSERT_LT(++frames, 100);
}

// The ways a move leaves the queue, on the character's own queue or on one that goes away.
const struct EndPath {
    const char* name;
    std::function<void(CMoveQueue&)> end;
    bool quiet; // a teardown
} kEndPaths[] = {
    {"run out",
     [](CMoveQueue& q) {
         for (int i = 0; i < 100 && !q.Update(0.125f); ++i) {
         }
     },
     false},
    {"Interrupt", [](CMoveQueue& q) { q.Interrupt(); }, false},
    {"Clear", [](CMoveQueue& q) { q.Clear(); }, false},
    {"Cancel", [](CMoveQueue& q) { q.Cancel(); }, true},
};

TEST_F(CMoveQueueTest, EveryEndOfADodgeRestoresTheCharacter)
{
    for (const EndPath& path : kEndPaths) {
        Game::CCharacter* mover = Mover(path.name);
        const int rolls = Plays("dodge_roll");
        mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_DODGE, 0.5f, nullptr);
        EXPECT_EQ(1, Plays("dodge_roll") - rolls) << path.name;
        EXPECT_EQ("ROLL", Clip(*mover)) << path.name;
        EXPECT_FLOAT_EQ(1.7f, mover->m_SpeedFactor) << path.name;
        EXPECT_TRUE(mover->m_Spawning) << path.name;
        EXPECT_FLOAT_EQ(0.5f, mover->m_ActionLockTimer) << path.name;
        EXPECT_GT(Velocity(*mover).x, 0.0f) << path.name;

        path.end(mover->GetMoveQueue());
        EXPECT_TRUE(mover->GetMoveQueue().IsEmpty()) << path.name;
        EXPECT_FLOAT_EQ(1.0f, mover->m_SpeedFactor) << path.name;
        EXPECT_FALSE(mover->m_Spawning) << path.name;
        EXPECT_FLOAT_EQ(0.0f, Velocity(*mover).Length()) << path.name;
    }
}

TEST_F(CMoveQueueTest, DeathRunsItsExtraExactlyOnceUnlessCancelled)
{
    for (const EndPath& path : kEndPaths) {
        Game::CCharacter* mover = Mover(path.name);
        movetest::CountingExtra extra;
        const int deaths = Plays("death"), falls = Plays("minion_die");
        mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_DEATH, 0.75f, &extra);
        EXPECT_TRUE(mover->IsDying()) << path.name;
        EXPECT_EQ(1, Plays("death") - deaths) << path.name;
        EXPECT_EQ("DEATH", Clip(*mover)) << path.name;
        EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, mover->GetBody()->GetBodyType()) << path.name;

        path.end(mover->GetMoveQueue());
        EXPECT_EQ(path.quiet ? 0 : 1, extra.m_Runs) << path.name;
        EXPECT_EQ(path.quiet ? 0 : 1, Plays("minion_die") - falls) << path.name;
        EXPECT_FLOAT_EQ(0.0f, Velocity(*mover).Length()) << path.name;
        EXPECT_GE(mover->m_ActionLockTimer, 1.0f) << path.name;
    }
}

TEST_F(CMoveQueueTest, QueueThatGoesAwayEndsItsMoves)
{
    Game::CCharacter* mover = Mover();
    movetest::CountingExtra extra;
    {
        CMoveQueue queue;
        queue.PushMove(mover, CMoveQueue::MOVE_DODGE, 0.5f, nullptr);
        queue.PushMove(mover, CMoveQueue::MOVE_DEATH, 0.75f, &extra);
    }
    EXPECT_EQ(1, extra.m_Runs);
    EXPECT_FALSE(mover->m_Spawning);
    EXPECT_FLOAT_EQ(1.0f, mover->m_SpeedFactor);
}

TEST_F(CMoveQueueTest, DestroyingTheCharacterEndsItsMovesQuietly)
{
    Game::CCharacter* mover = Mover();
    movetest::CountingExtra extra;
    mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_DEATH, 0.75f, &extra);
    const int falls = Plays("minion_die");
    Factory().DestroyEntity(mover);
    EXPECT_EQ(0, extra.m_Runs);
    EXPECT_EQ(0, Plays("minion_die") - falls);

    // A move whose owner has gone only counts down.
    Game::CCharacter* other = Mover("other");
    CMoveQueue queue;
    queue.PushMove(other, CMoveQueue::MOVE_DODGE, 0.25f, nullptr);
    Factory().DestroyEntity(other);
    EXPECT_FALSE(queue.Update(0.125f));
    queue.Clear();
}

} // namespace
