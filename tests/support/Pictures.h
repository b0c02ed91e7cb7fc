#pragma once

#include <string>
#include <vector>

namespace testing_support {

// A picture as RGB bytes, row 0 at the top.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

// A PNG or JPEG file (the bot's screenshots, the game's pictures); empty when
// it does not load.
Picture loadPicture(const std::string& path);

// Mean difference per channel (0..255) between a screenshot and a notice
// picture stretched over the whole screen, as the game shows its notices.
double differenceFromNotice(const Picture& screen, const Picture& notice);

// The largest difference of any channel of any pixel of two pictures of one
// size; 256 when their sizes differ.
int largestDifference(const Picture& a, const Picture& b);

} // namespace testing_support
