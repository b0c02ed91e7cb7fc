#version 150 core
// A notice's picture, or the copy of a texture in the down-sampling pass.

in vec2 textureCoordinate;

uniform sampler2D colorTexture;

out vec4 fragColor;

void main()
{
    fragColor = vec4(texture(colorTexture, textureCoordinate).rgb, 1.0);
}
