#include "ui2d/CDisplayObject2D.h"

#include "math/Angles.h"
#include "render/CRenderer.h"
#include "resources/CDXSprite.h"
#include "resources/CResManager.h"
#include "ui2d/CDisplay2DSystem.h"

#include <algorithm>
#include <cmath>

namespace Vesk {

namespace {

constexpr float kVirtualWidth = 800.0f;
constexpr int kVirtualWidthUnits = 800;
// Far beyond any screen; keeps the conversion to whole pixels defined for absurd positions.
constexpr float kPixelLimit = 1.0e7f;

int WholePixels(float value)
{
    if (!(value == value))
        return 0;
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

} // namespace

bool CDisplayObject2D::SameLayout(const Layout& a, const Layout& b)
{
    return a.screenWidth == b.screenWidth && a.screenHeight == b.screenHeight && a.viewport.x == b.viewport.x &&
           a.viewport.y == b.viewport.y && a.viewport.width == b.viewport.width &&
           a.viewport.height == b.viewport.height;
}

CDisplayObject2D::CDisplayObject2D(const std::string& name)
    : m_Name(name), m_pSprite(CResManager<CDXSprite>::GetOrDefault(name))
{
    if (m_pSprite)
        m_Animations = m_pSprite->GetAnimations();
    if (m_Animations.empty())
        m_Flags &= ~FlagAnimated;
    const auto found = m_Animations.find(m_CurrentAnimation);
    m_pAnimation = found == m_Animations.end() ? nullptr : &found->second;
}

CDisplayObject2D::~CDisplayObject2D()
{
    if (!m_LayerEntries.empty())
        CDisplay2DSystem::GetInstance().Forget(this);
}

void CDisplayObject2D::SetAnimation(const std::string& name)
{
    // The one playing restarts without a search.
    if (m_pAnimation && name == m_CurrentAnimation) {
        m_CurrentFrame = m_pAnimation->firstFrame;
        return;
    }
    const auto found = m_Animations.find(name);
    if (found == m_Animations.end())
        return;
    m_CurrentAnimation = name;
    m_pAnimation = &found->second;
    m_CurrentFrame = found->second.firstFrame;
}

void CDisplayObject2D::SetVisible(bool visible)
{
    if (visible)
        m_Flags |= FlagVisible;
    else
        m_Flags &= ~FlagVisible;
}

int CDisplayObject2D::GetSpriteWidth() const { return m_pSprite ? static_cast<int>(m_pSprite->GetFrameWidth()) : 0; }

int CDisplayObject2D::GetSpriteHeight() const { return m_pSprite ? static_cast<int>(m_pSprite->GetFrameHeight()) : 0; }

void CDisplayObject2D::SetColor(float alpha, float red, float green, float blue)
{
    m_Color.r = std::max(red, 0.0f);
    m_Color.g = std::max(green, 0.0f);
    m_Color.b = std::max(blue, 0.0f);
    m_Color.a = std::max(alpha, 0.0f);
}

void CDisplayObject2D::SetPosition(float x, float y)
{
    m_PositionX = x;
    m_PositionY = y;
    m_Dirty = true;
}

void CDisplayObject2D::SetScale(float x, float y)
{
    m_ScaleX = x;
    m_ScaleY = y;
    m_Dirty = true;
}

void CDisplayObject2D::SetRotation(float degrees)
{
    m_Rotation = degrees;
    m_Dirty = true;
}

void CDisplayObject2D::Update(float dt)
{
    const CRenderer& renderer = CRenderer::GetInstance();
    const Layout now{renderer.GetScreenWidth(), renderer.GetScreenHeight(), renderer.GetViewportRect()};
    // Pixel positions depend on the screen, so a new display mode rebuilds them too.
    if (m_Dirty || !m_Built || !SameLayout(now, m_BuiltFor))
        RebuildTransform(now);

    if (m_pSprite) {
        m_pSprite->SetColor(m_Color);
        m_pSprite->SetTransform(m_Transform);
    }
    StepAnimation(dt);
}

void CDisplayObject2D::RebuildTransform(const Layout& layout)
{
    // Widths against the 800-unit virtual screen across the viewport; the vertical factor is the
    // screen height over the virtual height (a whole number of units), so both stay alike.
    const int width = layout.viewport.width;
    const int height = layout.viewport.height;
    const float scaleX = width > 0 ? static_cast<float>(width) / kVirtualWidth * m_ScaleX : 0.0f;
    const long long virtualHeight =
        width > 0 ? static_cast<long long>(layout.screenHeight) * kVirtualWidthUnits / width : 0;
    const float scaleY = virtualHeight > 0
                             ? static_cast<float>(layout.screenHeight) / static_cast<float>(virtualHeight) * m_ScaleY
                             : 0.0f;

    CMatrix3 scale;
    scale(0, 0) = scaleX;
    scale(1, 1) = scaleY;
    const CMatrix3 rotation = CMatrix3::Rotation2D(m_Rotation * kRadiansPerDegree);
    CMatrix3 translation;
    translation(0, 2) = static_cast<float>(layout.viewport.x + WholePixels(static_cast<float>(width) * m_PositionX));
    translation(1, 2) = static_cast<float>(layout.viewport.y + WholePixels(static_cast<float>(height) * m_PositionY));
    // T x R x S: a sprite point is scaled, then rotated, then moved.
    CMatrix3 moved;
    rotation.Multiply(moved, translation);
    scale.Multiply(m_Transform, moved);

    // The hit rectangle covers the frame as drawn, at its scale.
    m_ScreenRect.SetCentre({m_PositionX, m_PositionY});
    const float frameWidth = static_cast<float>(GetSpriteWidth()), frameHeight = static_cast<float>(GetSpriteHeight());
    m_ScreenRect.SetHalfSize({width > 0 ? 0.5f * frameWidth * std::fabs(scaleX) / static_cast<float>(width) : 0.0f,
                              height > 0 ? 0.5f * frameHeight * std::fabs(scaleY) / static_cast<float>(height) : 0.0f});

    m_BuiltFor = layout;
    m_Built = true;
    m_Dirty = false;
}

void CDisplayObject2D::StepAnimation(float dt)
{
    if (!(m_Flags & FlagAnimated) || !m_pAnimation)
        return;
    const SpriteAnimation& animation = *m_pAnimation;
    if (animation.secondsPerFrame < m_FrameTimer) {
        if (++m_CurrentFrame > animation.lastFrame)
            m_CurrentFrame = animation.firstFrame;
        m_FrameTimer -= animation.secondsPerFrame;
    }
    m_FrameTimer += dt;
}

} // namespace Vesk
