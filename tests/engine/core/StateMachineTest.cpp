#include "core/CFiniteStateMachine.h"
#include "core/CHierachicalFSM.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using Vesk::CFiniteStateMachine;
using Vesk::CHFSMState;
using Vesk::CHierachicalFSM;

namespace {

using Log = std::vector<std::string>;

// An owner whose callbacks write to a log and whose conditions read switches.
struct Owner {
    Log log;
    std::map<std::string, bool> flags;
    std::map<std::string, int> asked;
    int selectorAnswer = 1000;
    std::vector<int> selectorAnswers; // consumed front first, then selectorAnswer
    const CHFSMState<Owner>::SelectorTransition* seenSelector = nullptr;
    CHierachicalFSM<Owner>* machine = nullptr;

    bool Flag(const std::string& name)
    {
        ++asked[name];
        return flags[name];
    }

#define OWNER_STATE(name)                                                                                              \
    void Enter_##name() { log.push_back("enter " #name); }                                                             \
    void Update_##name(float) { log.push_back("update " #name); }                                                      \
    void Exit_##name() { log.push_back("exit " #name); }
    OWNER_STATE(idle)
    OWNER_STATE(walk)
    OWNER_STATE(alive)
    OWNER_STATE(wander)
    OWNER_STATE(attack)
    OWNER_STATE(dead)
    OWNER_STATE(leg)
#undef OWNER_STATE

    bool ToWalk() { return Flag("walk"); }
    bool ToIdle() { return Flag("idle"); }
    bool ToAttack() { return Flag("attack"); }
    bool ToDead() { return Flag("dead"); }
    bool Second() { return Flag("second"); }
    int Select()
    {
        seenSelector = machine ? machine->FindState("wander")->GetCurrentSelector() : nullptr;
        log.push_back("select");
        if (!selectorAnswers.empty()) {
            int answer = selectorAnswers.front();
            selectorAnswers.erase(selectorAnswers.begin());
            return answer;
        }
        return selectorAnswer;
    }
    void UpdateRestartingLeg(float)
    {
        log.push_back("update leg");
        machine->RestartState(CHierachicalFSM<Owner>::kDeepest);
    }
};

Log Take(Owner& owner)
{
    Log out;
    out.swap(owner.log);
    return out;
}

// ---- Flat machine ----

struct FlatFixtureTest : ::testing::Test {
    Owner owner;
    CFiniteStateMachine<Owner> fsm{&owner};
    void AddIdleAndWalk()
    {
        fsm.AddState("idle", &Owner::Enter_idle, &Owner::Update_idle, &Owner::Exit_idle);
        fsm.AddState("walk", &Owner::Enter_walk, &Owner::Update_walk, &Owner::Exit_walk);
        fsm.AddTransition("idle", "walk", &Owner::ToWalk);
        fsm.AddTransition("walk", "idle", &Owner::ToIdle);
    }
};

TEST_F(FlatFixtureTest, AChangeCostsOneFrame)
{
    AddIdleAndWalk();
    fsm.Update(0.1f);
    EXPECT_EQ(Take(owner), (Log{"enter idle"}));
    fsm.Update(0.1f);
    EXPECT_EQ(Take(owner), (Log{"update idle"}));
    owner.flags["walk"] = true;
    fsm.Update(0.1f); // finds the transition, still updates the old state
    EXPECT_EQ(Take(owner), (Log{"update idle"}));
    EXPECT_EQ("walk", fsm.GetCurrentStateName()) << "the state about to be entered";
    fsm.Update(0.1f);
    EXPECT_EQ(Take(owner), (Log{"exit idle", "enter walk"}));
    fsm.Update(0.1f);
    EXPECT_EQ(Take(owner), (Log{"update walk"}));
}

TEST_F(FlatFixtureTest, FirstTrueConditionWinsAndLaterOnesAreNotAsked)
{
    AddIdleAndWalk();
    fsm.AddState("dead", &Owner::Enter_dead, nullptr, nullptr);
    fsm.AddTransition("idle", "dead", &Owner::Second);
    owner.flags["walk"] = true;
    owner.flags["second"] = true;
    fsm.Update(0);
    fsm.Update(0);
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"enter idle", "update idle", "exit idle", "enter walk"}));
    EXPECT_EQ(owner.asked["second"], 0);
}

