// CTrap: a level hazard with a solid dynamic body that its trap controller (spike, trampoline)
// drives. It has no life machine of its own.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CTrap : public CEntity {
public:
    int GetType() const override { return GENERIC_TRAPS; }
    // The entity Init with a dynamic body (before the trap's controller sets it up); alive and
    // active.
    void Init(const std::string& name, const EntitySetting& setting) override;

    bool IsActive() const { return m_Active; }

protected:
    void PrepareBody() override;

private:
    bool m_Active = false;
};

} // namespace Game
