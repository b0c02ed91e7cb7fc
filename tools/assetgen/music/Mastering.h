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
// together, per frame: for each channel, the larger of the sum of the
// positive samples and the sum of the negative ones. All tracks have equal length.
std::vector<double> combinationPeaks(const std::vector<const StereoBuffer*>& tracks);
// The highest of those over all frames.
double worstCombinationPeak(const std::vector<const StereoBuffer*>& tracks);

// A gain per frame that holds level × gain under ceiling, with a short
// look-ahead and a smooth release; the level is a loop, treated as circular.
std::vector<double> limiterGain(const std::vector<double>& level, double ceiling, double releaseMs);

// Makes loops that play together as loud as they can be while no combination
// of them exceeds ceiling: one common gain, and at the rare moments where
// that would be too loud, one shared limiter, at most maxReductionDb deep,
// on all of them alike.
void limitTogether(const std::vector<StereoBuffer*>& tracks, double ceiling, double maxReductionDb, double releaseMs = 60.0);

double fromDb(double db);

} // namespace assetgen::music
