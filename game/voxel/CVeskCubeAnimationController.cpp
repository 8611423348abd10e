#include "game/voxel/CVeskCubeAnimationController.h"

#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubePose.h"

#include "math/Quaternion.h"

#include <algorithm>

namespace Game {

namespace {

// The poses of one keyframe read in the order of the submesh names: the mesh's submeshes and a
// keyframe's poses are both ordered by name, so a walk beside the submeshes finds each pose
// without a search.
class PoseCursor {
public:
    explicit PoseCursor(const CubeKeyframe& key) : m_It(key.poses.begin()), m_End(key.poses.end()) {}

    // The pose of the submesh (the default pose where the keyframe has none); names must come in
    // ascending order.
    const CubeKeyPose& PoseOf(const std::string& submesh)
    {
        static const CubeKeyPose defaultPose;
        while (m_It != m_End && m_It->first < submesh)
            ++m_It;
        return m_It != m_End && m_It->first == submesh ? m_It->second : defaultPose;
    }

private:
    std::map<std::string, CubeKeyPose>::const_iterator m_It;
    std::map<std::string, CubeKeyPose>::const_iterator m_End;
};

// How far the time lies from k0 to k1, kept within the two keyframes; 0 for keyframes that do
// not follow each other in time.
float KeyFraction(const CubeKeyframe& k0, const CubeKeyframe& k1, float time)
{
    if (k1.frame <= k0.frame)
        return 0.0f;
    // In floating point: two frame numbers far apart must not overflow an int.
    const float t =
        (time - static_cast<float>(k0.frame)) / (static_cast<float>(k1.frame) - static_cast<float>(k0.frame));
    return std::min(std::max(0.0f, t), 1.0f);
}

} // namespace

CVeskCubeAnimationController::CVeskCubeAnimationController(Vesk::IMesh* mesh)
    : IAnimationController(mesh), m_Mesh(dynamic_cast<CVeskCubeMesh*>(mesh))
{
    m_PlaybackSpeed = 2.0f;
    if (!m_Mesh)
        return;
    m_Mesh->m_Controllers.push_back(this);
    if (!m_Mesh->m_Animations.empty())
        m_Animation = &m_Mesh->m_Animations.begin()->second;
    for (auto& entry : m_Mesh->m_Submeshes) {
        CubeSubmesh& submesh = *entry.second;
        submesh.currentPositions = submesh.restPositions;
        DebrisStateFor(submesh);
    }
    m_UnshatteredCount = static_cast<int>(m_Mesh->m_Submeshes.size());
}

CVeskCubeAnimationController::~CVeskCubeAnimationController()
{
    if (!m_Mesh)
        return;
    auto& controllers = m_Mesh->m_Controllers;
    controllers.erase(std::remove(controllers.begin(), controllers.end(), this), controllers.end());
}

void CVeskCubeAnimationController::DetachMesh()
{
    m_pMesh = nullptr;
    m_Mesh = nullptr;
    m_Animation = nullptr;
}

void CVeskCubeAnimationController::SetAnimation(const std::string& name, int holdAtEnd, float startFrame)
{
    if (!m_Mesh)
        return;
    const auto it = m_Mesh->m_Animations.find(name);
    if (it == m_Mesh->m_Animations.end() || it->second.keyframes.empty())
        return;
    m_HoldAtEnd = holdAtEnd != 0;
    m_Finished = false;
    m_AnimationName = name;
    m_Animation = &it->second;
    m_FrameTime = startFrame;

    // The keyframe the start has passed and the one after it (the last for both past the end).
    const std::vector<CubeKeyframe>& keys = m_Animation->keyframes;
    const int last = static_cast<int>(keys.size()) - 1;
    int previous = last, next = last;
    for (int i = 0; i <= last; ++i)
        if (static_cast<float>(keys[i].frame) > startFrame) {
            previous = std::max(i - 1, 0);
            next = i;
            break;
        }
    m_KeyframeIndex = previous;
    const CubeKeyframe& k0 = keys[previous];
    const CubeKeyframe& k1 = previous != next ? keys[next] : k0;
    ApplyPose(k0, k1, KeyFraction(k0, k1, m_FrameTime), true);
}

int CVeskCubeAnimationController::GetCurrentFrame() const
{
    if (!m_Mesh || m_Mesh->m_Animations.empty())
        return 0;
    if (!(m_FrameTime > -2147483648.0f && m_FrameTime < 2147483648.0f))
        return 0;
    return static_cast<int>(m_FrameTime);
}

void CVeskCubeAnimationController::Update(float dt)
{
    if (!m_Mesh)
        return;
    if (m_UnshatteredCount < 1)
        m_DebrisTimer -= dt;
    Advance(dt);
    UpdateDebris(dt);
}

void CVeskCubeAnimationController::Reset()
{
    m_FrameTime = 1.0f;
    m_KeyframeIndex = 0;
}

void CVeskCubeAnimationController::StartPulse(float rate)
{
    m_ShadeMode = 1;
    if (m_ShadeValue > -0.35f)
        m_ShadeValue = -1.5f;
    m_PulseRestart = -1.5f;
    m_PulseRate = rate;
}

void CVeskCubeAnimationController::Flash(float shade)
{
    m_ShadeMode = 0;
    m_ShadeValue = shade;
}

CMatrix4 CVeskCubeAnimationController::GetSubmeshTransform(const std::string& name)
{
    if (!m_Mesh || !m_Animation || m_Animation->keyframes.size() < 2)
        return CMatrix4();
    const CubeSubmesh* submesh = m_Mesh->FindSubmesh(name);
    if (!submesh)
        return CMatrix4();
    UpdatePose();
    return m_Mesh->GetSubmeshMatrix(submesh);
}

bool CVeskCubeAnimationController::UpdatePose()
{
    if (!m_Mesh)
        return false;
    if (!m_Animation) {
        for (auto& entry : m_Mesh->m_Submeshes)
            entry.second->debris = false;
        return false;
    }
    const std::vector<CubeKeyframe>& keys = m_Animation->keyframes;
    const int count = static_cast<int>(keys.size());
    if (count < 2)
        return false;
    m_KeyframeIndex = std::max(m_KeyframeIndex, 0);
    if (m_KeyframeIndex + 1 >= count) {
        if (m_HoldAtEnd) {
            m_KeyframeIndex = count - 2;
            m_Finished = true;
            m_FrameTime = static_cast<float>(keys[count - 1].frame);
        } else {
            // A loop starts again at its first keyframe (frame 1 in our clips).
            m_FrameTime = static_cast<float>(keys[0].frame);
            m_KeyframeIndex = 0;
        }
    }
    const CubeKeyframe& k0 = keys[m_KeyframeIndex];
    const CubeKeyframe& k1 = keys[m_KeyframeIndex + 1];
    ApplyPose(k0, k1, KeyFraction(k0, k1, m_FrameTime), false);
    return true;
}

void CVeskCubeAnimationController::Advance(float dt)
{
    if (m_ShadeMode == 0) {
        m_ShadeValue -= dt * 5.0f * m_ShadeValue;
        if (m_ShadeValue < 0.0f)
            m_ShadeValue = 0.0f;
    } else {
        m_ShadeValue -= dt * m_PulseRate * 5.0f * m_ShadeValue;
        if (m_ShadeValue >= -0.35f)
            m_ShadeValue = m_PulseRestart;
    }

    if (!UpdatePose())
        return;
    m_FrameTime += static_cast<float>(m_Animation->fps) * dt;
    if (static_cast<float>(m_Animation->keyframes[m_KeyframeIndex + 1].frame) <= m_FrameTime)
        ++m_KeyframeIndex;
}

void CVeskCubeAnimationController::ApplyPose(const CubeKeyframe& k0, const CubeKeyframe& k1, float t,
                                             bool includeShattered)
{
    PoseCursor poses0(k0), poses1(k1);
    for (auto& entry : m_Mesh->m_Submeshes) {
        if (!includeShattered && m_Shattered.count(entry.first))
            continue;
        CubeSubmesh& submesh = *entry.second;
        const CubeKeyPose& p0 = poses0.PoseOf(entry.first);
        const CubeKeyPose& p1 = poses1.PoseOf(entry.first);
        CQuaternion q0, q1;
        q0.FromMatrix3(p0.rotation);
        q1.FromMatrix3(p1.rotation);
        CQuaternion q = QuaternionSlerp(q0, q1, t);
        q.Normalize();
        submesh.localPosition = p0.position + (p1.position - p0.position) * t;
        q.ToMatrix3(submesh.rotation);
        submesh.debris = false;
        submesh.shadeValue = m_ShadeValue;
    }
}

} // namespace Game
