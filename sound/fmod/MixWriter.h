#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace FMOD {

// Mixes one loop of MP3 files offline: each file from its first frame,
// repeated within the length of the longest, scaled by volume, written as a
// 16-bit stereo WAV file at 44.1 kHz. Loops that play in time with each
// other come out as they are heard, and the file repeats without a seam.
// It is written under a temporary name beside path and renamed only once
// complete, so a failure (a folder that cannot be written, a full disk)
// leaves nothing under path; a missing folder is made. Returns an empty
// string once saved, else what went wrong. Gives up, leaving nothing, as
// soon as cancel is set.
std::string writeLoopMix(const std::vector<std::string>& files, float volume, const std::string& path,
    const std::atomic<bool>& cancel);

} // namespace FMOD
