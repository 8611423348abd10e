#include "triggers/CTrigger.h"
#include "triggers/CTriggerManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Vesk;

namespace {

// A trigger whose condition and firing are scripted by the test.
class ScriptedTrigger : public CTrigger {
public:
    std::function<bool()> m_Condition = [] { return true; };
    std::function<void()> m_OnFire;
    int m_ConditionCalls = 0;
    int m_Fires = 0;
    std::vector<int> m_StatesSet;

    bool CheckCondition() override
    {
        ++m_ConditionCalls;
        return m_Condition();
    }
    void Fire() override
    {
        ++m_Fires;
        if (m_OnFire)
            m_OnFire();
    }
    void SetState(int state) override
    {
        m_StatesSet.push_back(state);
        CTrigger::SetState(state);
    }
};

TriggerTimingSetting Timing(int fireMode, int afterFireMode, float fireDelay = 0.0f, float reactivationDelay = 0.0f)
{
    TriggerTimingSetting setting;
    setting.m_FireMode = fireMode;
    setting.m_AfterFireMode = afterFireMode;
    setting.m_FireDelay = fireDelay;
    setting.m_ReactivationDelay = reactivationDelay;
    return setting;
}

struct TimingCase {
    std::string name;
    TriggerTimingSetting setting;
    std::vector<bool> condition; // per frame; frames beyond the list see the last value
    float dt;
    int frames;
    std::vector<int> fireFrames;
    int conditionCalls;
};

} // namespace

TEST(TriggerTimingTest, FireModesDelaysAndAfterFireRules)
{
    TriggerTimingSetting bypass = Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_CONTINUE);
    bypass.m_BypassCondition = true;
    TriggerTimingSetting asleep = Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_CONTINUE);
    asleep.m_StartState = TRIGGER_STATE_SLEEPING;
    TriggerTimingSetting startsWaiting = Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_SLEEP, 0.5f);
    startsWaiting.m_StartState = TRIGGER_STATE_WAITING_FIRE;

    const std::vector<TimingCase> cases = {
        {"immediate, continue: fires on every frame the condition holds",
         Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_CONTINUE),
         {true, false, true, true, false},
         0.25f,
         5,
         {0, 2, 3},
         5},
        {"immediate, sleep: fires once",
         Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_SLEEP),
         {true},
         0.25f,
         6,
         {0},
         1},
        // Leaves awake at frame 0; the timer passes 1.0 strictly only at frame 5 (1.25 s), and the
        // condition is not asked while waiting.
        {"delay 1.0, continue: strict delay, condition not asked meanwhile",
         Timing(TRIGGER_DELAY_FIRE, TRIGGER_AFTER_FIRE_CONTINUE, 1.0f),
         {true},
         0.25f,
         12,
         {5, 11},
         2},
        {"delay 0: fires on the next step",
         Timing(TRIGGER_DELAY_FIRE, TRIGGER_AFTER_FIRE_SLEEP, 0.0f),
         {true},
         0.25f,
         4,
         {1},
         1},
        {"delay fire waits for the condition",
         Timing(TRIGGER_DELAY_FIRE, TRIGGER_AFTER_FIRE_SLEEP, 0.5f),
         {false, false, true},
         0.25f,
         8,
         {5},
         3},
        // Asleep from frame 0 until the timer passes 2.0 strictly (2.5 s at frame 5), awake again
        // at frame 5 and firing at frame 6.
        {"wait 2.0: asleep just over 2 s, then awake",
         Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_WAIT, 0.0f, 2.0f),
         {true},
         0.5f,
         8,
         {0, 6},
         2},
        {"bypass: fires without asking the condition", bypass, {false}, 0.25f, 3, {0, 1, 2}, 0},
        {"start asleep: never fires", asleep, {true}, 0.25f, 4, {}, 0},
        {"start waiting to fire", startsWaiting, {true}, 0.25f, 4, {2}, 0},
        {"unknown after-fire mode leaves the state", Timing(TRIGGER_IMMEDIATE_FIRE, 7), {true}, 0.25f, 3, {0, 1, 2}, 3},
    };

    for (const TimingCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTrigger trigger;
        int frame = 0;
        trigger.m_Condition = [&] { return c.condition[std::min<size_t>(frame, c.condition.size() - 1)]; };
        std::vector<int> fired;
        trigger.m_OnFire = [&] { fired.push_back(frame); };
        trigger.InitTiming(c.setting);
        for (frame = 0; frame < c.frames; ++frame)
            CTriggerManager::GetInstance().Update(c.dt);
        EXPECT_EQ(fired, c.fireFrames);
        EXPECT_EQ(trigger.m_ConditionCalls, c.conditionCalls);
    }
}

