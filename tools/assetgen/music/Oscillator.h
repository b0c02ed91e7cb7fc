#pragma once

namespace assetgen::music {

// A band-limited sawtooth and square (polynomial band-limited steps), with a
// continuous phase so that the frequency may glide.
class Oscillator {
public:
    enum class Shape { Saw, Square };

    explicit Oscillator(Shape shape, double startPhase = 0.0) : shape(shape), phase(startPhase) {}

    float next(double frequency);

private:
    Shape shape;
    double phase;
};

} // namespace assetgen::music
