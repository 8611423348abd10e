<?xml version="1.0" encoding="UTF-8"?>
<!-- Terrain cubes, drawn instanced like the model cubes, lit by one scene light and darkened where
     the shadow map (from voxelshadow) holds something nearer to the light. lightView takes the
     camera's view space into the light's; lightProjection is the light camera's projection. -->
<effect>
  <common>
uniform mat4 worldViewProjection;
uniform mat4 view;
uniform mat4 lightView;
uniform mat4 lightProjection;
uniform sampler2D shadowmap;
uniform int lighttype;
uniform vec3 lightpos;
uniform vec3 lightdir;
uniform vec4 lightambient;
uniform vec4 lightdiffuse;
uniform vec3 ambientcolour;
uniform float shadowstrength;
  </common>
  <vertex name="vs">
layout(location = POSITION0) in vec3 position;
layout(location = NORMAL0) in vec3 normal;
layout(location = TEXCOORD1) in vec3 cubePosition;
layout(location = TEXCOORD2) in vec3 cubeColour;
layout(location = TEXCOORD3) in vec4 worldRow0;
layout(location = TEXCOORD4) in vec4 worldRow1;
layout(location = TEXCOORD5) in vec4 worldRow2;
layout(location = TEXCOORD6) in vec4 worldRow3;
out vec3 worldPosition;
out vec3 worldNormal;
out vec3 baseColour;
out vec4 lightClip;
void main()
{
    mat4 cubeWorld = mat4(worldRow0, worldRow1, worldRow2, worldRow3);
    vec4 p = cubeWorld * vec4(position + cubePosition, 1.0);
    worldPosition = p.xyz;
    worldNormal = mat3(cubeWorld) * normal;
    baseColour = cubeColour;
    lightClip = lightProjection * (lightView * (view * p));
    gl_Position = worldViewProjection * p;
}
  </vertex>
  <fragment name="fs">
in vec3 worldPosition;
in vec3 worldNormal;
in vec3 baseColour;
in vec4 lightClip;
out vec4 colour;
void main()
{
    vec3 toLight = lighttype == 1 ? -lightdir : lightpos - worldPosition;
    float lambert = max(dot(normalize(worldNormal), normalize(toLight)), 0.0);
    float lit = 1.0;
    if (lightClip.w > 0.0) {
        vec3 ndc = lightClip.xyz / lightClip.w;
        vec2 uv = ndc.xy * 0.5 + 0.5;
        if (all(greaterThanEqual(uv, vec2(0.0))) && all(lessThanEqual(uv, vec2(1.0)))) {
            float nearest = 1.0 - dot(texture(shadowmap, uv), vec4(1.0, 1.0 / 255.0, 1.0 / 65025.0, 1.0 / 16581375.0));
            if (ndc.z - 0.002 > nearest)
                lit = 1.0 - shadowstrength;
        }
    }
    colour = vec4(baseColour * (ambientcolour + lightambient.rgb + lit * lightdiffuse.rgb * lambert), 1.0);
}
  </fragment>
  <technique name="Default">
    <pass vertex="vs" fragment="fs"/>
  </technique>
</effect>
