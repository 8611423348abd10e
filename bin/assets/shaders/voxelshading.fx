<?xml version="1.0" encoding="UTF-8"?>
<!-- Model cubes, drawn instanced: the unit cube (stream 0) placed at each record's position and
     turned by its world rows (stream 1), in the record's colour times its flash value, lit by one
     scene light over the material's ambient colour. -->
<effect>
  <common>
uniform mat4 worldViewProjection;
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
layout(location = TEXCOORD7) in vec4 cubeValues; // index, flash, submesh shade, own matrix
out vec3 worldPosition;
out vec3 worldNormal;
out vec3 baseColour;
void main()
{
    mat4 cubeWorld = mat4(worldRow0, worldRow1, worldRow2, worldRow3);
    vec4 p = cubeWorld * vec4(position + cubePosition, 1.0);
    worldPosition = p.xyz;
    worldNormal = mat3(cubeWorld) * normal;
    baseColour = cubeColour * cubeValues.y;
    gl_Position = worldViewProjection * p;
}
  </vertex>
  <fragment name="fs">
in vec3 worldPosition;
in vec3 worldNormal;
in vec3 baseColour;
out vec4 colour;
void main()
{
    vec3 toLight = lighttype == 1 ? -lightdir : lightpos - worldPosition;
    float lambert = max(dot(normalize(worldNormal), normalize(toLight)), 0.0);
    colour = vec4(baseColour * (ambientcolour + lightambient.rgb + lightdiffuse.rgb * lambert), 1.0);
}
  </fragment>
  <technique name="Default">
    <pass vertex="vs" fragment="fs"/>
  </technique>
</effect>
