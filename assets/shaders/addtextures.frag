#version 150 core
// The frame as shown: the scene image plus the blurred glow, both read at the
// same place of the full-screen quad, so the quarter-size glow is stretched
// over the whole window by linear filtering.

in vec2 textureCoordinate;

uniform sampler2D preprocessTexture; // the scene, window-sized
uniform sampler2D colorTexture;      // the blurred glow, a quarter of the window
// The share of preprocessTexture that holds the scene: less than 1 when the
// 3D view is drawn at a lower scale, and then stretched over the window.
uniform vec2 renderScale = vec2(1.0);

out vec4 fragColor;

void main()
{
    vec2 st = textureCoordinate;
    if (renderScale != vec2(1.0)) {
        // Linear filtering must not reach past the drawn corner, where the
        // texture holds pixels of no frame.
        vec2 halfTexel = 0.5 / vec2(textureSize(preprocessTexture, 0));
        st = clamp(st * renderScale, halfTexel, renderScale - halfTexel);
    }
    vec3 scene = texture(preprocessTexture, st).rgb;
    vec3 glow = texture(colorTexture, textureCoordinate).rgb;
    fragColor = vec4(scene + glow, 1.0);
}
