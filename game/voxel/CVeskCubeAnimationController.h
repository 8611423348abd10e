// CVeskCubeAnimationController: plays the keyframe animations of one cube mesh, writing each
// submesh's interpolated position and rotation into the mesh; keeps the shade value that decays
// or pulses and is handed to the cube shader; and carries the mesh's shatter debris (bursting,
// falling and bouncing cubes, CubeDebris.cpp). Owned by its creator; the mesh is not owned.
#pragma once

#include "game/voxel/CubeDebris.h"
#include "game/voxel/CubeTypes.h"

#include "math/Matrix4.h"
#include "resources/IAnimationController.h"

#include <map>
#include <set>
#include <string>

namespace Game {

class CVeskCubeMesh;

// The playback speed of the base is 2.0: the scene graph's animation tick advances a cube model at twice
// the frame time. A mesh that is not a cube mesh gives a controller that does nothing.
class CVeskCubeAnimationController : public Vesk::IAnimationController {
public:
    explicit CVeskCubeAnimationController(Vesk::IMesh* mesh);
    ~CVeskCubeAnimationController() override;

    // Starts the named animation at the frame, looping unless holdAtEnd is non-zero, and poses
    // the mesh at once. Unknown names and animations without keyframes change nothing.
    void SetAnimation(const std::string& name, int holdAtEnd, float startFrame) override;
    int GetCurrentFrame() const override;
    // Once per frame: the debris timer while everything is shattered, Advance, UpdateDebris.
    void Update(float dt) override;
    void Reset() override;

    const std::string& GetCurrentAnimationName() const { return m_AnimationName; }
    void StartPulse(float rate);
    // A one-off highlight: ends any pulse and sets the shade, which then decays to 0.
    void Flash(float shade);
    // The submesh's matrix in the current pose; identity without a playable animation or submesh.
    CMatrix4 GetSubmeshTransform(const std::string& name);
    // Poses every whole submesh between the current two keyframes; false when nothing is played.
    bool UpdatePose();
    // The shade value, the pose and the frame time by one step.
    void Advance(float dt);

    // Bursts every submesh (in name order) or one, from the entity's world matrix (translation
    // in the last column). A submesh already shattered is left alone until ResetShatter.
    void Shatter(const CMatrix4& world);
    void ShatterSubmesh(const std::string& name, const CMatrix4& world);
    // Moves the flying cubes under gravity, bounces them on the height map and fades them.
    void UpdateDebris(float dt);
    // Puts every shattered submesh back together.
    void ResetShatter();

    CVeskCubeMesh* GetCubeMesh() const { return m_Mesh; }
    bool IsFinished() const { return m_Finished; }
    float GetFrameTime() const { return m_FrameTime; }
    int GetKeyframeIndex() const { return m_KeyframeIndex; }
    float GetShadeValue() const { return m_ShadeValue; }
    float GetDebrisTimer() const { return m_DebrisTimer; }
    int GetUnshatteredCount() const { return m_UnshatteredCount; }
    const CubeDebrisState* FindDebrisState(const std::string& name) const;

private:
    friend class CVeskCubeMesh;
    // The mesh is going: from now on the controller does nothing.
    void DetachMesh();
    // Writes the pose between two keyframes at t into the submeshes (all, or only whole ones).
    void ApplyPose(const CubeKeyframe& k0, const CubeKeyframe& k1, float t, bool includeShattered);
    CubeDebrisState& DebrisStateFor(const CubeSubmesh& submesh);

    CVeskCubeMesh* m_Mesh;
    bool m_HoldAtEnd = false;
    std::map<std::string, CubeDebrisState> m_DebrisStates;
    std::set<std::string> m_Shattered;
    bool m_Finished = false;
    int m_UnshatteredCount = 0;
    float m_DebrisTimer = 10.0f;
    std::string m_AnimationName;
    CubeAnimation* m_Animation = nullptr; // an animation of the mesh, which never removes one
    float m_FrameTime = 1.0f;
    int m_KeyframeIndex = 0;
    int m_ShadeMode = 0; // 0 decay, 1 pulse
    float m_ShadeValue = 0.0f;
    float m_PulseRate = 0.0f;
    float m_PulseRestart = 0.0f;
};

} // namespace Game
