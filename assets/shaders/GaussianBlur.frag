#version 150 core
// One direction of a separable Gaussian (sigma about 2 texels). Neighbouring
// taps are paired and read between texels, so linear filtering sums each pair
// in a single fetch: five fetches cover nine texels.

in vec2 texCoord;

uniform sampler2D colorTexture;
uniform vec2 blurDirection; // (1, 0) or (0, 1)
// Texels along blurDirection of a glow a quarter of the window's size: the
// target's extent when the window fills the whole-frame targets.
uniform float size;
// The share of the whole-frame targets that the 3D view is drawn in. Below 1
// the glow fills only a corner of the targets, min(ceil(share * extent -
// 0.001), extent) texels (FrameViewport.h), and the pass draws that corner
// alone; the taps stay inside it, and are as far apart as "size" says, so
// that the glow keeps its size on the screen.
uniform vec2 renderScale = vec2(1.0);

out vec4 fragColor;

const float offsets[3] = float[](0.0, 1.3846153846, 3.2307692308);
const float weights[3] = float[](0.2270270270, 0.3162162162, 0.0702702703);

void main()
{
    vec2 targetSize = vec2(textureSize(colorTexture, 0));
    vec2 corner = min(ceil(renderScale * targetSize - 0.001), targetSize) / targetSize;
    // At the full scale the corner is the whole target, and the clamp is
    // what the targets' edge clamping does anyway.
    vec2 halfTexel = 0.5 / targetSize;
    vec2 st = texCoord * corner;
    vec2 texelStep = blurDirection * corner / size;
    vec3 sum = texture(colorTexture, clamp(st, halfTexel, corner - halfTexel)).rgb * weights[0];
    for (int i = 1; i < 3; ++i) {
        vec2 reach = texelStep * offsets[i];
        sum += texture(colorTexture, clamp(st + reach, halfTexel, corner - halfTexel)).rgb * weights[i];
        sum += texture(colorTexture, clamp(st - reach, halfTexel, corner - halfTexel)).rgb * weights[i];
    }
    fragColor = vec4(sum, 1.0);
}
