#include "music/Pattern.h"

#include <algorithm>

namespace assetgen::music {

void addGrid(Part& part, double firstBeat, const std::string& grid, int key, int velocity, double length,
    const Feel& feel, Random& random)
{
    int step = 0;
    for (char c : grid) {
        if (c == ' ')
            continue;
        double scale = 0.0;
        switch (c) {
        case 'X': scale = 1.25; break;
        case 'x': scale = 1.0; break;
        case 'o': scale = 0.65; break;
        case 'g': scale = 0.35; break;
        default: break;
        }
        if (scale > 0.0) {
            double beat = firstBeat + step * 0.25 + (step % 2 == 1 ? feel.swing : 0.0);
            beat += feel.timingJitter * random.bipolar();
            int v = static_cast<int>(velocity * scale) + (feel.velocityJitter ? random.range(-feel.velocityJitter, feel.velocityJitter) : 0);
            part.add(std::max(0.0, beat), length, key, std::clamp(v, 1, 127));
        }
        ++step;
    }
}

} // namespace assetgen::music
