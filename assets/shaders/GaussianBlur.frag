#version 150 core
// One direction of a separable Gaussian (sigma about 2 texels). Neighbouring
// taps are paired and read between texels, so linear filtering sums each pair
// in a single fetch: five fetches cover nine texels.

in vec2 texCoord;

uniform sampler2D colorTexture;
uniform vec2 blurDirection; // (1, 0) or (0, 1)
uniform float size;         // texels of the target along blurDirection

out vec4 fragColor;

const float offsets[3] = float[](0.0, 1.3846153846, 3.2307692308);
const float weights[3] = float[](0.2270270270, 0.3162162162, 0.0702702703);

void main()
{
    vec2 texelStep = blurDirection / size;
    vec3 sum = texture(colorTexture, texCoord).rgb * weights[0];
    for (int i = 1; i < 3; ++i) {
        sum += texture(colorTexture, texCoord + texelStep * offsets[i]).rgb * weights[i];
        sum += texture(colorTexture, texCoord - texelStep * offsets[i]).rgb * weights[i];
    }
    fragColor = vec4(sum, 1.0);
}
