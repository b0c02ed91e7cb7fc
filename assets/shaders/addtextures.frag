#version 150 core
// The frame as shown: the scene image plus the blurred glow, both read at the
// same place of the full-screen quad, so the quarter-size glow is stretched
// over the whole window by linear filtering.

in vec2 textureCoordinate;

uniform sampler2D preprocessTexture; // the scene, window-sized
uniform sampler2D colorTexture;      // the blurred glow, a quarter of the window

out vec4 fragColor;

void main()
{
    vec3 scene = texture(preprocessTexture, textureCoordinate).rgb;
    vec3 glow = texture(colorTexture, textureCoordinate).rgb;
    fragColor = vec4(scene + glow, 1.0);
}
