#include "Atlas.h"

#include "../ImageFile.h"

#include <algorithm>
#include <cmath>

namespace assetgen::models {

Canvas atlasCanvas(int size, const glm::vec3& background)
{
    return Canvas(size, size, {background.r, background.g, background.b});
}

void paintCell(Canvas& atlas, const UvRect& cell, const CellShader& shader, int bleed, bool wrap)
{
    const int width = atlas.width(), height = atlas.height();
    float left = std::min(cell.u0, cell.u1) * width, right = std::max(cell.u0, cell.u1) * width;
    float bottom = std::min(cell.v0, cell.v1) * height, top = std::max(cell.v0, cell.v1) * height;
    int x0 = std::max(0, static_cast<int>(std::floor(left)) - bleed);
    int x1 = std::min(width, static_cast<int>(std::ceil(right)) + bleed);
    int v0 = std::max(0, static_cast<int>(std::floor(bottom)) - bleed);
    int v1 = std::min(height, static_cast<int>(std::ceil(top)) + bleed);
    float spanS = (cell.u1 - cell.u0) * width, spanT = (cell.v1 - cell.v0) * height;
    if (spanS == 0.0f || spanT == 0.0f)
        return;
    // v counts rows from the bottom, the canvas from the top.
    for (int v = v0; v < v1; ++v) {
        for (int x = x0; x < x1; ++x) {
            float s = (static_cast<float>(x) + 0.5f - cell.u0 * width) / spanS;
            float t = (static_cast<float>(v) + 0.5f - cell.v0 * height) / spanT;
            if (wrap) {
                s -= std::floor(s);
                t -= std::floor(t);
            } else {
                s = std::clamp(s, 0.0f, 1.0f);
                t = std::clamp(t, 0.0f, 1.0f);
            }
            glm::vec3 c = shader({s, t});
            atlas.at(x, height - 1 - v) = {c.r, c.g, c.b};
        }
    }
}

Bytes atlasJpeg(const Canvas& atlas)
{
    return encodeJpeg(atlas, JfifMarker::Omit);
}

} // namespace assetgen::models
