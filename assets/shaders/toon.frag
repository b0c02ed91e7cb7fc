#version 150 core
// A cel-shaded ball lit from the upper left: the diffuse term is cut into
// three bands, with a hard highlight and a dark outline at the silhouette.

in vec2 screenCoord;

out vec4 fragColor;

const vec3 lightDirection = vec3(-0.5, 0.6, 0.62);
const vec3 baseColour = vec3(0.95, 0.45, 0.2);

void main()
{
    float radiusSquared = dot(screenCoord, screenCoord);
    if (radiusSquared > 0.64) {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    vec3 normal = vec3(screenCoord / 0.8, sqrt(1.0 - radiusSquared / 0.64));
    float diffuse = max(dot(normal, normalize(lightDirection)), 0.0);
    float band = diffuse > 0.8 ? 1.0 : diffuse > 0.45 ? 0.7 : diffuse > 0.15 ? 0.45 : 0.25;
    vec3 halfway = normalize(normalize(lightDirection) + vec3(0.0, 0.0, 1.0));
    float highlight = step(0.97, dot(normal, halfway));
    float outline = step(normal.z, 0.25);
    vec3 colour = mix(baseColour * band + vec3(highlight), vec3(0.05), outline);
    fragColor = vec4(colour, 1.0);
}
