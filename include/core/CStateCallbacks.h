// What the states of the flat and the hierarchical state machine share: the owner object, the
// enter, update and exit callbacks (member functions of the owner, each may be null) and guarded
// transitions to other states of type State, tested in the order they were added.
#pragma once

#include <vector>

namespace Vesk {

template <typename T, typename State>
class CStateCallbacks {
public:
    using Callback = void (T::*)();
    using UpdateCallback = void (T::*)(float);
    using Condition = bool (T::*)();

    struct Transition {
        T* owner;
        Condition condition;
        State* target;
    };

    void Enter()
    {
        if (m_Enter)
            (m_Owner->*m_Enter)();
    }
    void Update(float dt)
    {
        if (m_Update)
            (m_Owner->*m_Update)(dt);
    }
    void Exit()
    {
        if (m_Exit)
            (m_Owner->*m_Exit)();
    }

protected:
    CStateCallbacks(T* owner, Callback enter, UpdateCallback update, Callback exit)
        : m_Owner(owner), m_Enter(enter), m_Update(update), m_Exit(exit)
    {
    }

    void AppendTransition(Condition condition, State* target) { m_Transitions.push_back({m_Owner, condition, target}); }

    // The target of the first transition whose condition holds; later conditions are not asked.
    State* FirstTrueTransition() const
    {
        for (const Transition& t : m_Transitions)
            if ((t.owner->*t.condition)())
                return t.target;
        return nullptr;
    }

    T* m_Owner;

private:
    Callback m_Enter;
    UpdateCallback m_Update;
    Callback m_Exit;
    std::vector<Transition> m_Transitions;
};

} // namespace Vesk
