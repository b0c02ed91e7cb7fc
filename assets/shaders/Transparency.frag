#version 150 core
// The robot's glowing eyes. They give off light rather than reflect it, so
// the lit object set is accepted but only "transparency" matters: the same
// colour reaches the scene and, through the effect image, the glow. Reading
// no per-vertex inputs lets it pair with camera.vert whatever that passes on.

uniform float transparency;

out vec4 fragColor;

const vec3 eyeGlow = vec3(1.0, 0.25, 0.12);

void main()
{
    fragColor = vec4(eyeGlow, transparency);
}
