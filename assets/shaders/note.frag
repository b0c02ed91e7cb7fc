#version 150 core
// A notice's picture, or the copy of a texture: in the down-sampling pass,
// and where the 3D view is stretched over the window in adding the glow to
// the scene image and in stretching the scene image (BlurStage).

in vec2 textureCoordinate;

uniform sampler2D colorTexture;
// The share of the texture that holds the picture to copy: the effect image,
// the glow or the scene image fill only their lower-left corner when the 3D
// view covers less than the whole-frame targets. Notices keep 1.
uniform vec2 renderScale = vec2(1.0);

out vec4 fragColor;

void main()
{
    vec2 st = textureCoordinate;
    if (renderScale != vec2(1.0)) {
        // Linear filtering must not reach past the drawn corner, where the
        // texture holds pixels of no frame.
        vec2 halfTexel = 0.5 / vec2(textureSize(colorTexture, 0));
        st = clamp(st * renderScale, halfTexel, renderScale - halfTexel);
    }
    fragColor = vec4(texture(colorTexture, st).rgb, 1.0);
}
