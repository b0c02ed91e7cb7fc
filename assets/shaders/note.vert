#version 150 core

in vec3 position;
in vec2 uv;

// The full-screen passes never set a projection; the identity keeps their
// quads where they are.
uniform mat4 projectionMatrix = mat4(1.0);
uniform mat4 modelMatrix;

out vec2 textureCoordinate;

void main()
{
    textureCoordinate = uv;
    gl_Position = projectionMatrix * modelMatrix * vec4(position, 1.0);
}
