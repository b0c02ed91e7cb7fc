#version 150 core
// A toon-shading study that needs no vertex data: three vertices made from
// their index cover the whole target with one triangle.

out vec2 screenCoord; // -1..1 across the target

void main()
{
    vec2 corner = vec2(float((gl_VertexID << 1) & 2), float(gl_VertexID & 2));
    screenCoord = corner * 2.0 - 1.0;
    gl_Position = vec4(screenCoord, 0.0, 1.0);
}
