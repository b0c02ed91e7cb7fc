#include "music/StereoBuffer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen::music {

StereoBuffer::StereoBuffer(int64_t frames)
    : left(static_cast<size_t>(frames), 0.0f)
    , right(static_cast<size_t>(frames), 0.0f)
{
}

void StereoBuffer::mix(const StereoBuffer& other, float gain, int64_t offset)
{
    for (int64_t i = 0; i < other.frames(); ++i) {
        int64_t target = i + offset;
        if (target < 0)
            continue;
        if (target >= frames())
            break;
        left[target] += other.left[i] * gain;
        right[target] += other.right[i] * gain;
    }
}

void StereoBuffer::scale(float gain)
{
    for (float& s : left)
        s *= gain;
    for (float& s : right)
        s *= gain;
}

StereoBuffer StereoBuffer::slice(int64_t first, int64_t count) const
{
    if (first < 0 || count < 0 || first + count > frames())
        throw std::runtime_error("audio slice out of range");
    StereoBuffer result;
    result.left.assign(left.begin() + first, left.begin() + first + count);
    result.right.assign(right.begin() + first, right.begin() + first + count);
    return result;
}

float StereoBuffer::peak() const
{
    float result = 0.0f;
    for (float s : left)
        result = std::max(result, std::fabs(s));
    for (float s : right)
        result = std::max(result, std::fabs(s));
    return result;
}

double StereoBuffer::rms() const
{
    if (left.empty())
        return 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < left.size(); ++i)
        sum += double(left[i]) * left[i] + double(right[i]) * right[i];
    return std::sqrt(sum / (2.0 * static_cast<double>(left.size())));
}

} // namespace assetgen::music
