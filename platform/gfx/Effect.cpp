#include "platform/gfx/Effect.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/Program.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/detail/GL.h"

#include <algorithm>

namespace gfx {

std::unique_ptr<Effect> Effect::Create(Device& device, const EffectDesc& desc, std::string& log)
{
    log.clear();
    std::unique_ptr<Effect> effect(new Effect(device));
    bool ok = true;
    for (const EffectTechniqueDesc& techniqueDesc : desc.techniques) {
        Technique technique;
        technique.name = techniqueDesc.name;
        for (size_t p = 0; p < techniqueDesc.passes.size(); ++p) {
            const EffectPassDesc& passDesc = techniqueDesc.passes[p];
            std::string passLog;
            Pass pass;
            pass.program = Program::Create(device, passDesc.vertexSource, passDesc.fragmentSource, passLog);
            if (!pass.program) {
                log += "technique \"" + techniqueDesc.name + "\" pass " + std::to_string(p) + ":\n" + passLog;
                ok = false;
                continue;
            }
            pass.states = passDesc.states;
            technique.passes.push_back(std::move(pass));
        }
        effect->m_Techniques.push_back(std::move(technique));
    }
    if (!ok)
        return nullptr;

    // The parameters are the uniforms of every pass, one entry per name; samplers get texture
    // units in the order they are first met.
    int nextUnit = 0;
    for (const Technique& technique : effect->m_Techniques)
        for (const Pass& pass : technique.passes)
            for (const Program::Uniform& uniform : pass.program->ActiveUniforms()) {
                if (effect->m_ParameterNames.count(uniform.name) || uniform.kind == Program::UniformKind::Other)
                    continue;
                Parameter parameter;
                parameter.name = uniform.name;
                if (uniform.kind == Program::UniformKind::Sampler) {
                    parameter.kind = Kind::Texture;
                    parameter.unit = nextUnit++;
                } else if (uniform.kind == Program::UniformKind::Int) {
                    parameter.kind = Kind::Int;
                } else {
                    parameter.matrices = uniform.kind == Program::UniformKind::Matrix ? uniform.count : 0;
                    parameter.values.assign(static_cast<size_t>(uniform.components * uniform.count), 0.0f);
                }
                effect->m_ParameterNames[uniform.name] = static_cast<Handle>(effect->m_Parameters.size());
                effect->m_Parameters.push_back(std::move(parameter));
            }
    return effect;
}

Effect::~Effect()
{
    // The pass programs go while the parameters they notify about their end still exist.
    m_Techniques.clear();
}

void Effect::ReleaseNames()
{
    // The pass programs are objects of their own and release themselves.
}

void Effect::OnObjectDestroyed(const GpuObject* object)
{
    for (Parameter& parameter : m_Parameters)
        if (parameter.texture == object)
            parameter.texture = nullptr;
}

Effect::Handle Effect::GetParameterByName(const std::string& name) const
{
    auto it = m_ParameterNames.find(name);
    return it == m_ParameterNames.end() ? kNoHandle : it->second;
}

Effect::Handle Effect::GetTechniqueByName(const std::string& name) const
{
    for (size_t i = 0; i < m_Techniques.size(); ++i)
        if (m_Techniques[i].name == name)
            return static_cast<Handle>(i);
    return kNoHandle;
}

void Effect::SetTechnique(Handle technique)
{
    if (technique >= 0 && technique < GetTechniqueCount())
        m_Technique = technique;
}

void Effect::Begin(unsigned* passes)
{
    const bool valid = m_Technique < GetTechniqueCount();
    if (passes)
        *passes = valid ? static_cast<unsigned>(m_Techniques[static_cast<size_t>(m_Technique)].passes.size()) : 0;
    m_SavedStates.clear();
    Device* device = GetDevice();
    if (!valid || !device)
        return;
    for (const Pass& pass : m_Techniques[static_cast<size_t>(m_Technique)].passes)
        for (const auto& [state, value] : pass.states) {
            (void)value;
            const bool known = std::any_of(m_SavedStates.begin(), m_SavedStates.end(),
                                           [state = state](const auto& saved) { return saved.first == state; });
            if (!known)
                m_SavedStates.emplace_back(state, device->GetRenderState(state));
        }
}

void Effect::BeginPass(unsigned pass)
{
    Device* device = GetDevice();
    if (!device || m_Technique >= GetTechniqueCount())
        return;
    const Technique& technique = m_Techniques[static_cast<size_t>(m_Technique)];
    if (pass >= technique.passes.size())
        return;
    m_Pass = static_cast<int>(pass);
    const Pass& current = technique.passes[pass];
    for (const auto& [state, value] : current.states)
        device->SetRenderState(state, value);
    device->SetProgram(current.program.get());
    Upload();
}

void Effect::CommitChanges()
{
    if (m_Pass >= 0)
        Upload();
}

void Effect::EndPass()
{
    if (m_Pass < 0)
        return;
    m_Pass = -1;
    if (Device* device = GetDevice())
        device->SetProgram(nullptr);
}

void Effect::End()
{
    EndPass();
    if (Device* device = GetDevice())
        for (const auto& [state, value] : m_SavedStates)
            device->SetRenderState(state, value);
    m_SavedStates.clear();
}

void Effect::Upload()
{
    const Program& program =
        *m_Techniques[static_cast<size_t>(m_Technique)].passes[static_cast<size_t>(m_Pass)].program;
    glUseProgram(program.Name());
    for (const Parameter& parameter : m_Parameters) {
        if (!parameter.set)
            continue;
        const int location = program.UniformLocation(parameter.name);
        if (location < 0)
            continue;
        switch (parameter.kind) {
        case Kind::Int: program.SetInt(location, parameter.intValue); break;
        case Kind::Texture:
            glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(parameter.unit));
            glBindTexture(GL_TEXTURE_2D, parameter.texture ? parameter.texture->Name() : 0);
            program.SetInt(location, parameter.unit);
            break;
        case Kind::Floats:
            if (parameter.matrices > 0) {
                program.SetMatrices(location, parameter.values.data(), parameter.matrices);
            } else {
                const int components = std::clamp(static_cast<int>(parameter.values.size()), 1, 4);
                program.SetVectors(location, parameter.values.data(), components,
                                   static_cast<int>(parameter.values.size()) / components);
            }
            break;
        }
    }
    glActiveTexture(GL_TEXTURE0);
}

