// CSprite3DManager: creates 3D sprites under the scene graph's root, advances their animation
// controllers once a frame and destroys them on request or all at once. Owns every sprite it
// returns; a sprite pointer must not be used after RemoveSprite or Shutdown.
#pragma once

#include "core/CSingleton.h"

#include <string>
#include <vector>

namespace Game {

class CSprite3D;

class CSprite3DManager : public Vesk::CSingleton<CSprite3DManager> {
public:
    ~CSprite3DManager() override;

    // Shutdown, then room for 200 sprites.
    bool Init() override;
    // Destroys every sprite with its nodes and controller.
    void Shutdown() override;

    // A visible sprite of the mesh playing "IDLE" when the mesh has a cube-animation controller.
    // A missing mesh falls back to the resource manager's "default".
    CSprite3D* CreateSprite(const std::string& mesh);
    // Takes the sprite off the scene and destroys it; nothing for a sprite this manager does not hold.
    void RemoveSprite(CSprite3D* sprite);
    // Advances every sprite's controller, in creation order.
    void Update(float dt);

    const std::vector<CSprite3D*>& GetSprites() const { return m_Sprites; }

private:
    friend class Vesk::CSingleton<CSprite3DManager>;
    CSprite3DManager() = default;

    void DestroySprite(CSprite3D* sprite);

    std::vector<CSprite3D*> m_Sprites;
};

} // namespace Game
