#pragma once

struct GLFWwindow;

// Builds the whole game world once, before the first frame: every shader
// program, texture, song, scene object, spotlight, light cone and render
// target, each stored in its registry global; places the camera for the intro
// and names the window. Returns with the effect framebuffer bound.
void buildScene(GLFWwindow* window);
