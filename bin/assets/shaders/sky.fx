<?xml version="1.0" encoding="UTF-8"?>
<!-- The sky sphere seen from inside: a gradient from the horizon colour to the top colour by the
     height of each point of the mesh, drawn behind everything (no depth writes, no culling). -->
<effect>
  <common>
uniform mat4 worldViewProjection;
uniform vec3 skytop;
uniform vec3 skyhorizon;
  </common>
  <vertex name="vs">
layout(location = POSITION0) in vec3 position;
out float height;
void main()
{
    height = normalize(position).y;
    gl_Position = worldViewProjection * vec4(position, 1.0);
}
  </vertex>
  <fragment name="fs">
in float height;
out vec4 colour;
void main()
{
    colour = vec4(mix(skyhorizon, skytop, clamp(height, 0.0, 1.0)), 1.0);
}
  </fragment>
  <technique name="Default">
    <pass vertex="vs" fragment="fs" zwrite="false" cull="none"/>
  </technique>
</effect>
