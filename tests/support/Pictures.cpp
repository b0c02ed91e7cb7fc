#include "support/Pictures.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdlib>

namespace testing_support {

Picture loadPicture(const std::string& path)
{
    Picture picture;
    FIBITMAP* loaded = FreeImage_Load(FreeImage_GetFIFFromFilename(path.c_str()), path.c_str(), 0);
    if (!loaded)
        return picture;
    FIBITMAP* image = FreeImage_ConvertTo24Bits(loaded);
    FreeImage_Unload(loaded);
    picture.width = static_cast<int>(FreeImage_GetWidth(image));
    picture.height = static_cast<int>(FreeImage_GetHeight(image));
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    for (int y = 0; y < picture.height; ++y) {
        // FreeImage's rows start at the bottom.
        const BYTE* line = FreeImage_GetScanLine(image, picture.height - 1 - y);
        for (int x = 0; x < picture.width; ++x) {
            unsigned char* out = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
            out[0] = line[x * 3 + FI_RGBA_RED];
            out[1] = line[x * 3 + FI_RGBA_GREEN];
            out[2] = line[x * 3 + FI_RGBA_BLUE];
        }
    }
    FreeImage_Unload(image);
    return picture;
}

double differenceFromNotice(const Picture& screen, const Picture& notice)
{
    double sum = 0.0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            int nx = std::min(notice.width - 1, static_cast<int>((x + 0.5) * notice.width / screen.width));
            int ny = std::min(notice.height - 1, static_cast<int>((y + 0.5) * notice.height / screen.height));
            for (int c = 0; c < 3; ++c)
                sum += std::abs(screen.at(x, y)[c] - notice.at(nx, ny)[c]);
        }
    return sum / (3.0 * screen.width * screen.height);
}

int largestDifference(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height || a.rgb.empty())
        return 256;
    int largest = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        largest = std::max(largest, std::abs(a.rgb[i] - b.rgb[i]));
    return largest;
}

} // namespace testing_support
