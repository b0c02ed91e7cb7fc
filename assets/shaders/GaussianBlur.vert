#version 150 core
// Full-screen pass of the glow blur. "position" and "uv" get their locations
// from the program (position 0, uv 2), the same as in note.vert, because the
// blur quad is also drawn with the note program.

in vec3 position;
in vec2 uv;

uniform mat4 modelMatrix;

out vec2 texCoord;

void main()
{
    texCoord = uv;
    gl_Position = modelMatrix * vec4(position, 1.0);
}