TEST_F(FlatFixtureTest, SelfTransitionUnknownNamesNullCallbacksAndDuplicates)
{
    auto* only = fsm.AddState("only", nullptr, &Owner::Update_idle, nullptr);
    fsm.AddTransition("only", "only", &Owner::ToIdle);
    fsm.AddTransition("only", "nowhere", &Owner::ToWalk);
    fsm.AddTransition("nowhere", "only", &Owner::ToWalk);
    // A second state under a taken name is the first one.
    EXPECT_EQ(fsm.AddState("only", &Owner::Enter_walk, nullptr, nullptr), only);
    owner.flags["idle"] = true;
    owner.flags["walk"] = true;
    for (int i = 0; i < 4; ++i)
        fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update idle", "update idle", "update idle"}));
    EXPECT_EQ(owner.asked["walk"], 0);
    EXPECT_EQ(fsm.GetCurrentState(), only);
}

TEST_F(FlatFixtureTest, UpdateWithoutStatesDoesNothing)
{
    fsm.Update(0.5f);
    EXPECT_TRUE(owner.log.empty());
    EXPECT_EQ(fsm.GetCurrentState(), nullptr);
    EXPECT_EQ("", fsm.GetCurrentStateName());
}

// ---- Hierarchical machine ----

struct HierFixtureTest : ::testing::Test {
    Owner owner;
    CHierachicalFSM<Owner> fsm{&owner};
    CHFSMState<Owner>* alive = nullptr;
    CHFSMState<Owner>* wander = nullptr;
    CHFSMState<Owner>* attack = nullptr;
    CHFSMState<Owner>* dead = nullptr;

    void SetUp() override
    {
        owner.machine = &fsm;
        alive = fsm.AddState("alive", &Owner::Enter_alive, &Owner::Update_alive, &Owner::Exit_alive, nullptr);
        wander = fsm.AddState("wander", &Owner::Enter_wander, &Owner::Update_wander, &Owner::Exit_wander, alive);
        attack = fsm.AddState("attack", &Owner::Enter_attack, &Owner::Update_attack, &Owner::Exit_attack, alive);
        dead = fsm.AddState("dead", &Owner::Enter_dead, &Owner::Update_dead, &Owner::Exit_dead, nullptr);
        wander->AddTransition(attack, &Owner::ToAttack);
        alive->AddTransition(dead, &Owner::ToDead);
    }
};

TEST_F(HierFixtureTest, ScriptedLifeOfAnEnemy)
{
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"enter alive", "enter wander"}));
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "update wander"}));

    owner.flags["attack"] = true;
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "update wander"}));
    EXPECT_EQ(fsm.GetCurrentState(1), nullptr) << "change pending";
    owner.flags["attack"] = false;
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "exit wander", "enter attack"}));
    EXPECT_EQ(fsm.GetCurrentState(1), attack);
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "update attack"}));

    owner.flags["dead"] = true;
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "update attack"})) << "deeper levels still update";
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"exit attack", "exit alive", "enter dead"}));
    EXPECT_EQ(fsm.GetCurrentState(0), dead);
    EXPECT_EQ(fsm.GetCurrentState(1), nullptr);
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update dead"}));
}

TEST_F(HierFixtureTest, SelectorAnswersThatGiveNoTransition)
{
    auto* other = fsm.AddState("other", nullptr, nullptr, nullptr, alive);
    struct Row {
        const char* name;
        std::vector<int> answers;
        std::vector<CHFSMState<Owner>*> targets;
        CHFSMState<Owner>* expected;
    } rows[] = {
        {"1000 means none", {1000, 1000}, {attack, other}, nullptr},
        {"index equal to the count", {2, 2}, {attack, other}, nullptr},
        {"negative index", {-1, -1}, {attack, other}, nullptr},
        {"null target", {0, 0}, {nullptr, other}, nullptr},
        {"valid index", {1}, {attack, other}, other},
        {"second selector asked after the first declines", {1000, 0}, {attack, other}, attack},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CHierachicalFSM<Owner> machine(&owner);
        auto* a = machine.AddState("alive", nullptr, nullptr, nullptr, nullptr);
        auto* w = machine.AddState("wander", nullptr, nullptr, nullptr, a);
        owner.machine = &machine;
        ASSERT_TRUE(w->AddSelectorTransition(row.targets, &Owner::Select));
        ASSERT_TRUE(w->AddSelectorTransition(row.targets, &Owner::Select));
        owner.selectorAnswers = row.answers;
        owner.seenSelector = nullptr;
        owner.log.clear();
        EXPECT_EQ(w->CheckTransitions(), row.expected);
        EXPECT_EQ(owner.log.size(), row.answers.size());
        ASSERT_NE(owner.seenSelector, nullptr);
        EXPECT_EQ(owner.seenSelector->targets, row.targets);
        EXPECT_EQ(w->GetCurrentSelector(), nullptr);
    }
    owner.machine = &fsm;
}

