#pragma once

namespace platform {

// Call before glfwInit. GLFW 3.4 tries Wayland first, and without a Wayland
// session (an X desktop, Xvfb, SSH, a chroot) the Wayland client library
// prints "XDG_RUNTIME_DIR is invalid or not set" on stderr while GLFW looks.
// When neither WAYLAND_DISPLAY nor WAYLAND_SOCKET names a compositor, this
// asks GLFW for X11 directly. GLFW versions without the choice only know X11.
void chooseWindowSystem();

} // namespace platform
