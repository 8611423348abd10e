// Test doubles for the scene walks: meshes, materials, effects and animation controllers that
// append what happens to them to one shared call log.
#pragma once

#include "render/CRenderer.h"
#include "resources/IAnimationController.h"
#include "resources/IEffect.h"
#include "resources/IMaterial.h"
#include "resources/IMesh.h"

#include <string>
#include <vector>

namespace scenetest {

inline std::vector<std::string>& CallLog()
{
    static std::vector<std::string> log;
    return log;
}

// The material whose Bind ran last (what an effect-less draw would draw with).
inline std::string& BoundMaterial()
{
    static std::string bound;
    return bound;
}

inline std::string Number(float value)
{
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

// Logs "draw <name> x=<world x translation> with <bound material>".
class RecordingMesh : public Vesk::IMesh {
public:
    explicit RecordingMesh(const std::string& name, const CAABB& box = CAABB(CVector3D(-1, -1, -1), CVector3D(1, 1, 1)))
    {
        m_Name = name;
        m_AABB = box;
    }
    bool Load(const std::string&) override { return true; }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Render() override
    {
        const float x = Vesk::CRenderer::GetInstance().GetWorldMatrix()(0, 3);
        CallLog().push_back("draw " + m_Name + " x=" + Number(x) + " with " + BoundMaterial());
    }
};

// Draws the mesh once, as an effect with one technique and one pass would.
class RecordingEffect : public Vesk::IEffect {
public:
    bool Load(const std::string&) override { return true; }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void RenderMesh(Vesk::IMaterial*, Vesk::IMesh* mesh) override { mesh->Render(); }
    void Begin(unsigned* passes) override { *passes = 1; }
    void End() override {}
    void BeginPass(unsigned) override {}
    void EndPass() override {}
    void SetFloat2(const std::string&, const float*) override {}
    void SetFloat3(const std::string&, const float*) override {}
    void SetFloat4(const std::string&, const float*) override {}
    void SetMatrix(const std::string&, const CMatrix4&) override {}
    void SetInt(const std::string&, int) override {}
    void SetFloat(const std::string&, float) override {}
    void SetTexture(const std::string&, Vesk::ITexture*) override {}
    void SetTechnique(const std::string&) override {}
    ParameterHandle GetParameterHandle(const std::string&) override { return kNoParameter; }
    void SetMatrixByHandle(ParameterHandle, const gfx::Matrix&) override {}
};

// Logs "apply <name> x=<world x> upload=<0|1>"; Bind makes it the bound material.
class RecordingMaterial : public Vesk::IMaterial {
public:
    explicit RecordingMaterial(const std::string& name, Vesk::IEffect* effect = nullptr)
        : m_Name(name), m_pEffect(effect)
    {
    }
    bool Load(const std::string&) override { return true; }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Bind() override { BoundMaterial() = m_Name; }
    void RenderMesh(Vesk::IMesh*, const CMatrix4&) override {}
    std::string GetTechniqueName(int) override { return "Default"; }
    int GetTechniqueCount() override { return 1; }
    void Apply(const CMatrix4& world, bool upload) override
    {
        CallLog().push_back("apply " + m_Name + " x=" + Number(world(0, 3)) + " upload=" + (upload ? "1" : "0"));
    }
    Vesk::IEffect* GetEffect() const override { return m_pEffect; }

private:
    std::string m_Name;
    Vesk::IEffect* m_pEffect;
};

// Logs "update <name> <dt>".
class RecordingController : public Vesk::IAnimationController {
public:
    RecordingController(const std::string& name, float speed) : IAnimationController(nullptr), m_Name(name)
    {
        m_PlaybackSpeed = speed;
    }
    void SetAnimation(const std::string&, int, float) override {}
    int GetCurrentFrame() const override { return 0; }
    void Update(float dt) override { CallLog().push_back("update " + m_Name + " " + Number(dt)); }

private:
    std::string m_Name;
};

} // namespace scenetest
