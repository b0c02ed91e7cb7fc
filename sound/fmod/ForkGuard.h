#pragma once

namespace FMOD {

class System;

// Keeps fork() safe while systems live: the parent's locks are taken around
// the fork so that no copy is left locked in the child, and the child, which
// has neither the stream thread nor OpenAL's mixer, goes on silently without
// a single call into OpenAL (whose locks the parent's mixer may have held).
class ForkGuard {
public:
    static void add(System& system);
    static void remove(System& system);

private:
    static void prepare();
    static void parent();
    static void child();
};

} // namespace FMOD
