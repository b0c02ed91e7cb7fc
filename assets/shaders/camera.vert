#version 150 core
// Explicit locations keep every program that shares a vertex array in step:
// position 0, normal 1, uv 2, tangent 3, boneId 4, boneWeight 5.
#extension GL_ARB_explicit_attrib_location : require

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;
layout(location = 3) in vec3 tangent;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 textureCoordinate;

void main()
{
    vec4 world = modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    worldNormal = transpose(inverse(mat3(modelMatrix))) * normal;
    textureCoordinate = uv;
    gl_Position = cameraMatrix * world;
}
