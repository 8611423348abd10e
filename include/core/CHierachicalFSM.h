// Hierarchical state machine of one owner object. States form a tree of levels (roots at level 0);
// one chain from a root down to a leaf is active. Every Update runs the active states' update
// callbacks top-down, and the first transition found (guarded, or chosen by a selector) moves one
// level of the chain to a sibling; the chain below is then rebuilt from default children (each
// state's first child). The machine owns every state; states own their transition records.
#pragma once

#include "core/CStateCallbacks.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Vesk {

template <typename T>
class CHFSMState : public CStateCallbacks<T, CHFSMState<T>> {
public:
    using Base = CStateCallbacks<T, CHFSMState<T>>;
    using Callback = typename Base::Callback;
    using UpdateCallback = typename Base::UpdateCallback;
    using Condition = typename Base::Condition;
    using Selector = int (T::*)();

    // A selector's answer that means "no transition".
    static constexpr int kNoTransition = 1000;

    struct SelectorTransition {
        T* owner;
        Selector selector;
        std::vector<CHFSMState*> targets;
    };

    CHFSMState(T* owner, const std::string& name, Callback enter, UpdateCallback update, Callback exit,
               CHFSMState* parent)
        : Base(owner, enter, update, exit), m_Parent(parent), m_Level(parent ? parent->m_Level + 1 : 0), m_Name(name)
    {
    }
    virtual ~CHFSMState() = default;
    CHFSMState(const CHFSMState&) = delete;
    CHFSMState& operator=(const CHFSMState&) = delete;

    // Transitions join states of one level only; false (nothing added) otherwise.
    bool AddTransition(CHFSMState* target, Condition condition)
    {
        if (!target || target->m_Level != m_Level)
            return false;
        this->AppendTransition(condition, target);
        return true;
    }

    // The selector returns an index into the targets, or kNoTransition. Every target must stand
    // at this state's level; otherwise nothing is added.
    bool AddSelectorTransition(const std::vector<CHFSMState*>& targets, Selector selector)
    {
        for (const CHFSMState* target : targets)
            if (target && target->m_Level != m_Level)
                return false;
        m_Selectors.push_back({this->m_Owner, selector, targets});
        return true;
    }

    // The first transition that holds, then the first usable selector answer; null for none.
    CHFSMState* CheckTransitions()
    {
        if (CHFSMState* target = this->FirstTrueTransition())
            return target;
        for (const SelectorTransition& s : m_Selectors) {
            m_CurrentSelector = &s; // the selector may read its own targets
            const int index = (s.owner->*s.selector)();
            if (index != kNoTransition && static_cast<unsigned>(index) < s.targets.size() && s.targets[index]) {
                m_CurrentSelector = nullptr;
                return s.targets[index];
            }
        }
        m_CurrentSelector = nullptr;
        return nullptr;
    }

    std::string GetName() const { return m_Name; }
    unsigned GetLevel() const { return m_Level; }
    CHFSMState* GetParent() const { return m_Parent; }
    CHFSMState* GetDefaultChild() const { return m_DefaultChild; }
    const std::vector<CHFSMState*>& GetChildren() const { return m_Children; }
    // The selector record being asked during a transition check, null otherwise.
    const SelectorTransition* GetCurrentSelector() const { return m_CurrentSelector; }

    void AddChild(CHFSMState* child)
    {
        m_Children.push_back(child);
        if (!m_DefaultChild)
            m_DefaultChild = child;
    }

private:
    CHFSMState* m_Parent;
    CHFSMState* m_DefaultChild = nullptr;
    std::vector<SelectorTransition> m_Selectors;
    std::vector<CHFSMState*> m_Children;
    unsigned m_Level;
    std::string m_Name;
    const SelectorTransition* m_CurrentSelector = nullptr;
};

template <typename T>
class CHierachicalFSM {
public:
    using State = CHFSMState<T>;

    // RestartState's level for the deepest level of the chain.
    static constexpr unsigned kDeepest = 0xFFFFFFFFu;

