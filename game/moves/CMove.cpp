#include "game/moves/CMove.h"

#include "game/entities/CCharacter.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "math/GameMath.h"
#include "resources/IAnimationController.h"

namespace Game {

namespace {

const int kPlayOnce = 1;
const int kLoop = 0;

} // namespace

CMove::CMove(const std::string& name, CCharacter* owner, float seconds, ExtraFunction* extra)
    : m_TimeLeft(seconds), m_Name(name), m_Owner(owner), m_pExtra(extra)
{
}

CCharacter* CMove::GetOwner() const { return m_Owner.GetAs<CCharacter>(); }

bool CMove::CountDownTime(float dt)
{
    if (!CountDown(&m_TimeLeft, dt))
        return false;
    m_TimeLeft = 0.0f;
    m_Running = false;
    return true;
}

void CMove::PlayOnce(const std::string& clip) const
{
    if (CCharacter* owner = GetOwner())
        if (Vesk::IAnimationController* animation = owner->GetAnimationController())
            animation->SetAnimation(clip, kPlayOnce, 0.0f);
}

void CMove::PlayLooping(const std::string& clip) const
{
    if (CCharacter* owner = GetOwner())
        if (Vesk::IAnimationController* animation = owner->GetAnimationController())
            animation->SetAnimation(clip, kLoop, 0.0f);
}

void CMove::Replay(const std::string& clip) const
{
    // Only cube models tell which animation they play; others are left alone.
    CCharacter* owner = GetOwner();
    const auto* cubes =
        owner ? dynamic_cast<const CVeskCubeAnimationController*>(owner->GetAnimationController()) : nullptr;
    if (cubes && cubes->GetCurrentAnimationName() != clip)
        PlayOnce(clip);
}

void CMove::MoveAlongFacing() const
{
    if (CCharacter* owner = GetOwner())
        owner->MoveAlong(owner->GetDirection(), true);
}

void CMove::KeepVerticalVelocity() const
{
    if (CCharacter* owner = GetOwner()) {
        CVector3D velocity;
        owner->GetLinearVelocity(velocity);
        owner->SetLinearVelocity(CVector3D(0.0f, velocity.y, 0.0f));
    }
}

bool CMove::HoldInPlace(float dt)
{
    const CCharacter* owner = GetOwner();
    if (owner && !owner->m_Airborne)
        KeepVerticalVelocity();
    return CountDownTime(dt);
}

} // namespace Game
