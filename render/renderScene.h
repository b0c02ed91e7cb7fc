#pragma once

struct FrameRequest;
struct GlowArea;

// One frame of the game world as the request has it, drawn after the depth
// passes and before the glow is blurred. Expects the default framebuffer
// bound, the window viewport, depth testing on, blending and face culling
// off; each of its passes sets its own target, viewport, clears, depth test
// and polygon offset. Draws,
// unless wireframe is on, into the scene target: the lit objects with the
// level's spotlights (counting and, when asked, reporting the culled ones),
// the sky box where none of them stands, the pillar stacks' boxes back to
// front and the light cones; then the glowing objects into the effect image
// over the scene's depth; then, on the screen, the scene plus last frame's
// blurred glow and the notices on top. The scene and effect images take the
// lower-left corner of their targets that the viewport names; the screen is
// drawn whole, at the window's size. In wireframe mode the scene goes
// straight to the screen, at full size, and is not composed.
// Objects the registry does not hold are left out. Returns the lit draws
// that were culled (and prints that count every frame when asked).
// With glowArea, also where the effect image can glow.
int renderScene(const FrameRequest& frame, GlowArea* glowArea = nullptr);

// Makes the camera program current, as the frame's lit pass expects.
void useCameraShader();
