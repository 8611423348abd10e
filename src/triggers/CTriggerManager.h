// Steps every registered trigger once a frame: first the triggers registered by their own
// InitTiming, then those added with AddTrigger. A trigger is in at most one list, once. Fire may
// add, remove or destroy triggers while the lists are walked: removed slots are emptied and
// compacted after the walk, triggers appended meanwhile are stepped in the same walk.
#pragma once

#include "core/CSingleton.h"

#include <vector>

namespace Vesk {

class CTrigger;

class CTriggerManager : public CSingleton<CTriggerManager> {
public:
    // Moves the trigger to the second list, wherever it was.
    void AddTrigger(CTrigger* trigger);
    // Takes the trigger out of whichever list holds it.
    void RemoveTrigger(CTrigger* trigger);
    void Update(float dt);

    bool IsInFirstList(const CTrigger* trigger) const;
    bool IsInSecondList(const CTrigger* trigger) const;

private:
    friend class CTrigger;

    // Appends to the first list unless the trigger is already registered.
    void Register(CTrigger* trigger);
    // Called by a trigger's destructor: unregisters it and, when it is the trigger being fired,
    // tells its Step to leave it alone.
    void Forget(CTrigger* trigger);

    // Bracket a trigger's Fire; EndFire reports whether the trigger was destroyed meanwhile.
    void BeginFire(CTrigger* trigger);
    bool EndFire();

    static void StepList(std::vector<CTrigger*>& list, float dt);
    static void Compact(std::vector<CTrigger*>& list);

    std::vector<CTrigger*> m_FirstList;
    std::vector<CTrigger*> m_SecondList;
    int m_WalkDepth = 0;

    struct Firing {
        CTrigger* m_Trigger;
        bool m_Destroyed;
    };
    std::vector<Firing> m_Firing;
};

} // namespace Vesk
