// instruments: the sky box's tileable wallpaper of musical instruments and
// notes in bright colours on a deep blue-violet night, four repeats a side.
#include "pictures/Textures.h"

#include "Noise.h"
#include "pictures/Font.h"
#include "pictures/Shapes.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace assetgen::pictures {

namespace {

constexpr int size = 1024;
constexpr int cells = 4;

// A shape in its own frame: one unit is the instrument's size on the canvas.
using LocalShape = std::function<float(Point)>;

struct Layer {
    LocalShape shape;
    float shade; // 1 the instrument's colour, lower for details
};

std::vector<Layer> guitar()
{
    auto body = [](Point p) {
        return smoothUnite(circle(p, {0, 0.38f}, 0.34f), circle(p, {0, 0.0f}, 0.25f), 0.12f);
    };
    return {
        {[=](Point p) { return subtract(unite(body(p), box(p, {0, -0.55f}, 0.055f, 0.36f)), circle(p, {0, 0.12f}, 0.09f)); }, 1.0f},
        {[](Point p) { return box(p, {0, -0.98f}, 0.09f, 0.1f, 0.03f); }, 0.8f},
        {[](Point p) { return ring(p, {0, 0.12f}, 0.11f, 0.025f); }, 0.6f},
        {[](Point p) { return box(p, {0, 0.48f}, 0.13f, 0.025f); }, 0.55f},
        {[](Point p) { return box(p, {0, -0.2f}, 0.012f, 0.68f); }, 0.55f},
    };
}

std::vector<Layer> drum()
{
    std::vector<Layer> layers = {
        {[](Point p) { return segment(p, {-0.55f, -0.95f}, {0.12f, -0.3f}, 0.035f); }, 0.85f},
        {[](Point p) { return segment(p, {0.55f, -0.95f}, {-0.12f, -0.3f}, 0.035f); }, 0.85f},
        {[](Point p) { return unite(box(p, {0, 0.05f}, 0.5f, 0.3f), ellipse(p, {0, 0.35f}, 0.5f, 0.12f)); }, 1.0f},
        {[](Point p) { return ellipse(p, {0, -0.25f}, 0.5f, 0.13f); }, 0.7f},
    };
    for (int i = 0; i < 6; ++i) {
        float x0 = -0.42f + i * 0.168f;
        layers.push_back({[=](Point p) { return segment(p, {x0, -0.15f}, {x0 + 0.084f, 0.35f}, 0.018f); }, 0.55f});
        layers.push_back({[=](Point p) { return segment(p, {x0 + 0.084f, 0.35f}, {x0 + 0.168f, -0.15f}, 0.018f); }, 0.55f});
    }
    return layers;
}

std::vector<Layer> trumpet()
{
    auto bell = [](Point p) {
        float t = std::clamp((p.x - 0.2f) / 0.5f, 0.0f, 1.0f);
        float half = 0.05f + 0.25f * t * t;
        return std::max(std::fabs(p.y) - half, std::max(0.2f - p.x, p.x - 0.7f)) * 0.9f;
    };
    return {
        {[=](Point p) {
             float d = unite(bell(p), ellipse(p, {0.7f, 0}, 0.05f, 0.3f));
             d = unite(d, box(p, {-0.2f, 0}, 0.45f, 0.045f));
             d = unite(d, std::fabs(box(p, {-0.05f, 0.1f}, 0.3f, 0.13f, 0.1f)) - 0.035f);
             d = unite(d, box(p, {-0.7f, 0}, 0.06f, 0.03f));
             return unite(d, circle(p, {-0.77f, 0}, 0.055f));
         }, 1.0f},
        {[](Point p) {
             float d = box(p, {-0.14f, -0.13f}, 0.03f, 0.11f);
             d = unite(d, box(p, {-0.02f, -0.13f}, 0.03f, 0.11f));
             return unite(d, box(p, {0.1f, -0.13f}, 0.03f, 0.11f));
         }, 0.75f},
        {[](Point p) {
             float d = circle(p, {-0.14f, -0.26f}, 0.045f);
             d = unite(d, circle(p, {-0.02f, -0.26f}, 0.045f));
             return unite(d, circle(p, {0.1f, -0.26f}, 0.045f));
         }, 1.0f},
    };
}

std::vector<Layer> keyboard()
{
    std::vector<Layer> layers = {
        {[](Point p) { return box(p, {0, 0}, 0.75f, 0.3f, 0.05f); }, 1.0f},
        {[](Point p) { return box(p, {0, -0.24f}, 0.72f, 0.04f); }, 0.45f},
    };
    for (int i = 1; i < 10; ++i) {
        float x = -0.7f + i * 0.14f;
        layers.push_back({[=](Point p) { return box(p, {x, 0.04f}, 0.008f, 0.22f); }, 0.5f});
    }
    for (int i : {0, 1, 3, 4, 5, 7, 8}) {
        float x = -0.7f + (i + 1) * 0.14f;
        layers.push_back({[=](Point p) { return box(p, {x, -0.04f}, 0.04f, 0.14f, 0.01f); }, 0.3f});
    }
    return layers;
}

std::vector<Layer> tambourine()
{
    std::vector<Layer> layers = {
        {[](Point p) { return circle(p, {0, 0}, 0.36f); }, 0.45f},
        {[](Point p) { return ring(p, {0, 0}, 0.42f, 0.13f); }, 1.0f},
    };
    for (int i = 0; i < 5; ++i) {
        float a = i * 2.0f * static_cast<float>(M_PI) / 5.0f + 0.3f;
        Point c{0.42f * std::cos(a), 0.42f * std::sin(a)};
        layers.push_back({[=](Point p) { return ellipse(toLocal(p, c, a), {0, 0}, 0.05f, 0.09f); }, 0.65f});
    }
    return layers;
}

std::vector<Layer> maracas()
{
    return {
        {[](Point p) { return segment(p, {-0.2f, 0.05f}, {-0.05f, 0.75f}, 0.04f); }, 0.7f},
        {[](Point p) { return segment(p, {0.22f, 0.1f}, {0.1f, 0.8f}, 0.04f); }, 0.7f},
        {[](Point p) { return ellipse(p, {-0.25f, -0.2f}, 0.22f, 0.3f); }, 1.0f},
        {[](Point p) { return ellipse(p, {0.26f, -0.14f}, 0.2f, 0.28f); }, 0.9f},
        {[](Point p) { return segment(p, {-0.38f, -0.3f}, {-0.12f, -0.3f}, 0.02f); }, 0.6f},
        {[](Point p) { return segment(p, {0.14f, -0.24f}, {0.38f, -0.24f}, 0.02f); }, 0.6f},
    };
}

// Draws a shape centred at c, turned by angle and scaled to `unit` pixels.
void drawInstrument(Canvas& canvas, const std::vector<Layer>& layers, Point c, float angle, float unit, Color colour)
{
    for (const Layer& layer : layers)
        canvas.fillShape(
            [&](float x, float y) {
                Point local = toLocal({x, y}, c, angle);
                return layer.shape({local.x / unit, local.y / unit}) * unit;
            },
            c.x - unit * 1.3f, c.y - unit * 1.3f, c.x + unit * 1.3f, c.y + unit * 1.3f, scaled(colour, layer.shade), 0.92f);
}

void drawSparkle(Canvas& canvas, Point c, float radius, float opacity)
{
    canvas.fillShape([&](float x, float y) {
        Point p{x - c.x, y - c.y};
        return unite(ellipse(p, {0, 0}, radius, radius * 0.18f), ellipse(p, {0, 0}, radius * 0.18f, radius));
    }, c.x - radius - 2, c.y - radius - 2, c.x + radius + 2, c.y + radius + 2, {1, 1, 1}, opacity);
}

} // namespace

