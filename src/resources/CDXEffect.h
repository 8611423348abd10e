// A shader effect loaded from one of our effect files, cached by path. Parameter and technique
// names resolve through the effect's own name tables (kept apart, so a technique and a parameter
// may share a name); unknown names are ignored at every call. Owns the compiled effect.
#pragma once

#include "platform/gfx/Effect.h"
#include "resources/IEffect.h"

#include <memory>
#include <string>

namespace Vesk {

class CDXEffect : public IEffect {
public:
    // False when there is no graphics device or the file does not give an effect; a file whose
    // shaders do not build shows its messages in a "SHADER ERROR" box.
    bool Load(const std::string& path) override;
    // The effect keeps its values on the CPU, so a reset needs nothing.
    void OnLostDevice() override {}
    void OnResetDevice() override {}

    void Begin(unsigned* passes) override;
    void End() override;
    void BeginPass(unsigned pass) override;
    void EndPass() override;

    void SetFloat2(const std::string& name, const float* values) override;
    void SetFloat3(const std::string& name, const float* values) override;
    void SetFloat4(const std::string& name, const float* values) override;
    void SetMatrix(const std::string& name, const CMatrix4& matrix) override;
    void SetInt(const std::string& name, int value) override;
    void SetFloat(const std::string& name, float value) override;
    void SetTexture(const std::string& name, ITexture* texture) override;
    void SetTechnique(const std::string& name) override;

    ParameterHandle GetParameterHandle(const std::string& name) override;
    void SetMatrixByHandle(ParameterHandle handle, const gfx::Matrix& matrix) override;

    void RenderMesh(IMaterial* material, IMesh* mesh) override;

    const gfx::Effect* GetEffect() const { return m_pEffect.get(); }

private:
    // Runs set(handle) and commits when the effect has the parameter.
    template <typename Set>
    void SetAndCommit(const std::string& name, Set set);

    std::unique_ptr<gfx::Effect> m_pEffect;
};

} // namespace Vesk
