#version 150 core
// The light one sheet of a cone adds: brightest on the axis and near the
// light, fading to nothing at the cone's edge and towards the surface the
// light ends on. Drawn additively with depth writes off, so the sheets sum
// and objects in front still hide the cone.

in vec3 worldPosition;
in float reach;
flat in float sheetSpacing; // map distance between neighbouring sheet planes

uniform vec3 Lpos;
uniform vec3 Ldir;
uniform vec3 Lightcolor;
uniform float angle; // cosine of the half-angle

out vec4 fragColor;

// A view ray across the cone meets one to one and a half sheets per sheet
// spacing, so each sheet adds its spacing's share: the sum stays the same for
// any grid size and any cone width, the way a stage beam looks as bright when
// it is narrow.
const float scattering = 0.5;
const float fadeDistance = 0.08; // inverse-square falloff with distance from the light

void main()
{
    vec3 fromLight = worldPosition - Lpos;
    float distanceToLight = length(fromLight);
    float cosTheta = dot(fromLight / max(distanceToLight, 1e-4), normalize(Ldir));

    float edge = smoothstep(angle, 1.0, cosTheta);
    float farEnd = 1.0 - smoothstep(0.45, 1.0, reach);
    float falloff = 1.0 / (1.0 + fadeDistance * distanceToLight * distanceToLight);

    vec3 light = Lightcolor * (scattering * sheetSpacing * edge * farEnd * falloff);
    fragColor = vec4(light, 0.0);
}
