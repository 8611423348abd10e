// Our effect file format, read into the graphics layer's effect description, and the loading of
// an effect with its error reporting. An effect file is XML:
//   <effect>
//     <common>GLSL placed before every shader of the file</common>
//     <vertex name="vs">GLSL with a main()</vertex>
//     <fragment name="fs">GLSL with a main()</fragment>
//     <technique name="Default">
//       <pass vertex="vs" fragment="fs" zenable="true" zwrite="false" cull="none|cw|ccw"
//             fill="solid|wireframe|point" blend="none | srcalpha invsrcalpha"/>
//     </technique>
//   </effect>
// Pass attributes other than vertex and fragment are optional; each one given becomes a render
// state of the pass. Shader sources use the slot names of platform/gfx/Program.h.
#pragma once

#include "platform/gfx/Effect.h"

#include <memory>
#include <string>

namespace gfx {
class Device;
}

namespace Vesk {

enum class EffectFileResult { Ok, Unreadable, Invalid };

// Unreadable: the file is missing or is not XML. Invalid: the file names an unknown shader or
// state (error says which).
EffectFileResult ReadEffectFile(const std::string& path, gfx::EffectDesc& desc, std::string& error);

// The effect of the file, or null. A file that cannot be read gives a log line; a file whose
// contents are wrong or whose shaders do not build shows its messages in a box captioned
// "SHADER ERROR".
std::unique_ptr<gfx::Effect> LoadEffectFile(gfx::Device& device, const std::string& path);

} // namespace Vesk
