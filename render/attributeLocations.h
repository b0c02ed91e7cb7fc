#pragma once

#include <GL/glew.h>

// Every program binds the shared vertex attribute names to these locations
// before it links. A vertex array built with one program's locations then
// draws correctly with any other program: the sky box is built with the camera
// program and drawn with the projection program, the blur quad is built with
// the blur program and drawn with the note program. GLSL 1.50 has no layout
// locations for vertex inputs, and the linker's own choice differs between
// programs, so the binding is made here and not in the shader sources.
namespace attributeLocations {

constexpr GLuint position = 0;
constexpr GLuint normal = 1;
constexpr GLuint uv = 2;
constexpr GLuint tangent = 3;
constexpr GLuint boneId = 4;
constexpr GLuint boneWeight = 5;

} // namespace attributeLocations
