// An effect for material and cache tests: records every call in order with its values, answers
// for the parameter names it is given, and draws through the effect's own technique loop.
#pragma once

#include "resources/CDXEffect.h"

#include <algorithm>
#include <string>
#include <vector>

namespace restest {

struct EffectCall {
    std::string what; // "Begin", "SetFloat3", "matrix", ...
    std::string name;
    std::vector<float> values;
    const void* pointer = nullptr;
};

class RecordingEffect : public Vesk::CDXEffect {
public:
    explicit RecordingEffect(std::vector<std::string> parameters = {}, std::vector<unsigned> passes = {1})
        : m_Parameters(std::move(parameters)), m_Passes(std::move(passes))
    {
    }

    bool Load(const std::string&) override { return true; }
    void OnLostDevice() override { Record("OnLostDevice", ""); }
    void OnResetDevice() override { Record("OnResetDevice", ""); }

    void Begin(unsigned* passes) override
    {
        Record("Begin", m_Technique);
        auto it = std::find(m_Techniques.begin(), m_Techniques.end(), m_Technique);
        *passes =
            it == m_Techniques.end() ? m_Passes.front() : m_Passes[static_cast<size_t>(it - m_Techniques.begin())];
    }
    void End() override { Record("End", ""); }
    void BeginPass(unsigned pass) override { Record("BeginPass", std::to_string(pass)); }
    void EndPass() override { Record("EndPass", ""); }

    void SetFloat2(const std::string& name, const float* v) override { Record("SetFloat2", name, {v[0], v[1]}); }
    void SetFloat3(const std::string& name, const float* v) override { Record("SetFloat3", name, {v[0], v[1], v[2]}); }
    void SetFloat4(const std::string& name, const float* v) override
    {
        Record("SetFloat4", name, {v[0], v[1], v[2], v[3]});
    }
    void SetMatrix(const std::string& name, const CMatrix4& m) override
    {
        Record("SetMatrix", name, std::vector<float>(m.m, m.m + 16));
    }
    void SetInt(const std::string& name, int v) override { Record("SetInt", name, {static_cast<float>(v)}); }
    void SetFloat(const std::string& name, float v) override { Record("SetFloat", name, {v}); }
    void SetTexture(const std::string& name, Vesk::ITexture* texture) override
    {
        Record("SetTexture", name);
        calls.back().pointer = texture;
    }
    void SetTechnique(const std::string& name) override
    {
        m_Technique = name;
        Record("SetTechnique", name);
    }
    ParameterHandle GetParameterHandle(const std::string& name) override
    {
        auto it = std::find(m_Parameters.begin(), m_Parameters.end(), name);
        return it == m_Parameters.end() ? kNoParameter : static_cast<ParameterHandle>(it - m_Parameters.begin());
    }
    void SetMatrixByHandle(ParameterHandle handle, const gfx::Matrix& m) override
    {
        Record("matrix", m_Parameters.at(static_cast<size_t>(handle)), std::vector<float>(m.m, m.m + 16));
    }

    // Techniques named here take the pass counts of the constructor, in order.
    void SetTechniques(std::vector<std::string> names) { m_Techniques = std::move(names); }

    // "what name" for every call, for order checks.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> out;
        for (const EffectCall& call : calls)
            out.push_back(call.name.empty() ? call.what : call.what + " " + call.name);
        return out;
    }

    std::vector<EffectCall> calls;

private:
    void Record(const std::string& what, const std::string& name, std::vector<float> values = {})
    {
        calls.push_back({what, name, std::move(values), nullptr});
    }

    std::vector<std::string> m_Parameters;
    std::vector<unsigned> m_Passes;
    std::vector<std::string> m_Techniques;
    std::string m_Technique;
};

} // namespace restest
