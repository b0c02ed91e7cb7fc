#version 150 core
// The sky box around the whole scene. It shares the camera program's vertex
// array, so it accepts the same attribute names; the normal is not needed.

in vec3 position;
in vec3 normal;
in vec2 uv;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;

out vec2 textureCoordinate;

void main()
{
    textureCoordinate = uv;
    gl_Position = cameraMatrix * modelMatrix * vec4(position, 1.0);
}
