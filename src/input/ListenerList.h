// Listeners of one kind in registration order, not owned. Delivery walks them by index and reads
// the length again at every step, so a listener added during delivery is called in the same pass.
// A listener removed during delivery leaves a hole that is skipped and closed once delivery ends,
// so no other listener is skipped and the removed one is never called.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace Vesk {

template <typename Listener>
class ListenerList {
public:
    void Add(Listener* listener) { m_Listeners.push_back(listener); }

    // Removes the first registration of the listener; nothing when there is none.
    void Remove(Listener* listener)
    {
        auto it = std::find(m_Listeners.begin(), m_Listeners.end(), listener);
        if (it == m_Listeners.end() || !listener)
            return;
        if (m_Delivering > 0) {
            *it = nullptr;
            m_HasHoles = true;
        } else {
            m_Listeners.erase(it);
        }
    }

    // Calls call(listener) on every enabled listener in order.
    template <typename Call>
    void Deliver(Call call)
    {
        ++m_Delivering;
        for (size_t i = 0; i < m_Listeners.size(); ++i) {
            Listener* listener = m_Listeners[i];
            if (listener && listener->m_Enabled)
                call(*listener);
        }
        if (--m_Delivering == 0 && m_HasHoles) {
            m_Listeners.erase(std::remove(m_Listeners.begin(), m_Listeners.end(), nullptr), m_Listeners.end());
            m_HasHoles = false;
        }
    }

private:
    std::vector<Listener*> m_Listeners;
    int m_Delivering = 0;
    bool m_HasHoles = false;
};

} // namespace Vesk