void Effect::SetFloatArray(Handle parameter, const float* values, unsigned count)
{
    if (parameter < 0 || parameter >= static_cast<Handle>(m_Parameters.size()) || !values)
        return;
    Parameter& p = m_Parameters[static_cast<size_t>(parameter)];
    if (p.kind != Kind::Floats)
        return;
    std::copy(values, values + std::min<size_t>(count, p.values.size()), p.values.begin());
    p.set = true;
}

void Effect::SetMatrix(Handle parameter, const float* matrix) { SetFloatArray(parameter, matrix, 16); }

void Effect::SetVector(Handle parameter, const float values[4]) { SetFloatArray(parameter, values, 4); }

void Effect::SetFloat(Handle parameter, float value) { SetFloatArray(parameter, &value, 1); }

void Effect::SetInt(Handle parameter, int value)
{
    if (parameter < 0 || parameter >= static_cast<Handle>(m_Parameters.size()))
        return;
    Parameter& p = m_Parameters[static_cast<size_t>(parameter)];
    if (p.kind == Kind::Int) {
        p.intValue = value;
        p.set = true;
    } else if (p.kind == Kind::Floats) {
        SetFloat(parameter, static_cast<float>(value));
    }
}

void Effect::SetTexture(Handle parameter, const Texture* texture)
{
    if (parameter < 0 || parameter >= static_cast<Handle>(m_Parameters.size()))
        return;
    Parameter& p = m_Parameters[static_cast<size_t>(parameter)];
    if (p.kind != Kind::Texture)
        return;
    p.texture = texture;
    p.set = true;
}

} // namespace gfx
