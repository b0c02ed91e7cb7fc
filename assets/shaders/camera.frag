#version 150 core
// The lit surfaces of the room. The player carries a dim white point light;
// the stage spotlights do the real work: each throws a soft-edged cone that
// fades with distance and is cut by the shadows of what stands in its way.
// Spotlight colours above 1 are meant: where a cone lands it burns the texture
// out to its own colour, and the rest of the room stays in the dark.

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 textureCoordinate;

uniform sampler2D colorTexture;
uniform struct Light {
    vec3 position;
    vec3 intensities;
    float attenuation;
    float ambientCoefficient;
} light;
uniform vec3 cameraPosition;
uniform float materialShininess;
uniform vec3 materialSpecularColor;
uniform float transparency;

struct Spotlight {
    vec3 position;
    vec3 intensities;
    vec3 direction; // not normalised
    float angle;    // cosine of the half-angle
};
uniform Spotlight spotlight[5];
uniform sampler2DShadow shadowTexture[5];
// The slots this program lights with: 5, or fewer in the variants the frame
// draws the surfaces with that fewer cones reach (their lights packed into
// the first slots), which then cost a software renderer only those slots.
#ifndef SLOT_COUNT
#define SLOT_COUNT 5
#endif
#define SLOT_ARRAY (SLOT_COUNT > 0 ? SLOT_COUNT : 1)
// Each slot's surface point in its depth map, offset along the normal and
// before the perspective division, from camera.vert; and the width of one
// texel of the slot's map.
in vec4 shadowCoordinate[SLOT_ARRAY];
flat in float shadowTexel[SLOT_ARRAY];
uniform int anz;                         // slots in use, from slot 0

out vec4 fragColor;

// The outer part of a cone, as a share of 1 - cos(half-angle), over which the
// light fades to nothing: about the outer fifth of the cone's radius.
const float coneSoftness = 0.35;
// Inverse-square falloff, and the fade that ends each light before the far
// plane of its depth map (10 units), where its shadows would stop.
const float spotFalloff = 0.02;
const float lightRange = 10.0;

// One filtered comparison: with linear filtering it weighs the 2 x 2 texels
// around the point, so a shadow's edge softens over a texel instead of
// stepping. Every lookup of every slot runs for every fragment of the room,
// inside a cone or not, and the comparisons are most of the cost of a lit
// fragment, so a wider filter costs the frame rate dearly. The maps have no
// mipmaps; the explicit level keeps the lookup valid inside the branches below.
float shadowLookup(sampler2DShadow map, float texel, vec4 coord)
{
    vec3 mapPoint = coord.xyz * (1.0 / coord.w);
    // The map repeats at its border; the lookup stays half a texel inside it.
    vec2 st = clamp(mapPoint.xy, 0.5 * texel, 1.0 - 0.5 * texel);
    float lit = textureLod(map, vec3(st, mapPoint.z), 0.0);
    return coord.w > 0.0 ? lit : 0.0; // behind the light
}

float specularTerm(vec3 n, vec3 toLight, vec3 toCamera)
{
    vec3 halfway = normalize(toLight + toCamera);
    return pow(max(dot(n, halfway), 0.0), max(materialShininess, 1.0));
}

// A software renderer runs both sides of every branch, masked, for all
// fragments, so leaving early saves nothing and costs the masking: each slot
// is computed whole and kept or dropped at the end. Lengths come from one
// inverse square root, and divisions are multiplications by one reciprocal.
vec3 spotlightLight(int i, sampler2DShadow map, vec3 surfaceColor, vec3 n, vec3 toCamera)
{
    vec3 fromLight = worldPosition - spotlight[i].position;
    float squaredDistance = dot(fromLight, fromLight);
    float inverseDistance = inversesqrt(max(squaredDistance, 1e-8));
    float distanceToLight = squaredDistance * inverseDistance;
    vec3 toLight = -fromLight * inverseDistance;
    vec3 axis = spotlight[i].direction;
    float axisLength2 = dot(axis, axis);
    float cosAngle = spotlight[i].angle;
    float cosTheta = dot(-toLight, axis) * inversesqrt(max(axisLength2, 1e-30));
    float cone = smoothstep(cosAngle, mix(cosAngle, 1.0, coneSoftness), cosTheta);
    float diffuse = max(dot(n, toLight), 0.0);

    float reach = (1.0 - smoothstep(0.75 * lightRange, lightRange, distanceToLight))
        / (1.0 + spotFalloff * squaredDistance);
    float shadow = shadowLookup(map, shadowTexel[i], shadowCoordinate[i]);

    vec3 reflected = diffuse * surfaceColor + specularTerm(n, toLight, toCamera) * materialSpecularColor;
    // A slot that was never filled has no direction and gives no light.
    bool lit = cone > 0.0 && diffuse > 0.0 && axisLength2 != 0.0;
    return lit ? spotlight[i].intensities * (cone * reach * shadow) * reflected : vec3(0.0);
}

void main()
{
    vec3 surfaceColor = texture(colorTexture, textureCoordinate).rgb;
    vec3 toCamera = normalize(cameraPosition - worldPosition);

    // A mesh without normals gets only the ambient term. Thin walls are seen
    // from either side, so the normal is turned towards the viewer.
    float normalLength = length(worldNormal);
    vec3 n = normalLength > 0.0 ? worldNormal / normalLength : vec3(0.0);
    if (dot(n, toCamera) < 0.0)
        n = -n;

    vec3 toPointLight = light.position - worldPosition;
    float pointDistance = length(toPointLight);
    toPointLight /= max(pointDistance, 1e-4);
    float attenuation = 1.0 / (1.0 + light.attenuation * pointDistance * pointDistance);
    float diffuse = max(dot(n, toPointLight), 0.0);
    float specular = diffuse > 0.0 ? specularTerm(n, toPointLight, toCamera) : 0.0;
    vec3 color = light.intensities
        * (light.ambientCoefficient * surfaceColor
            + attenuation * (diffuse * surfaceColor + specular * materialSpecularColor));

    // Sampler arrays take only constant indices in GLSL 1.50.
#if SLOT_COUNT > 0
    if (anz > 0)
        color += spotlightLight(0, shadowTexture[0], surfaceColor, n, toCamera);
#endif
#if SLOT_COUNT > 1
    if (anz > 1)
        color += spotlightLight(1, shadowTexture[1], surfaceColor, n, toCamera);
#endif
#if SLOT_COUNT > 2
    if (anz > 2)
        color += spotlightLight(2, shadowTexture[2], surfaceColor, n, toCamera);
#endif
#if SLOT_COUNT > 3
    if (anz > 3)
        color += spotlightLight(3, shadowTexture[3], surfaceColor, n, toCamera);
#endif
#if SLOT_COUNT > 4
    if (anz > 4)
        color += spotlightLight(4, shadowTexture[4], surfaceColor, n, toCamera);
#endif

    fragColor = vec4(color, transparency);
}