TEST(TriggerTimingTest, InitTimingCopiesFieldsEntersStartStateAndResetsTimer)
{
    ScriptedTrigger trigger;
    TriggerTimingSetting setting = Timing(TRIGGER_DELAY_FIRE, TRIGGER_AFTER_FIRE_WAIT, 1.5f, 2.5f);
    setting.m_StartState = TRIGGER_STATE_WAITING_REACTIVATION;
    setting.m_BypassCondition = true;
    trigger.InitTiming(setting);
    CTriggerManager::GetInstance().Update(0.25f);
    trigger.InitTiming(setting);

    EXPECT_EQ(trigger.m_StatesSet,
              (std::vector<int>{TRIGGER_STATE_WAITING_REACTIVATION, TRIGGER_STATE_WAITING_REACTIVATION}));
    EXPECT_EQ(trigger.GetStartState(), TRIGGER_STATE_WAITING_REACTIVATION);
    EXPECT_EQ(trigger.GetFireMode(), TRIGGER_DELAY_FIRE);
    EXPECT_EQ(trigger.GetAfterFireMode(), TRIGGER_AFTER_FIRE_WAIT);
    EXPECT_FLOAT_EQ(trigger.GetFireDelay(), 1.5f);
    EXPECT_FLOAT_EQ(trigger.GetReactivationDelay(), 2.5f);
    EXPECT_TRUE(trigger.GetBypassCondition());
    EXPECT_FLOAT_EQ(trigger.GetTimer(), 0.0f);

    trigger.SetFireMode(TRIGGER_IMMEDIATE_FIRE, 0.75f);
    EXPECT_EQ(trigger.GetFireMode(), TRIGGER_IMMEDIATE_FIRE);
    EXPECT_FLOAT_EQ(trigger.GetFireDelay(), 0.75f);
}

TEST(TriggerTimingTest, FireThatPutsTheTriggerToSleepOverridesTheAfterFireMode)
{
    for (int afterFire : {TRIGGER_AFTER_FIRE_CONTINUE, TRIGGER_AFTER_FIRE_WAIT}) {
        ScriptedTrigger trigger;
        trigger.m_OnFire = [&] { trigger.SetState(TRIGGER_STATE_SLEEPING); };
        trigger.InitTiming(Timing(TRIGGER_IMMEDIATE_FIRE, afterFire));
        for (int i = 0; i < 4; ++i)
            CTriggerManager::GetInstance().Update(0.25f);
        EXPECT_EQ(trigger.m_Fires, 1);
        EXPECT_EQ(trigger.GetState(), TRIGGER_STATE_SLEEPING);
    }
}

TEST(TriggerManagerTest, ListsHoldATriggerOnceAndAddTriggerMovesIt)
{
    CTriggerManager& manager = CTriggerManager::GetInstance();
    ScriptedTrigger trigger;
    trigger.InitTiming(Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_CONTINUE));
    trigger.InitTiming(Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_CONTINUE));
    manager.Update(0.1f);
    EXPECT_EQ(trigger.m_Fires, 1) << "initialised twice, still stepped once a frame";

    manager.AddTrigger(&trigger);
    EXPECT_FALSE(manager.IsInFirstList(&trigger));
    EXPECT_TRUE(manager.IsInSecondList(&trigger));
    manager.AddTrigger(&trigger);
    trigger.InitTiming(Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_CONTINUE));
    EXPECT_FALSE(manager.IsInFirstList(&trigger)) << "initialising again keeps its place";
    manager.Update(0.1f);
    EXPECT_EQ(trigger.m_Fires, 2);

    trigger.Unregister();
    EXPECT_FALSE(manager.IsInSecondList(&trigger));
    manager.Update(0.1f);
    EXPECT_EQ(trigger.m_Fires, 2);
}

