#pragma once

// The robots' animation clocks, in the animations' own key-time units: part
// of the game state, kept with the scene roster that names each robot's.
extern float robot1TopClock;   // clock A
extern float robot3Clock;      // clock B
extern float flyingRobotClock; // clock C
extern float robot6AClock;     // clock D
extern float robot6BClock;     // clock E
extern float robot6CClock;     // clock F
extern float robot6DClock;     // clock G
