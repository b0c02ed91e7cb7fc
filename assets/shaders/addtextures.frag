#version 150 core
// The frame as shown: the scene image plus the blurred glow. Both images are
// read at this pixel's place on the screen rather than through note.vert's
// outputs, so the composition does not depend on how the notices pass their
// texture coordinates; the scene image has the window's size.

uniform sampler2D preprocessTexture; // the scene, window-sized
uniform sampler2D colorTexture;      // the blurred glow, a quarter of the window

out vec4 fragColor;

void main()
{
    vec2 texCoord = gl_FragCoord.xy / vec2(textureSize(preprocessTexture, 0));
    vec3 scene = texture(preprocessTexture, texCoord).rgb;
    vec3 glow = texture(colorTexture, texCoord).rgb;
    fragColor = vec4(scene + glow, 1.0);
}
