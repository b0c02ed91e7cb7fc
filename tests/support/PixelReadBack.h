#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>

#include <vector>

namespace testing_support {

// Colour read back from a framebuffer: its colour attachment 0, or the
// window's back buffer for framebuffer 0. Tightly packed RGBA or RGB bytes,
// rows from the bottom as glReadPixels gives them (as FreeImage keeps them).
// The framebuffer bound for reading is the same afterwards.
std::vector<unsigned char> readColour(GLuint framebuffer, int x, int y, int width, int height, GLenum format = GL_RGBA);
glm::ivec4 readColourAt(GLuint framebuffer, int x, int y);

// The same from the framebuffer and read buffer that are bound for reading.
std::vector<unsigned char> readBoundColour(int x, int y, int width, int height, GLenum format = GL_RGBA);

} // namespace testing_support
