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
uniform vec3 cameraPosition;
// Lines let the eye see through the walls: nothing is sent away then.
uniform bool wireframe;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 textureCoordinate;

// The room is closed: seen from inside it, nothing outside its walls can
// show, yet the house around it is drawn before the room and would be lit
// in full behind every wall. For filled drawing its vertices are sent beyond
// the far plane instead. Every model stands wholly inside the room or wholly
// outside it, so no triangle is cut in two by this; the inner faces lie at
// |x| = 6.5, |z| = 10.5 and y = 5.5, the house's outer walls at 6.75 and 10.75.
const vec3 roomInside = vec3(6.5, 5.5, 10.5);
const vec3 roomOutside = vec3(6.6, 5.6, 10.6);

bool insideRoom(vec3 p, vec3 bounds)
{
    return abs(p.x) < bounds.x && p.y < bounds.y && abs(p.z) < bounds.z;
}

void main()
{
    vec4 world = modelMatrix * vec4(position, 1.0);
    if (!wireframe && insideRoom(cameraPosition, roomInside) && cameraPosition.y > 0.0
        && !insideRoom(world.xyz, roomOutside)) {
        worldPosition = world.xyz;
        worldNormal = vec3(0.0);
        textureCoordinate = uv;
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
        return;
    }
    worldPosition = world.xyz;
    // The scene scales its models unevenly; only the inverse transpose keeps
    // their normals at right angles to the surface.
    worldNormal = transpose(inverse(mat3(modelMatrix))) * normal;
    textureCoordinate = uv;
    gl_Position = cameraMatrix * world;
}
