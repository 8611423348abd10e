<?xml version="1.0" encoding="UTF-8"?>
<!-- Particles as round point sprites, drawn from their start values and age: position after
     velocity and acceleration, size and colour blended from start to end over the lifetime, the
     size in world units scaled to pixels by the viewport height. Blended, no depth writes. -->
<effect>
  <common>
uniform mat4 viewProjection;
uniform float viewportheight;
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
    float edge = length(gl_PointCoord - vec2(0.5)) * 2.0;
    colour = vec4(particleColour.rgb, particleColour.a * (1.0 - smoothstep(0.7, 1.0, edge)));
}
  </fragment>
  <technique name="Default">
    <pass vertex="vs" fragment="fs" zwrite="false" blend="srcalpha invsrcalpha"/>
  </technique>
</effect>
