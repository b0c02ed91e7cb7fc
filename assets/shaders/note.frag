#version 150 core

uniform sampler2D colorTexture;

in vec2 textureCoordinate;

out vec4 fragColor;

void main()
{
    fragColor = vec4(texture(colorTexture, textureCoordinate).rgb, 1.0);
}