    explicit CHierachicalFSM(T* owner) : m_Owner(owner) {}
    virtual ~CHierachicalFSM() = default;
    CHierachicalFSM(const CHierachicalFSM&) = delete;
    CHierachicalFSM& operator=(const CHierachicalFSM&) = delete;

    // Adds a state under the parent (null for a root). Roots first, then default children in order,
    // build the initial chain, which the first Update enters. A name already taken returns the
    // state filed under it.
    State* AddState(const std::string& name, typename State::Callback enter, typename State::UpdateCallback update,
                    typename State::Callback exit, State* parent)
    {
        if (State* existing = FindState(name))
            return existing;
        State* state = (m_States[name] = std::make_unique<State>(m_Owner, name, enter, update, exit, parent)).get();
        if (parent) {
            parent->AddChild(state);
            const unsigned level = parent->GetLevel();
            if (parent->GetDefaultChild() == state && level < m_Wanted.size() && m_Wanted[level] == parent) {
                m_Wanted.push_back(state);
                m_Entered.push_back(nullptr);
            }
        } else {
            if (m_Wanted.empty()) {
                m_Wanted.push_back(state);
                m_Entered.push_back(nullptr);
            }
            if (!m_Initial)
                m_Initial = state;
        }
        return state;
    }

    void Update(float dt)
    {
        size_t level = 0;
        bool found = false;
        for (; level < m_Wanted.size() && m_Wanted[level] == m_Entered[level]; ++level) {
            State* state = m_Entered[level];
            state->Update(dt);
            if (found)
                continue;
            if (State* target = state->CheckTransitions()) {
                m_Wanted[level] = target;
                found = true;
            }
        }
        // A transition found now is carried out by the next call.
        if (found || level == m_Wanted.size())
            return;

        while (m_Wanted.size() > level + 1) {
            if (State* deepest = m_Entered.back())
                deepest->Exit();
            m_Wanted.pop_back();
            m_Entered.pop_back();
        }
        if (m_Entered[level])
            m_Entered[level]->Exit();
        State* state = m_Entered[level] = m_Wanted[level];
        state->Enter();
        for (State* child = state->GetDefaultChild(); child; child = child->GetDefaultChild()) {
            m_Wanted.push_back(child);
            m_Entered.push_back(child);
            child->Enter();
        }
    }

    // Makes the named state the wanted state at its level; the next Update carries the change out.
    // Ignored for an unknown name or a state that does not fit the current chain (its level lies
    // beyond the chain, or its parent is not the state wanted one level up).
    void ChangeState(const std::string& name)
    {
        State* state = FindState(name);
        if (!state)
            return;
        const unsigned level = state->GetLevel();
        if (level >= m_Wanted.size() || (level > 0 && m_Wanted[level - 1] != state->GetParent()))
            return;
        m_Wanted[level] = state;
    }

    // Leaves the state entered at the level now (kDeepest: the deepest level) so that the next
    // Update enters it again with its default children. Ignored where nothing is entered.
    void RestartState(unsigned level)
    {
        if (m_Entered.empty())
            return;
        if (level == kDeepest)
            level = static_cast<unsigned>(m_Entered.size() - 1);
        if (level >= m_Entered.size() || !m_Entered[level])
            return;
        m_Entered[level]->Exit();
        m_Entered[level] = nullptr;
    }

    // The active state at the level; null beyond the chain or while a change there is pending.
    State* GetCurrentState(unsigned level) const
    {
        if (level >= m_Wanted.size() || m_Wanted[level] != m_Entered[level])
            return nullptr;
        return m_Wanted[level];
    }

    // The state entered at the level, also while a change there is pending; null beyond the chain
    // or after a restart there.
    State* GetEnteredState(unsigned level) const { return level < m_Entered.size() ? m_Entered[level] : nullptr; }

    State* FindState(const std::string& name) const
    {
        auto it = m_States.find(name);
        return it == m_States.end() ? nullptr : it->second.get();
    }

    State* GetInitialState() const { return m_Initial; }

private:
    std::deque<State*> m_Wanted;
    std::deque<State*> m_Entered;
    State* m_Initial = nullptr;
    T* m_Owner;
    std::map<std::string, std::unique_ptr<State>> m_States;
};

} // namespace Vesk
