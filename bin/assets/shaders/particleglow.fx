<?xml version="1.0" encoding="UTF-8"?>
<!-- Particles drawn like those of particle.fx (start values and age give position, size and
     colour), with a radial falloff set by the material's "falloff" (higher is a tighter core).
     "Glow" adds light (sparks, wisps, sparkles); "Dust" blends soft puffs over the scene. -->
<effect>
  <common>
uniform mat4 viewProjection;
uniform float viewportheight;
uniform float falloff;
  </common>
  <vertex name="vs">
layout(location = POSITION0) in vec3 position;
layout(location = NORMAL0) in vec3 velocity;
layout(location = TEXCOORD0) in vec3 acceleration;
layout(location = TEXCOORD1) in float startSize;
layout(location = TEXCOORD2) in float endSize;
layout(location = TEXCOORD3) in float age;
layout(location = TEXCOORD4) in float lifetime;
layout(location = COLOR0) in vec4 startColour;
layout(location = COLOR1) in vec4 endColour;
out vec4 particleColour;
void main()
{
    float t = lifetime > 0.0 ? clamp(age / lifetime, 0.0, 1.0) : 1.0;
    vec3 p = position + velocity * age + 0.5 * acceleration * age * age;
    gl_Position = viewProjection * vec4(p, 1.0);
    gl_PointSize = viewportheight * mix(startSize, endSize, t) / max(gl_Position.w, 0.0001);
    particleColour = mix(startColour, endColour, t);
    if (age > lifetime)
        particleColour.a = 0.0;
}
  </vertex>
  <fragment name="fs">
in vec4 particleColour;
out vec4 colour;
void main()
{
    float edge = clamp(1.0 - length(gl_PointCoord - vec2(0.5)) * 2.0, 0.0, 1.0);
    float strength = pow(edge, max(falloff, 0.05));
    colour = vec4(particleColour.rgb, particleColour.a * strength);
}
  </fragment>
  <technique name="Glow">
    <pass vertex="vs" fragment="fs" zwrite="false" blend="srcalpha one"/>
  </technique>
  <technique name="Dust">
    <pass vertex="vs" fragment="fs" zwrite="false" blend="srcalpha invsrcalpha"/>
  </technique>
</effect>
