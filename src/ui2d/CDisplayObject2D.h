// One HUD or GUI picture: a named sprite sheet placed by a position in screen fractions (x of the
// viewport's width, y of its height below the upper band), with scale, rotation in degrees, colour
// and the sheet's named frame animations, which it plays itself: it copies them once and keeps
// the one playing resolved, so a frame looks no name up. Widths are measured against a virtual
// screen 800 units wide. Its creator adds it to a layer of the 2D display system and owns it; one
// deleted while still on a layer takes itself off.
#pragma once

#include "math/Matrix3.h"
#include "render/Letterbox.h"
#include "resources/ISprite.h"
#include "ui2d/CDisplay2DSystem.h"
#include "ui2d/CRect2D.h"

#include <string>
#include <vector>

namespace Vesk {

class CDisplayObject2D {
public:
    enum : unsigned { FlagVisible = 1u, FlagAnimated = 2u };

    // The sprite of the name, or "default" when it has none; the animations are copied from it.
    explicit CDisplayObject2D(const std::string& name);
    virtual ~CDisplayObject2D();
    CDisplayObject2D(const CDisplayObject2D&) = delete;
    CDisplayObject2D& operator=(const CDisplayObject2D&) = delete;

    // Rebuilds the transform and the hit rectangle when the object moved or the screen layout
    // changed, hands colour and transform to the sprite and steps the animation by at most one
    // frame.
    virtual void Update(float dt);

    // An animation of the sprite starts at its first frame (the frame timer runs on); other
    // names change nothing.
    void SetAnimation(const std::string& name);
    const std::string& GetAnimation() const { return m_CurrentAnimation; }
    const SpriteAnimationMap& GetAnimations() const { return m_Animations; }

    void SetVisible(bool visible);
    bool IsVisible() const { return (m_Flags & FlagVisible) != 0; }
    unsigned GetFlags() const { return m_Flags; }

    // The sprite's frame size in pixels (0 without a sprite).
    int GetSpriteWidth() const;
    int GetSpriteHeight() const;

    // Values below 0 are stored as 0.
    void SetColor(float alpha, float red, float green, float blue);
    const ISprite::Color& GetColor() const { return m_Color; }

    void SetPosition(float x, float y);
    void SetScale(float x, float y);
    void SetRotation(float degrees);
    CPoint2D GetPosition() const { return {m_PositionX, m_PositionY}; }
    CPoint2D GetScale() const { return {m_ScaleX, m_ScaleY}; }
    float GetRotation() const { return m_Rotation; }

    // The frame shown and the time spent on it; setting both to the animation's start restarts it.
    int GetFrame() const { return m_CurrentFrame; }
    void SetFrame(int frame) { m_CurrentFrame = frame; }
    float GetFrameTime() const { return m_FrameTimer; }
    void SetFrameTime(float seconds) { m_FrameTimer = seconds; }

    const std::string& GetName() const { return m_Name; }
    ISprite* GetSprite() const { return m_pSprite; }
    const CMatrix3& GetTransform() const { return m_Transform; }
    // Where the object is drawn, in screen fractions, for hit tests (as of the last update).
    const CRect2D& GetScreenRect() const { return m_ScreenRect; }

protected:
    std::string m_Name;
    CMatrix3 m_Transform;
    float m_PositionX = 0.0f, m_PositionY = 0.0f;
    float m_ScaleX = 1.0f, m_ScaleY = 1.0f;
    float m_Rotation = 0.0f;
    ISprite::Color m_Color;
    unsigned m_Flags = FlagVisible | FlagAnimated;
    CRect2D m_ScreenRect;
    ISprite* m_pSprite = nullptr;
    int m_CurrentFrame = 0;
    float m_FrameTimer = 0.0f;
    bool m_Dirty = false;

private:
    friend class CDisplay2DSystem;

    struct Layout {
        int screenWidth = 0, screenHeight = 0;
        ViewportRect viewport;
    };
    static bool SameLayout(const Layout& a, const Layout& b);
    void RebuildTransform(const Layout& layout);
    void StepAnimation(float dt);

    // Filled by the constructor and never changed after, so entries stay where they are.
    SpriteAnimationMap m_Animations;
    std::string m_CurrentAnimation = "idle";
    // The entry of m_CurrentAnimation; null when the map has none of that name.
    const SpriteAnimation* m_pAnimation = nullptr;
    // The screen layout the transform was built for; none until the first update.
    Layout m_BuiltFor;
    bool m_Built = false;
    // Entries of this object in the 2D display system, in the order they were added.
    std::vector<CDisplay2DSystem::Entry> m_LayerEntries;
};

} // namespace Vesk
