#version 150 core
#extension GL_ARB_explicit_attrib_location : require

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;

out vec2 textureCoordinate;

void main()
{
    textureCoordinate = uv;
    gl_Position = cameraMatrix * modelMatrix * vec4(position, 1.0);
}
