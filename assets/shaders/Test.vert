#version 150 core
// One grid point of a light cone. The grid spans the spotlight's depth map in
// s and t and starts at depth "position.y" (1: the far plane); the point is
// moved in to the depth the map holds there, where the light meets a surface.

in vec3 position; // (s, 1, t)

uniform sampler2DShadow shadowTexture;

out vec2 mapCoord;
out float surfaceDepth;

// The map only answers whether a depth lies in front of what it holds (a GL_LESS
// comparison, filtered over four texels), so the held depth is found by halving
// the interval: 24 halvings reach the map's 24-bit precision.
float heldDepth(vec2 st, float farthest)
{
    float nearer = 0.0;
    float farther = farthest;
    for (int i = 0; i < 24; ++i) {
        float middle = 0.5 * (nearer + farther);
        if (texture(shadowTexture, vec3(st, middle)) > 0.5)
            nearer = middle;
        else
            farther = middle;
    }
    return nearer;
}

void main()
{
    // The map repeats at its border; lookups stay half a texel inside it.
    vec2 halfTexel = 0.5 / vec2(textureSize(shadowTexture, 0));
    vec2 st = clamp(position.xz, halfTexel, 1.0 - halfTexel);
    mapCoord = position.xz;
    surfaceDepth = heldDepth(st, position.y);
    gl_Position = vec4(position, 1.0);
}
