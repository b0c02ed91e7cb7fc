#version 150 core
// A skinned caster's depth as a spotlight sees it; the pose matches
// animatedCamera.vert so that a robot's shadow moves with it.

in vec3 position;
in ivec4 boneId;
in vec4 boneWeight;

uniform mat4 lightprojectionMatrix;
uniform mat4 modelMatrix;
uniform mat4 boneMatrices[30];

void main()
{
    mat4 skin = boneMatrices[boneId.x] * boneWeight.x + boneMatrices[boneId.y] * boneWeight.y
        + boneMatrices[boneId.z] * boneWeight.z + boneMatrices[boneId.w] * boneWeight.w;
    gl_Position = lightprojectionMatrix * modelMatrix * skin * vec4(position, 1.0);
}
