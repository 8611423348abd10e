<?xml version="1.0" encoding="UTF-8"?>
<!-- The shadow map: model cubes seen from the light camera, each pixel holding 1 - depth packed
     into the four 8-bit channels (a cleared pixel, all zero, reads as the far plane). -->
<effect>
  <common>
uniform mat4 worldViewProjection;
  </common>
  <vertex name="vs">
layout(location = POSITION0) in vec3 position;
layout(location = TEXCOORD1) in vec3 cubePosition;
layout(location = TEXCOORD3) in vec4 worldRow0;
layout(location = TEXCOORD4) in vec4 worldRow1;
layout(location = TEXCOORD5) in vec4 worldRow2;
layout(location = TEXCOORD6) in vec4 worldRow3;
out vec2 clipDepth;
void main()
{
    mat4 cubeWorld = mat4(worldRow0, worldRow1, worldRow2, worldRow3);
    gl_Position = worldViewProjection * (cubeWorld * vec4(position + cubePosition, 1.0));
    clipDepth = gl_Position.zw;
}
  </vertex>
  <fragment name="fs">
in vec2 clipDepth;
out vec4 colour;
void main()
{
    float nearness = 1.0 - clamp(clipDepth.x / clipDepth.y, 0.0, 1.0);
    vec4 bytes = fract(nearness * vec4(1.0, 255.0, 65025.0, 16581375.0));
    colour = bytes - bytes.yzww * vec4(1.0 / 255.0, 1.0 / 255.0, 1.0 / 255.0, 0.0);
}
  </fragment>
  <technique name="Default">
    <pass vertex="vs" fragment="fs" blend="none"/>
  </technique>
</effect>
