#version 150 core
// The frame as shown: the scene image plus the blurred glow, both read at the
// same place of the full-screen quad, so the quarter-size glow is stretched
// over the whole window by linear filtering.

in vec2 textureCoordinate;

uniform sampler2D preprocessTexture; // the scene, in a whole-frame target
uniform sampler2D colorTexture;      // the blurred glow, a quarter of that
// The share of preprocessTexture that holds the scene: less than 1 when the
// window is smaller than the whole-frame targets.
uniform vec2 renderScale = vec2(1.0);

// The corner of a texture that holds this frame's picture, as a share of it:
// the blur targets keep the glow in min(ceil(share * extent - 0.001), extent)
// texels (FrameViewport.h).
vec2 drawnCorner(sampler2D image)
{
    vec2 extent = vec2(textureSize(image, 0));
    return min(ceil(renderScale * extent - 0.001), extent) / extent;
}

// Linear filtering must not reach past the drawn corner, where the texture
// holds pixels of no frame.
vec2 insideCorner(sampler2D image, vec2 corner)
{
    vec2 halfTexel = 0.5 / vec2(textureSize(image, 0));
    return clamp(textureCoordinate * corner, halfTexel, corner - halfTexel);
}

out vec4 fragColor;

void main()
{
    vec2 sceneAt = textureCoordinate;
    vec2 glowAt = textureCoordinate;
    if (renderScale != vec2(1.0)) {
        sceneAt = insideCorner(preprocessTexture, renderScale);
        glowAt = insideCorner(colorTexture, drawnCorner(colorTexture));
    }
    vec3 scene = texture(preprocessTexture, sceneAt).rgb;
    vec3 glow = texture(colorTexture, glowAt).rgb;
    fragColor = vec4(scene + glow, 1.0);
}
