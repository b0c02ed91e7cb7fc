#version 150 core
// Skinned robots: up to four bone influences per vertex, then the same outputs
// as camera.vert for the lighting in camera.frag.

in vec3 position;
in vec3 normal;
in vec2 uv;
in vec3 tangent;
in ivec4 boneId;
in vec4 boneWeight;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;
// A model has at most 30 bones.
uniform mat4 boneMatrices[30];

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 textureCoordinate;
// The robots' program never has its spotlight slots filled ("anz" stays 0),
// so camera.frag reads none of these; they are written only to be defined.
out vec4 shadowCoordinate[5];
flat out float shadowTexel[5];

void main()
{
    // Weights are not renormalised: what the file gives is what bends.
    mat4 skin = boneMatrices[boneId.x] * boneWeight.x + boneMatrices[boneId.y] * boneWeight.y
        + boneMatrices[boneId.z] * boneWeight.z + boneMatrices[boneId.w] * boneWeight.w;
    mat4 model = modelMatrix * skin;
    vec4 world = model * vec4(position, 1.0);
    worldPosition = world.xyz;
    worldNormal = transpose(inverse(mat3(model))) * normal;
    textureCoordinate = uv;
    for (int i = 0; i < 5; ++i) {
        shadowCoordinate[i] = vec4(0.0);
        shadowTexel[i] = 0.0;
    }
    gl_Position = cameraMatrix * world;
}