TEST(TriggerManagerTest, StepsTheFirstListBeforeTheSecond)
{
    std::vector<std::string> order;
    ScriptedTrigger wave, first, second;
    wave.m_OnFire = [&] { order.push_back("wave"); };
    first.m_OnFire = [&] { order.push_back("first"); };
    second.m_OnFire = [&] { order.push_back("second"); };
    const TriggerTimingSetting continuing = Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_CONTINUE);
    wave.InitTiming(continuing);
    CTriggerManager::GetInstance().AddTrigger(&wave);
    first.InitTiming(continuing);
    second.InitTiming(continuing);
    CTriggerManager::GetInstance().Update(0.1f);
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "wave"}));
}

// Fire may change the lists under the walk: every trigger still registered is stepped exactly once.
TEST(TriggerManagerTest, FireMayRemoveAddOrDestroyTriggers)
{
    CTriggerManager& manager = CTriggerManager::GetInstance();
    const TriggerTimingSetting waiting = Timing(TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_WAIT, 0.0f, 10.0f);

    {
        SCOPED_TRACE("removes the next trigger");
        ScriptedTrigger a, b, c;
        a.m_OnFire = [&] { b.Unregister(); };
        for (ScriptedTrigger* t : {&a, &b, &c})
            t->InitTiming(waiting);
        manager.Update(0.1f);
        EXPECT_EQ(a.m_Fires, 1);
        EXPECT_EQ(b.m_Fires, 0);
        EXPECT_EQ(c.m_Fires, 1) << "the trigger after the removed one is not skipped";
        EXPECT_FALSE(manager.IsInFirstList(&b));
    }
    {
        SCOPED_TRACE("removes itself");
        ScriptedTrigger a, b;
        a.m_OnFire = [&] { a.Unregister(); };
        a.InitTiming(waiting);
        b.InitTiming(waiting);
        manager.Update(0.1f);
        EXPECT_EQ(b.m_Fires, 1);
        EXPECT_EQ(a.GetState(), TRIGGER_STATE_WAITING_REACTIVATION) << "a live trigger still gets its after-fire rule";
        EXPECT_FALSE(manager.IsInFirstList(&a));
    }
    {
        SCOPED_TRACE("destroys itself");
        auto* a = new ScriptedTrigger;
        ScriptedTrigger b;
        a->m_OnFire = [a] { delete a; };
        a->InitTiming(waiting);
        b.InitTiming(waiting);
        manager.Update(0.1f); // the sanitizer build catches any write into the deleted trigger
        EXPECT_EQ(b.m_Fires, 1);
        EXPECT_FALSE(manager.IsInFirstList(a));
    }
    {
        SCOPED_TRACE("destroys the next trigger");
        ScriptedTrigger a, c;
        auto* b = new ScriptedTrigger;
        a.m_OnFire = [&] { delete b; };
        a.InitTiming(waiting);
        b->InitTiming(waiting);
        c.InitTiming(waiting);
        manager.Update(0.1f);
        EXPECT_EQ(c.m_Fires, 1);
    }
    {
        SCOPED_TRACE("adds triggers");
        ScriptedTrigger a, added, wave;
        a.m_OnFire = [&] {
            added.InitTiming(waiting);
            manager.AddTrigger(&wave);
        };
        a.InitTiming(waiting);
        manager.Update(0.1f);
        EXPECT_EQ(added.m_Fires, 1) << "a trigger added during the walk is stepped in the same update";
        EXPECT_EQ(wave.m_Fires, 1);
        manager.Update(0.1f);
        EXPECT_EQ(added.m_Fires, 1);
        EXPECT_TRUE(manager.IsInFirstList(&added));
        EXPECT_TRUE(manager.IsInSecondList(&wave));
    }
}
