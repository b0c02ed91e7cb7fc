#pragma once

namespace plim::scene {
class Cube;
}

// llvmpipe turns a program into machine code for the GL state of the first
// draw that uses it, and keeps that code in Mesa's shader cache on disk. On
// a player's first run the cache is empty, and the spotlight-slot variants
// of the camera program would first be built in the frame where level 1's
// lights come on: the game would stand still there for most of a second.
// Draws the box once with each variant, in the lit pass's opaque and
// see-through states, folded to a single point so that nothing shows; the
// first time only, and again after the programs were built anew. Call it in
// the lit pass, with the frame's depth maps bound (uploadSpotlightSlots).
void primeSlotVariants(plim::scene::Cube& box);
