<?xml version="1.0" encoding="UTF-8"?>
<!-- Terrain cubes of voxel-cube models, drawn instanced like the model cubes and darkened where a
     model cube lies between them and the light: each corner goes from the camera's view space
     (worldView) into the light's (lightView) and through its projection (lightProjection) to find
     its pixel of the shadow map (see voxelshadow) and its own distance from the light. Lit by
     scene light 0 over the material's ambient colour. -->
<effect>
  <common>
uniform mat4 worldViewProjection;
uniform mat4 worldView;
uniform mat4 lightView;
uniform mat4 lightProjection;
uniform sampler2D shadowmap;
uniform float shadowstrength;
uniform int lighttype;
uniform vec3 lightpos;
uniform vec3 lightdir;
uniform vec4 lightambient;
uniform vec4 lightdiffuse;
uniform vec3 ambientcolour;
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
layout(location = TEXCOORD7) in vec4 cubeValues; // neighbour code + 0.5, flash, shade, own matrix

// The corner in the world: through the cube's world rows from its place in the model or, for a
// flying debris cube (own matrix), the rows' rotation around the cube's own world position.
vec4 CubeWorldPosition()
{
    mat4 cubeWorld = mat4(worldRow0, worldRow1, worldRow2, worldRow3);
    if (cubeValues.w > 0.5)
        return vec4(cubePosition, 0.0) + cubeWorld * vec4(position, 1.0);
    return cubeWorld * vec4(position + cubePosition, 1.0);
}

vec3 CubeWorldNormal()
{
    return mat3(worldRow0.xyz, worldRow1.xyz, worldRow2.xyz) * normal;
}

// Whether this corner's face lies against another cube of the model: the neighbour code has one
// decimal digit per face (+x, -x, +y, -y, +z, -z). Debris shows every face.
bool FaceHidden()
{
    if (cubeValues.w > 0.5)
        return false;
    float face = normal.x > 0.5 ? 0.0 : -normal.x > 0.5 ? 1.0 : normal.y > 0.5 ? 2.0 : -normal.y > 0.5 ? 3.0
               : normal.z > 0.5 ? 4.0 : 5.0;
    return mod(floor(floor(cubeValues.x) / pow(10.0, face) + 0.001), 10.0) > 0.5;
}

out vec3 worldPosition;
out vec3 worldNormal;
out vec3 baseColour;
out vec4 lightClip;
out float lightDistance;
void main()
{
    worldPosition = vec3(0.0);
    worldNormal = vec3(0.0, 1.0, 0.0);
    baseColour = vec3(0.0);
    lightClip = vec4(0.0, 0.0, 0.0, 1.0);
    lightDistance = 0.0;
    if (FaceHidden()) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        return;
    }
    vec4 p = CubeWorldPosition();
    worldPosition = p.xyz;
    worldNormal = CubeWorldNormal();
    baseColour = cubeColour / 255.0;
    vec4 inLight = lightView * (worldView * p);
    lightDistance = inLight.z;
    lightClip = lightProjection * inLight;
    gl_Position = worldViewProjection * p;
}
  </vertex>
  <fragment name="fs">
in vec3 worldPosition;
in vec3 worldNormal;
in vec3 baseColour;
in vec4 lightClip;
in float lightDistance;
out vec4 colour;
void main()
{
    vec3 toLight = lighttype == 1 ? -lightdir : lightpos - worldPosition;
    float lambert = max(dot(normalize(worldNormal), normalize(toLight)), 0.0);
    float light = 1.0;
    vec2 uv = lightClip.xy / lightClip.w * 0.5 + 0.5;
    bool inMap = lightClip.w > 0.0 ? all(bvec4(greaterThanEqual(uv, vec2(0.0)), lessThanEqual(uv, vec2(1.0)))) : false;
    if (inMap) {
        vec3 bytes = floor(texture(shadowmap, uv).rgb * 255.0 + 0.5);
        float nearest = (1.0 - (bytes.r * 65536.0 + bytes.g * 256.0 + bytes.b) / 16777215.0) * 512.0;
        // Half a cube of slack, so that feet standing on the ground do not shade it.
        if (lightDistance > nearest + 0.5)
            light = 1.0 - shadowstrength;
    }
    colour = vec4(baseColour * (ambientcolour + lightambient.rgb + light * lightdiffuse.rgb * lambert), 1.0);
}
  </fragment>
  <technique name="Default">
    <pass vertex="vs" fragment="fs" zenable="true" zwrite="true" blend="none"/>
  </technique>
</effect>
