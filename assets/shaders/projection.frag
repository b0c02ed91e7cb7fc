#version 150 core
// The sky box shows its picture as it is: it is the backdrop, lit by nothing.

in vec2 textureCoordinate;

uniform sampler2D colorTexture;

out vec4 fragColor;

void main()
{
    fragColor = vec4(texture(colorTexture, textureCoordinate).rgb, 1.0);
}
