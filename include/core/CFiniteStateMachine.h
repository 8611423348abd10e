// Flat state machine of one owner object: named states whose enter, update and exit callbacks are
// member functions of the owner, and guarded transitions tested in the order they were added. The
// first state added is the initial one. A state change found in one Update is carried out (exit,
// then enter) by the next. The machine owns its states and they own their transitions.
#pragma once

#include "core/CStateCallbacks.h"

#include <map>
#include <memory>
#include <string>

namespace Vesk {

template <typename T>
class CFSMState : public CStateCallbacks<T, CFSMState<T>> {
public:
    using Base = CStateCallbacks<T, CFSMState<T>>;

    CFSMState(T* owner, typename Base::Callback enter, typename Base::UpdateCallback update,
              typename Base::Callback exit)
        : Base(owner, enter, update, exit)
    {
    }
    virtual ~CFSMState() = default;
    CFSMState(const CFSMState&) = delete;
    CFSMState& operator=(const CFSMState&) = delete;

    void AddTransition(typename Base::Condition condition, CFSMState* target)
    {
        this->AppendTransition(condition, target);
    }
    CFSMState* CheckTransitions() const { return this->FirstTrueTransition(); }
};

template <typename T>
class CFiniteStateMachine {
public:
    using State = CFSMState<T>;

    explicit CFiniteStateMachine(T* owner) : m_Owner(owner) {}
    virtual ~CFiniteStateMachine() = default;
    CFiniteStateMachine(const CFiniteStateMachine&) = delete;
    CFiniteStateMachine& operator=(const CFiniteStateMachine&) = delete;

    // Files a new state under the name; a name already taken returns the state filed under it.
    State* AddState(const std::string& name, typename State::Callback enter, typename State::UpdateCallback update,
                    typename State::Callback exit)
    {
        auto it = m_States.find(name);
        if (it != m_States.end())
            return it->second.get();
        State* state = (m_States[name] = std::make_unique<State>(m_Owner, enter, update, exit)).get();
        if (!m_Current)
            m_Current = state;
        return state;
    }

    // Adds nothing when either name has no state.
    void AddTransition(const std::string& from, const std::string& to, typename State::Condition condition)
    {
        State* source = FindState(from);
        State* target = FindState(to);
        if (source && target)
            source->AddTransition(condition, target);
    }

    // Either carries out a pending change (exit of the state left, enter of the new one) or updates
    // the current state and looks for a transition. Does nothing before the first state is added.
    void Update(float dt)
    {
        if (!m_Current)
            return;
        if (m_Current != m_Entered) {
            if (m_Entered)
                m_Entered->Exit();
            m_Current->Enter();
            m_Entered = m_Current;
            return;
        }
        m_Current->Update(dt);
        if (State* target = m_Current->CheckTransitions())
            m_Current = target;
    }

    // Makes the named state current; the next Update exits the entered state and enters it. An
    // unknown name changes nothing.
    void ChangeState(const std::string& name)
    {
        if (State* state = FindState(name))
            m_Current = state;
    }

    State* GetCurrentState() const { return m_Current; }
    // The name the current state was added under; empty before the first state is added.
    std::string GetCurrentStateName() const
    {
        for (const auto& [name, state] : m_States)
            if (state.get() == m_Current)
                return name;
        return std::string();
    }
    State* FindState(const std::string& name) const
    {
        auto it = m_States.find(name);
        return it == m_States.end() ? nullptr : it->second.get();
    }

private:
    State* m_Current = nullptr;
    State* m_Entered = nullptr;
    T* m_Owner;
    std::map<std::string, std::unique_ptr<State>> m_States;
};

} // namespace Vesk
