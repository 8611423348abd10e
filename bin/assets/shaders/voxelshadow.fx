<?xml version="1.0" encoding="UTF-8"?>
<!-- The shadow map: model cubes seen from the light (view and projection are the light camera's).
     Each pixel holds 1 - distance / 512 along the light's view, in 24 bits over red, green and
     blue, so a cleared pixel (all zero) means nothing is there to cast a shadow. -->
<effect>
  <common>
uniform mat4 view;
uniform mat4 projection;
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

out float lightDistance;
void main()
{
    lightDistance = 0.0;
    if (FaceHidden()) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        return;
    }
    vec4 inLight = view * CubeWorldPosition();
    lightDistance = inLight.z;
    gl_Position = projection * inLight;
}
  </vertex>
  <fragment name="fs">
in float lightDistance;
out vec4 colour;
void main()
{
    float stored = floor(clamp(1.0 - lightDistance / 512.0, 0.0, 1.0) * 16777215.0);
    float high = floor(stored / 65536.0);
    float middle = floor((stored - high * 65536.0) / 256.0);
    colour = vec4(high, middle, stored - high * 65536.0 - middle * 256.0, 255.0) / 255.0;
}
  </fragment>
  <technique name="Default">
    <pass vertex="vs" fragment="fs" zenable="true" zwrite="true" blend="none"/>
  </technique>
</effect>
