#version 150 core
#extension GL_ARB_explicit_attrib_location : require

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;
layout(location = 3) in vec3 tangent;
layout(location = 4) in ivec4 boneId;
layout(location = 5) in vec4 boneWeight;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;
// A model has at most 30 bones.
uniform mat4 boneMatrices[30];

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 textureCoordinate;

void main()
{
    // Weights are not renormalised: what the file gives is what bends.
    mat4 skin = boneMatrices[boneId.x] * boneWeight.x + boneMatrices[boneId.y] * boneWeight.y
        + boneMatrices[boneId.z] * boneWeight.z + boneMatrices[boneId.w] * boneWeight.w;
    mat4 model = modelMatrix * skin;
    vec4 world = model * vec4(position, 1.0);
    worldPosition = world.xyz;
    worldNormal = mat3(model) * normal;
    textureCoordinate = uv;
    gl_Position = cameraMatrix * world;
}
