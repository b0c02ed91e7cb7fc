#version 150 core

out vec4 fragColor;

void main()
{
    // Only the depth matters; the colour shows the distance when debugging.
    fragColor = vec4(vec3(gl_FragCoord.z), 1.0);
}
