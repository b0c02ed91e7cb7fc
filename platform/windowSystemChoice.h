#pragma once

namespace platform {

// Call before glfwInit. GLFW 3.4 holds both X11 and Wayland and takes Wayland
// whenever a Wayland display is set, also in a Wayland session that offers
// X11 through XWayland. The game prefers X11 wherever DISPLAY names a server:
// there its context is a GLX context as on every X desktop, the window can be
// placed and the cursor is captured as the mouse look expects. Native Wayland
// is used where no X server is offered (WAYLAND_DISPLAY or WAYLAND_SOCKET set,
// DISPLAY not). Without either, X11, which then fails as GLFW fails without a
// display. GLFW versions without the choice only know X11.
void chooseWindowSystem();

// The names a desktop matches the running window with its desktop entry by
// (and so shows its icon): the Wayland app id, and X11's WM_CLASS. Call
// before glfwCreateWindow; hints the GLFW version does not have are left out.
void hintDesktopIdentity(const char* appId, const char* instanceName);

} // namespace platform
