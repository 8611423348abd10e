<?xml version="1.0" encoding="UTF-8"?>
<!-- Meshes with position, normal and texture coordinate: the material's diffuse colour lit by one
     scene light (lighttype 1: directional along lightdir; otherwise a point light at lightpos)
     over the material's ambient colour and the light's. -->
<effect>
  <common>
uniform mat4 worldViewProjection;
uniform mat4 world;
uniform int lighttype;
uniform vec3 lightpos;
uniform vec3 lightdir;
uniform vec4 lightambient;
uniform vec4 lightdiffuse;
uniform vec3 diffusecolour;
uniform vec3 ambientcolour;
  </common>
  <vertex name="vs">
layout(location = POSITION0) in vec3 position;
layout(location = NORMAL0) in vec3 normal;
out vec3 worldPosition;
out vec3 worldNormal;
void main()
{
    worldPosition = (world * vec4(position, 1.0)).xyz;
    worldNormal = mat3(world) * normal;
    gl_Position = worldViewProjection * vec4(position, 1.0);
}
  </vertex>
  <fragment name="fs">
in vec3 worldPosition;
in vec3 worldNormal;
out vec4 colour;
void main()
{
    vec3 toLight = lighttype == 1 ? -lightdir : lightpos - worldPosition;
    float lambert = max(dot(normalize(worldNormal), normalize(toLight)), 0.0);
    vec3 light = ambientcolour + lightambient.rgb + lightdiffuse.rgb * lambert;
    colour = vec4(diffusecolour * light, 1.0);
}
  </fragment>
  <technique name="Default">
    <pass vertex="vs" fragment="fs"/>
  </technique>
</effect>