TEST_F(HierFixtureTest, CrossLevelTransitionsAreNotAdded)
{
    EXPECT_FALSE(wander->AddTransition(dead, &Owner::ToDead));
    EXPECT_FALSE(wander->AddSelectorTransition({attack, dead}, &Owner::Select));
    owner.flags["dead"] = true;
    // alive -> dead still exists; check that wander's would-be transition never fired first.
    fsm.Update(0);
    Take(owner);
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "update wander"}));
    EXPECT_EQ(owner.asked["dead"], 1) << "asked once, by alive only";
}

TEST_F(HierFixtureTest, ChangeStateIsCarriedOutByTheNextUpdate)
{
    fsm.Update(0);
    fsm.Update(0);
    Take(owner);
    fsm.ChangeState("attack");
    EXPECT_EQ(fsm.GetCurrentState(1), nullptr);
    EXPECT_EQ(fsm.GetCurrentState(0), alive);
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "exit wander", "enter attack"}));
    EXPECT_EQ(fsm.GetCurrentState(1), attack);

    fsm.ChangeState("nobody");
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "update attack"}));
}

TEST_F(HierFixtureTest, ChangeStateOutsideTheChainIsRefused)
{
    auto* ghost = fsm.AddState("ghost", nullptr, nullptr, nullptr, dead);
    auto* haunt = fsm.AddState("haunt", nullptr, nullptr, nullptr, ghost);
    (void)haunt;
    fsm.Update(0);
    Take(owner);
    fsm.ChangeState("ghost"); // child of a root that is not active
    fsm.ChangeState("haunt"); // below the chain
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "update wander"}));
    EXPECT_EQ(fsm.GetCurrentState(1), wander);
    EXPECT_EQ(fsm.GetCurrentState(2), nullptr);
}

TEST_F(HierFixtureTest, RestartReentersTheDeepestState)
{
    fsm.Update(0);
    Take(owner);
    fsm.RestartState(CHierachicalFSM<Owner>::kDeepest);
    EXPECT_EQ(Take(owner), (Log{"exit wander"}));
    EXPECT_EQ(fsm.GetCurrentState(1), nullptr);
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "enter wander"}));
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"update alive", "update wander"}));

    // Restarting level 0 re-enters the root with its default child after the deeper exit.
    fsm.RestartState(0);
    EXPECT_EQ(Take(owner), (Log{"exit alive"}));
    fsm.Update(0);
    EXPECT_EQ(Take(owner), (Log{"exit wander", "enter alive", "enter wander"}));

    // Levels without an entered state are ignored.
    fsm.RestartState(5);
    fsm.RestartState(1);
    fsm.RestartState(1);
    EXPECT_EQ(Take(owner), (Log{"exit wander"}));
}

TEST_F(HierFixtureTest, AStateMayRestartItselfFromItsUpdate)
{
    CHierachicalFSM<Owner> machine(&owner);
    owner.machine = &machine;
    auto* root = machine.AddState("alive", nullptr, nullptr, nullptr, nullptr);
    machine.AddState("leg", &Owner::Enter_leg, &Owner::UpdateRestartingLeg, &Owner::Exit_leg, root);
    machine.Update(0);
    machine.Update(0);
    machine.Update(0);
    EXPECT_EQ(Take(owner), (Log{"enter leg", "update leg", "exit leg", "enter leg"}));
    owner.machine = &fsm;
}

TEST_F(HierFixtureTest, EmptyMachineAndDuplicateNames)
{
    CHierachicalFSM<Owner> empty(&owner);
    empty.Update(0);
    empty.RestartState(CHierachicalFSM<Owner>::kDeepest);
    empty.ChangeState("x");
    EXPECT_EQ(empty.GetCurrentState(0), nullptr);
    EXPECT_TRUE(owner.log.empty());

    EXPECT_EQ(fsm.AddState("wander", nullptr, nullptr, nullptr, dead), wander);
    EXPECT_EQ(wander->GetParent(), alive);
    EXPECT_EQ(fsm.GetInitialState(), alive);
    EXPECT_EQ(fsm.FindState("attack")->GetName(), "attack");
    EXPECT_EQ(fsm.FindState("none"), nullptr);
}

} // namespace
