#include "music/Mastering.h"

#include "music/Biquad.h"
#include "music/Effects.h"
#include "music/MusicalTime.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <stdexcept>

namespace assetgen::music {

double fromDb(double db)
{
    return std::pow(10.0, db / 20.0);
}

double loudnessDb(const StereoBuffer& buffer)
{
    StereoBuffer weighted = buffer;
    highShelf(weighted, 1500.0, 4.0);
    highPass(weighted, 60.0, 0.5);
    const int64_t block = static_cast<int64_t>(0.4 * sampleRate);
    const int64_t hop = block / 4;
    std::vector<double> energies;
    for (int64_t start = 0; start + block <= weighted.frames(); start += hop) {
        double sum = 0.0;
        for (int64_t i = start; i < start + block; ++i)
            sum += double(weighted.left[i]) * weighted.left[i] + double(weighted.right[i]) * weighted.right[i];
        energies.push_back(sum / (2.0 * static_cast<double>(block)));
    }
    auto gatedMean = [&](double gate) {
        double sum = 0.0;
        int count = 0;
        for (double e : energies)
            if (e > gate) {
                sum += e;
                ++count;
            }
        return count ? sum / count : 0.0;
    };
    double ungated = gatedMean(1e-7); // about -70 dB: digital silence does not count
    if (ungated <= 0.0)
        return -std::numeric_limits<double>::infinity();
    return 10.0 * std::log10(gatedMean(ungated * 0.1));
}

void normalizeLoudness(StereoBuffer& buffer, double targetDb)
{
    double loudness = loudnessDb(buffer);
    if (!std::isfinite(loudness))
        throw std::runtime_error("cannot set the level of a silent track");
    buffer.scale(static_cast<float>(fromDb(targetDb - loudness)));
}

void highPassLoop(StereoBuffer& loop, double frequency)
{
    Biquad left, right;
    left.setHighPass(frequency, 0.707);
    right.setHighPass(frequency, 0.707);
    // The first lap only settles the filters; the second one writes.
    for (int64_t i = 0; i < loop.frames(); ++i) {
        left.process(loop.left[i]);
        right.process(loop.right[i]);
    }
    for (int64_t i = 0; i < loop.frames(); ++i) {
        loop.left[i] = left.process(loop.left[i]);
        loop.right[i] = right.process(loop.right[i]);
    }
}

std::vector<double> limiterGain(const std::vector<double>& level, double ceiling, double releaseMs)
{
    const int64_t n = static_cast<int64_t>(level.size());
    if (n == 0)
        return {};
    const int64_t lookAhead = static_cast<int64_t>(0.002 * sampleRate);
    std::vector<double> needed(static_cast<size_t>(n));
    for (int64_t i = 0; i < n; ++i)
        needed[i] = level[i] > ceiling ? ceiling / level[i] : 1.0;
    // The smallest gain needed within the look-ahead window, circularly
    // (a monotonic queue keeps this linear in the loop's length).
    std::vector<double> windowMin(static_cast<size_t>(n));
    std::deque<int64_t> queue;
    for (int64_t j = n + lookAhead; j >= 0; --j) {
        double value = needed[j % n];
        while (!queue.empty() && needed[queue.back() % n] >= value)
            queue.pop_back();
        queue.push_back(j);
        while (queue.front() > j + lookAhead)
            queue.pop_front();
        if (j < n)
            windowMin[j] = needed[queue.front() % n];
    }
    // A moving average over the same window turns each drop into a ramp that
    // still reaches the needed gain by the peak; then a slow recovery. Two
    // laps, so the seam sees a settled state.
    std::vector<double> ramp(static_cast<size_t>(n));
    double sum = 0.0;
    for (int64_t k = -lookAhead; k <= 0; ++k)
        sum += windowMin[((k % n) + n) % n];
    for (int64_t i = 0; i < n; ++i) {
        ramp[i] = sum / static_cast<double>(lookAhead + 1);
        sum += windowMin[(i + 1) % n] - windowMin[((i - lookAhead) % n + n) % n];
    }
    const double release = std::exp(-1.0 / (releaseMs * 0.001 * sampleRate));
    std::vector<double> gain(static_cast<size_t>(n));
    double g = 1.0;
    for (int lap = 0; lap < 2; ++lap)
        for (int64_t i = 0; i < n; ++i) {
            g = ramp[i] < g ? ramp[i] : g + (ramp[i] - g) * (1.0 - release);
            gain[i] = g;
        }
    return gain;
}

void limitLoop(StereoBuffer& loop, double ceiling, double releaseMs)
{
    std::vector<double> level(static_cast<size_t>(loop.frames()));
    for (int64_t i = 0; i < loop.frames(); ++i)
        level[i] = std::max(std::fabs(loop.left[i]), std::fabs(loop.right[i]));
    std::vector<double> gain = limiterGain(level, ceiling, releaseMs);
    for (int64_t i = 0; i < loop.frames(); ++i) {
        loop.left[i] = static_cast<float>(loop.left[i] * gain[i]);
        loop.right[i] = static_cast<float>(loop.right[i] * gain[i]);
    }
}

void limitTogether(const std::vector<StereoBuffer*>& tracks, double ceiling, double maxReductionDb, double releaseMs)
{
    std::vector<double> level = combinationPeaks({tracks.begin(), tracks.end()});
    double highest = level.empty() ? 0.0 : *std::max_element(level.begin(), level.end());
    if (highest <= 0.0)
        throw std::runtime_error("cannot set the level of silent tracks");
    // The common gain lets the loudest moments exceed the ceiling by at most
    // maxReductionDb; the shared limiter takes that back at those moments.
    double gain = ceiling * fromDb(maxReductionDb) / highest;
    for (double& l : level)
        l *= gain;
    std::vector<double> shared = limiterGain(level, ceiling, releaseMs);
    for (StereoBuffer* track : tracks)
        for (int64_t i = 0; i < track->frames(); ++i) {
            // One factor for every track: each combination stays under the ceiling.
            float g = static_cast<float>(gain * shared[i]);
            track->left[i] *= g;
            track->right[i] *= g;
        }
}

std::vector<double> combinationPeaks(const std::vector<const StereoBuffer*>& tracks)
{
    if (tracks.empty())
        return {};
    const int64_t n = tracks.front()->frames();
    for (const StereoBuffer* track : tracks)
        if (track->frames() != n)
            throw std::runtime_error("tracks of different lengths cannot be combined");
    std::vector<double> peaks(static_cast<size_t>(n));
    for (int64_t i = 0; i < n; ++i) {
        double posL = 0, negL = 0, posR = 0, negR = 0;
        for (const StereoBuffer* track : tracks) {
            float l = track->left[i], r = track->right[i];
            (l > 0 ? posL : negL) += std::fabs(l);
            (r > 0 ? posR : negR) += std::fabs(r);
        }
        peaks[i] = std::max({posL, negL, posR, negR});
    }
    return peaks;
}

double worstCombinationPeak(const std::vector<const StereoBuffer*>& tracks)
{
    std::vector<double> peaks = combinationPeaks(tracks);
    return peaks.empty() ? 0.0 : *std::max_element(peaks.begin(), peaks.end());
}

} // namespace assetgen::music
