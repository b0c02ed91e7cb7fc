#pragma once

// Fills the camera program's five spotlight slots for the frame's lit pass:
// position, colour, cosine of the half-angle and current direction of each
// slot's spotlight, its depth map on texture unit 1 + slot, and "anz", the
// number of slots in use. The level-1 lights go in first; the current level
// then replaces some of them. Before level 1 starts "anz" is left as it is.
// Makes the camera program current; leaves texture unit 5 or the last
// replaced unit active.
void uploadSpotlightSlots();
