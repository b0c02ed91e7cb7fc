#pragma once

#include <cstdint>
#include <vector>

namespace assetgen::music {

// Two channels of 44.1 kHz float samples, nominally within [-1, 1].
class StereoBuffer {
public:
    StereoBuffer() = default;
    explicit StereoBuffer(int64_t frames);

    int64_t frames() const { return static_cast<int64_t>(left.size()); }

    // Adds other × gain, frame by frame, from frame offset on; what runs past the end is dropped.
    void mix(const StereoBuffer& other, float gain = 1.0f, int64_t offset = 0);
    void scale(float gain);
    // The frames [first, first + count).
    StereoBuffer slice(int64_t first, int64_t count) const;
    // Largest absolute sample of either channel.
    float peak() const;
    // Root mean square over both channels.
    double rms() const;

    std::vector<float> left;
    std::vector<float> right;
};

} // namespace assetgen::music
