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
// How many spotlight slots this program lights with (camera.frag): 5 unless
// the program is built as a variant for surfaces that fewer cones reach.
#ifndef SLOT_COUNT
#define SLOT_COUNT 5
#endif
#define SLOT_ARRAY (SLOT_COUNT > 0 ? SLOT_COUNT : 1)

// Where each spotlight slot finds the surface in its depth map (camera.frag).
// The shadow matrix is projective, so the product is taken here, per vertex,
// and interpolated: a matrix product per slot and fragment would be the
// costliest arithmetic of the lit pass on a software renderer.
out vec4 shadowCoordinate[SLOT_ARRAY];
flat out float shadowTexel[SLOT_ARRAY];

// The same uniforms as camera.frag declares; the linker needs the two
// declarations to match exactly.
struct Spotlight {
    vec3 position;
    vec3 intensities;
    vec3 direction; // not normalised
    float angle;    // cosine of the half-angle
};
uniform Spotlight spotlight[5];
uniform sampler2DShadow shadowTexture[5];
uniform mat4 shadowprojectionMatrix[5]; // world to (s, t, depth) of the slot's map

// The shadow lookup starts this many depth-map texels off the surface, along
// its normal: enough to keep a surface from shadowing itself at grazing
// light, small next to the texel-wide contact between a pillar and the floor.
const float normalOffset = 1.0;

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

// n is the unit normal turned towards the viewer, as camera.frag turns it. A
// texel of the map covers more of the surface the farther it is from the light.
void placeInShadowMap(int i, sampler2DShadow map, vec3 p, vec3 n)
{
    float texel = 1.0 / float(textureSize(map, 0).x);
    float cosAngle = spotlight[i].angle;
    float tanHalfAngle = sqrt(max(1.0 - cosAngle * cosAngle, 0.0)) / max(cosAngle, 1e-3);
    float texelSize = 2.0 * length(p - spotlight[i].position) * tanHalfAngle * texel;
    shadowCoordinate[i] = shadowprojectionMatrix[i] * vec4(p + n * (normalOffset * texelSize), 1.0);
    shadowTexel[i] = texel;
}

void leaveShadowMapsUnused()
{
    for (int i = 0; i < SLOT_ARRAY; ++i) {
        shadowCoordinate[i] = vec4(0.0);
        shadowTexel[i] = 0.0;
    }
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
        leaveShadowMapsUnused();
        return;
    }
    worldPosition = world.xyz;
    // The scene scales its models unevenly; only the inverse transpose keeps
    // their normals at right angles to the surface.
    worldNormal = transpose(inverse(mat3(modelMatrix))) * normal;
    textureCoordinate = uv;

    float normalLength = length(worldNormal);
    vec3 n = normalLength > 0.0 ? worldNormal / normalLength : vec3(0.0);
    if (dot(n, cameraPosition - world.xyz) < 0.0)
        n = -n;
    // Sampler arrays take only constant indices in GLSL 1.50.
#if SLOT_COUNT > 0
    placeInShadowMap(0, shadowTexture[0], world.xyz, n);
#endif
#if SLOT_COUNT > 1
    placeInShadowMap(1, shadowTexture[1], world.xyz, n);
#endif
#if SLOT_COUNT > 2
    placeInShadowMap(2, shadowTexture[2], world.xyz, n);
#endif
#if SLOT_COUNT > 3
    placeInShadowMap(3, shadowTexture[3], world.xyz, n);
#endif
#if SLOT_COUNT > 4
    placeInShadowMap(4, shadowTexture[4], world.xyz, n);
#endif
#if SLOT_COUNT == 0
    leaveShadowMapsUnused();
#endif
    gl_Position = cameraMatrix * world;
}
