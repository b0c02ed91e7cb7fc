#pragma once

#include <functional>
#include <vector>

namespace assetgen {

struct Color {
    float r, g, b;
};

Color mix(Color a, Color b, float t);
Color scaled(Color c, float factor);
// A colour from 0xRRGGBB.
Color hex(unsigned rgb);

// An RGB picture in floats (0..1), row 0 at the top, that the pictures and the
// model textures are painted on. A tileable canvas wraps whatever is drawn past
// one edge around to the opposite edge, so a repeated texture shows no seams.
class Canvas {
public:
    Canvas(int width, int height, Color background, bool tileable = false);

    int width() const { return w; }
    int height() const { return h; }
    bool tileable() const { return wraps; }

    Color& at(int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; }
    const Color& at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }

    // Mixes colour over a pixel; coordinates outside wrap or are ignored.
    void blend(int x, int y, Color color, float alpha);

    // Fills every pixel from a function of its centre (x + 0.5, y + 0.5).
    void paint(const std::function<Color(float x, float y)>& shader);

    // Draws an anti-aliased shape given by its signed distance in pixels
    // (negative inside) within the box [left, right) × [top, bottom).
    void fillShape(const std::function<float(float x, float y)>& distance, float left, float top, float right,
        float bottom, Color color, float opacity = 1.0f);

    // The picture scaled to another size, bilinearly.
    Canvas resampled(int width, int height) const;

private:
    int w, h;
    bool wraps;
    std::vector<Color> pixels;
};

} // namespace assetgen
