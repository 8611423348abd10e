#include "render/EffectFile.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "platform/win/MessageBox.h"
#include "window/CWindowSystem.h"

#include <map>
#include <sstream>

namespace Vesk {

namespace {

bool ParseBool(const std::string& text, uint32_t& value)
{
    if (text != "true" && text != "false")
        return false;
    value = text == "true";
    return true;
}

bool ParseBlendFactor(const std::string& text, uint32_t& value)
{
    static const std::map<std::string, uint32_t> kFactors = {
        {"zero", gfx::BLEND_ZERO},           {"one", gfx::BLEND_ONE},
        {"srccolor", gfx::BLEND_SRCCOLOR},   {"invsrccolor", gfx::BLEND_INVSRCCOLOR},
        {"srcalpha", gfx::BLEND_SRCALPHA},   {"invsrcalpha", gfx::BLEND_INVSRCALPHA},
        {"destalpha", gfx::BLEND_DESTALPHA}, {"invdestalpha", gfx::BLEND_INVDESTALPHA},
        {"destcolor", gfx::BLEND_DESTCOLOR}, {"invdestcolor", gfx::BLEND_INVDESTCOLOR},
    };
    auto it = kFactors.find(text);
    if (it == kFactors.end())
        return false;
    value = it->second;
    return true;
}

// Adds the render states the pass element names; false with the offending attribute in error.
bool ReadPassStates(const CXmlElement& pass, gfx::EffectPassDesc& out, std::string& error)
{
    using gfx::RenderState;
    auto fail = [&error](const std::string& attribute, const char* value) {
        error = "bad value \"" + std::string(value) + "\" for " + attribute;
        return false;
    };
    uint32_t value = 0;
    if (const char* text = pass.GetAttribute("zenable")) {
        if (!ParseBool(text, value))
            return fail("zenable", text);
        out.states.emplace_back(RenderState::ZEnable, value);
    }
    if (const char* text = pass.GetAttribute("zwrite")) {
        if (!ParseBool(text, value))
            return fail("zwrite", text);
        out.states.emplace_back(RenderState::ZWriteEnable, value);
    }
    if (const char* text = pass.GetAttribute("cull")) {
        const std::string cull = text;
        if (cull != "none" && cull != "cw" && cull != "ccw")
            return fail("cull", text);
        out.states.emplace_back(RenderState::CullMode, cull == "none" ? gfx::CULL_NONE
                                                       : cull == "cw" ? gfx::CULL_CW
                                                                      : gfx::CULL_CCW);
    }
    if (const char* text = pass.GetAttribute("fill")) {
        const std::string fill = text;
        if (fill != "solid" && fill != "wireframe" && fill != "point")
            return fail("fill", text);
        out.states.emplace_back(RenderState::FillMode, fill == "solid"       ? gfx::FILL_SOLID
                                                       : fill == "wireframe" ? gfx::FILL_WIREFRAME
                                                                             : gfx::FILL_POINT);
    }
    if (const char* text = pass.GetAttribute("blend")) {
        std::istringstream in(text);
        std::string source, destination, extra;
        in >> source >> destination >> extra;
        uint32_t src = 0, dst = 0;
        if (source == "none" && destination.empty()) {
            out.states.emplace_back(RenderState::AlphaBlendEnable, 0);
        } else if (ParseBlendFactor(source, src) && ParseBlendFactor(destination, dst) && extra.empty()) {
            out.states.emplace_back(RenderState::AlphaBlendEnable, 1);
            out.states.emplace_back(RenderState::SrcBlend, src);
            out.states.emplace_back(RenderState::DestBlend, dst);
        } else {
            return fail("blend", text);
        }
    }
    return true;
}

} // namespace

EffectFileResult ReadEffectFile(const std::string& path, gfx::EffectDesc& desc, std::string& error)
{
    desc = gfx::EffectDesc();
    CXmlDocument document;
    if (!document.Load(path)) {
        error = "cannot read effect file \"" + path + "\"";
        return EffectFileResult::Unreadable;
    }
    const CXmlElement root = document.GetRoot();
    const std::string common = root.FirstChildElement("common").GetText();
    std::map<std::string, std::string> vertex, fragment;
    for (CXmlElement e = root.FirstChildElement(); e != nullptr; ++e) {
        const char* name = e.GetAttribute("name");
        if (e.GetName() == "vertex" && name)
            vertex[name] = common + "\n" + e.GetText();
        else if (e.GetName() == "fragment" && name)
            fragment[name] = common + "\n" + e.GetText();
    }
    for (CXmlElement t = root.FirstChildElement("technique"); t != nullptr; t.NextSiblingElement("technique")) {
        gfx::EffectTechniqueDesc technique;
        technique.name = t.GetAttribute("name") ? t.GetAttribute("name") : "";
        for (CXmlElement p = t.FirstChildElement("pass"); p != nullptr; p.NextSiblingElement("pass")) {
            const char* vs = p.GetAttribute("vertex");
            const char* fs = p.GetAttribute("fragment");
            const std::string where =
                "technique \"" + technique.name + "\" pass " + std::to_string(technique.passes.size()) + ": ";
            if (!vs || !vertex.count(vs) || !fs || !fragment.count(fs)) {
                error = where + "unknown vertex or fragment shader";
                return EffectFileResult::Invalid;
            }
            gfx::EffectPassDesc pass;
            pass.vertexSource = vertex[vs];
            pass.fragmentSource = fragment[fs];
            if (!ReadPassStates(p, pass, error)) {
                error = where + error;
                return EffectFileResult::Invalid;
            }
            technique.passes.push_back(std::move(pass));
        }
        desc.techniques.push_back(std::move(technique));
    }
    return EffectFileResult::Ok;
}

std::unique_ptr<gfx::Effect> LoadEffectFile(gfx::Device& device, const std::string& path)
{
    gfx::EffectDesc desc;
    std::string error;
    const EffectFileResult read = ReadEffectFile(path, desc, error);
    if (read == EffectFileResult::Unreadable) {
        LogLine("EffectFile: " + error);
        return nullptr;
    }
    std::unique_ptr<gfx::Effect> effect;
    if (read == EffectFileResult::Ok)
        effect = gfx::Effect::Create(device, desc, error);
    if (!effect)
        win::MessageBox(CWindowSystem::GetInstance().GetWindow(), path + "\n" + error, "SHADER ERROR");
    return effect;
}

} // namespace Vesk
