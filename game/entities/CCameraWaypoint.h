// CCameraWaypoint: a point of a camera path, naming the follow-camera trigger it belongs to. It has
// no nodes and no body, and shows as a green box only while the level editor is the top game state.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CCameraWaypoint : public CEntity {
public:
    int GetType() const override { return CAMERAWAYPOINT; }
    // Attributes: name, type, positionX..Z, followcamtriggerparentname.
    void Save(Vesk::CXmlElement element) override;
    void Load(Vesk::CXmlElement element) override;
    // Name, position and the marker's 3 x 3 x 3 size; no nodes, body or controller.
    void Init(const std::string& name, const EntitySetting& setting) override;
    void Release() override;
    // Draws the marker box under the level editor; nothing else.
    void Update(float dt) override;

    void SetFollowCamTriggerParentName(const std::string& name) { m_FollowCamTriggerParentName = name; }
    const std::string& GetFollowCamTriggerParentName() const { return m_FollowCamTriggerParentName; }

private:
    std::string m_FollowCamTriggerParentName;
};

} // namespace Game
