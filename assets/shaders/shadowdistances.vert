#version 150 core
// A caster's depth as a spotlight sees it.

in vec3 position;

uniform mat4 lightprojectionMatrix;
uniform mat4 modelMatrix;

void main()
{
    gl_Position = lightprojectionMatrix * modelMatrix * vec4(position, 1.0);
}