Canvas makeInstrumentPattern()
{
    noise::PeriodicNoise noise(88);
    Canvas canvas(size, size, {0, 0, 0}, true);
    const Color deep = hex(0x140a33), blue = hex(0x0b1f52), glow = hex(0x3b1763);
    canvas.paint([&](float x, float y) {
        float u = x / size, v = y / size;
        Color c = mix(deep, blue, noise.fractal(u, v, 2, 5));
        return mix(c, glow, std::clamp((noise.fractal(u + 0.3f, v + 0.6f, 3, 4) - 0.5f) * 2.0f, 0.0f, 0.7f));
    });
    for (int i = 0; i < 60; ++i)
        drawSparkle(canvas, {noise.hash(i, 7) * size, noise.hash(i, 8) * size}, 4.0f + 8.0f * noise.hash(i, 9),
            0.35f + 0.4f * noise.hash(i, 10));

    const Color palette[] = {hex(0xff6ec7), hex(0x5ee7ff), hex(0xffd95e), hex(0xc9a7ff), hex(0x7dffb3)};
    // The order in which the instrument cells are filled: every kind at least once.
    const std::function<std::vector<Layer>()> instruments[] = {guitar, trumpet, drum, maracas, keyboard, tambourine, trumpet, guitar};
    const char* notes[] = {"\u266A", "\u266B", "\u266C", "\u2669"};
    Font noteFont("DejaVuSans-Bold.ttf", 140);
    const float cell = static_cast<float>(size) / cells;
    int item = 0, instrument = 0;
    for (int row = 0; row < cells; ++row)
        for (int column = 0; column < cells; ++column, ++item) {
            Point c{(column + 0.5f + (noise.hash(column, row + 40) - 0.5f) * 0.35f) * cell,
                (row + 0.5f + (noise.hash(column + 40, row) - 0.5f) * 0.35f) * cell};
            Color colour = palette[(item * 3 + row) % 5];
            // Every other cell on a chequer holds a note, the others an instrument.
            if ((row + column) % 2 == 1) {
                const char* note = notes[(item / 2) % 4];
                noteFont.drawCentred(canvas, note, c.x, c.y + 52.0f, colour, 0.9f);
            } else {
                float angle = (noise.hash(column, row) - 0.5f) * 1.1f;
                float unit = cell * (0.42f + 0.08f * noise.hash(row, column + 9));
                drawInstrument(canvas, instruments[instrument++](), c, angle, unit, colour);
            }
        }
    return canvas;
}

} // namespace assetgen::pictures
