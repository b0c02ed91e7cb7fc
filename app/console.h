#pragma once

// The console command "PAUSE": lets the player read a fatal message before the
// window disappears. Waits for Enter only when standard input is a terminal, so
// a headless or scripted run never hangs.
void consolePause();

// Runs consolePause and ends the process with exit status -1 (255 in a shell).
// Everything written to std::cout before is flushed first.
[[noreturn]] void pauseAndExit();
