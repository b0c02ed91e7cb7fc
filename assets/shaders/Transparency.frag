#version 150 core
// The robot's glowing eyes. They give off light rather than reflect it, so of
// the lit object set only the eye's place, the viewer and "transparency"
// matter: the glow is strongest where the eye faces the viewer and fades
// towards its rim, which is what the effect image then blurs into a halo.

in vec3 worldPosition;
in vec3 worldNormal;

uniform vec3 cameraPosition;
uniform float transparency;

out vec4 fragColor;

const vec3 eyeGlow = vec3(1.0, 0.25, 0.12);

void main()
{
    float normalLength = length(worldNormal);
    vec3 toCamera = normalize(cameraPosition - worldPosition);
    float facing = normalLength > 0.0 ? abs(dot(worldNormal / normalLength, toCamera)) : 1.0;
    fragColor = vec4(eyeGlow * mix(0.6, 1.0, facing), transparency);
}
