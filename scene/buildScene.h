#pragma once

#include <glm/glm.hpp>

struct GLFWwindow;

// Builds the whole game world once, before the first frame: every shader
// program, texture, song, scene object, spotlight, light cone and render
// target, each stored in its registry global; places the camera for the intro
// (its projection for the window's size) and names the window. The
// whole-frame targets take the target size, within what the renderer can
// allocate. Returns with the effect framebuffer bound.
void buildScene(GLFWwindow* window, glm::ivec2 windowSize, glm::ivec2 targetSize);

// The first step of buildScene alone: every shader program of the registry,
// from "OpenGL/Shader/".
void buildShaderPrograms();
