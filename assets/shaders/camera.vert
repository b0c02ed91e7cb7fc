#version 150 core
// Static surfaces: world position, normal and texture coordinate for the
// lighting in camera.frag. "tangent" is accepted but not used: it is made per
// consecutive vertex triple, which after vertex joining is not a face tangent.

in vec3 position;
in vec3 normal;
in vec2 uv;
in vec3 tangent;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 textureCoordinate;

void main()
{
    vec4 world = modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    // The scene scales its models unevenly; only the inverse transpose keeps
    // their normals at right angles to the surface.
    worldNormal = transpose(inverse(mat3(modelMatrix))) * normal;
    textureCoordinate = uv;
    gl_Position = cameraMatrix * world;
}
