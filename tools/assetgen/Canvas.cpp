#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Color mix(Color a, Color b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color scaled(Color c, float factor)
{
    return {c.r * factor, c.g * factor, c.b * factor};
}

Color hex(unsigned rgb)
{
    return {((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f};
}

Canvas::Canvas(int width, int height, Color background, bool tileable)
    : w(width)
    , h(height)
    , wraps(tileable)
    , pixels(static_cast<size_t>(width) * height, background)
{
}

void Canvas::blend(int x, int y, Color color, float alpha)
{
    if (wraps) {
        x = ((x % w) + w) % w;
        y = ((y % h) + h) % h;
    } else if (x < 0 || y < 0 || x >= w || y >= h) {
        return;
    }
    Color& p = at(x, y);
    p = mix(p, color, std::clamp(alpha, 0.0f, 1.0f));
}

void Canvas::paint(const std::function<Color(float x, float y)>& shader)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            at(x, y) = shader(x + 0.5f, y + 0.5f);
}

void Canvas::fillShape(const std::function<float(float x, float y)>& distance, float left, float top, float right,
    float bottom, Color color, float opacity)
{
    int x0 = static_cast<int>(std::floor(left)) - 1, x1 = static_cast<int>(std::ceil(right)) + 1;
    int y0 = static_cast<int>(std::floor(top)) - 1, y1 = static_cast<int>(std::ceil(bottom)) + 1;
    if (!wraps) {
        x0 = std::max(x0, 0);
        y0 = std::max(y0, 0);
        x1 = std::min(x1, w);
        y1 = std::min(y1, h);
    }
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float coverage = std::clamp(0.5f - distance(x + 0.5f, y + 0.5f), 0.0f, 1.0f);
            if (coverage > 0.0f)
                blend(x, y, color, coverage * opacity);
        }
}

Canvas Canvas::resampled(int width, int height) const
{
    Canvas out(width, height, {0, 0, 0}, wraps);
    auto sample = [&](float x, float y) {
        // Pixel centres of the source lie at i + 0.5.
        x = std::clamp(x - 0.5f, 0.0f, float(w - 1));
        y = std::clamp(y - 0.5f, 0.0f, float(h - 1));
        int x0 = int(x), y0 = int(y);
        int x1 = std::min(x0 + 1, w - 1), y1 = std::min(y0 + 1, h - 1);
        float fx = x - x0, fy = y - y0;
        return mix(mix(at(x0, y0), at(x1, y0), fx), mix(at(x0, y1), at(x1, y1), fx), fy);
    };
    const float sx = float(w) / width, sy = float(h) / height;
    out.paint([&](float x, float y) { return sample(x * sx, y * sy); });
    return out;
}

} // namespace assetgen
