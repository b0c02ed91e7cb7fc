#pragma once

#include "music/StereoBuffer.h"

#include <vector>

namespace assetgen::music {

// How loud a buffer sounds while it plays, in dB: the mean square after a
// filter that weighs the spectrum roughly as the ear does (less bass, more
// presence), over 400 ms blocks, ignoring the blocks more than 10 dB below
// the average so that pauses in a line do not count (after ITU-R BS.1770).
double loudnessDb(const StereoBuffer& buffer);

// Scales the buffer so that loudnessDb gives targetDb.
void normalizeLoudness(StereoBuffer& buffer, double targetDb);

// Removes DC and sub-sonic rumble from a loop, filtering it as if it played
// round and round, so the seam is untouched.
void highPassLoop(StereoBuffer& loop, double frequency);

// Holds every peak of a loop under ceiling with a short look-ahead and a smooth
// release. The loop is treated as circular, so the seam stays seamless.
void limitLoop(StereoBuffer& loop, double ceiling, double releaseMs = 60.0);

// The highest level any combination of the tracks can reach when played
// together: per frame and channel, the larger of the sum of the positive
// samples and the sum of the negative ones. All tracks have equal length.
double worstCombinationPeak(const std::vector<const StereoBuffer*>& tracks);

double toDb(double gain);
double fromDb(double db);

} // namespace assetgen::music
