#version 150 core
// Depth passes write no colour (their framebuffer has none); the output is
// here because every program names "fragColor".

out vec4 fragColor;

void main()
{
    fragColor = vec4(vec3(gl_FragCoord.z), 1.0);
}
