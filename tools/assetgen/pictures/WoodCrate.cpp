// woodBox2: the face of a wooden crate, a frame of four boards and a diagonal
// brace over recessed planks, with grain, knots and nails.
#include "pictures/Textures.h"

#include "Noise.h"
#include "pictures/Shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen::pictures {

namespace {

constexpr int size = 1024;
constexpr float board = 116.0f;
constexpr int planks = 5;

struct BoardPoint {
    int id;          // which board: a different grain and tint per board
    float along;     // distance along the board's length
    float across;    // distance across it from its middle
    float halfWidth; // half the board's width
    bool recessed;   // a plank behind the frame and the brace
};

// The brace runs between the inner corners, bottom left to top right.
const Point braceFrom{board, size - board};
const Point braceTo{size - board, board};

float braceDistance(Point p)
{
    float dx = braceTo.x - braceFrom.x, dy = braceTo.y - braceFrom.y;
    float length = std::hypot(dx, dy);
    return ((p.x - braceFrom.x) * dy - (p.y - braceFrom.y) * dx) / length;
}

BoardPoint boardAt(float x, float y)
{
    if (x < board)
        return {0, y, x - board / 2, board / 2, false};
    if (x >= size - board)
        return {1, y, x - (size - board / 2), board / 2, false};
    if (y < board)
        return {2, x, y - board / 2, board / 2, false};
    if (y >= size - board)
        return {3, x, y - (size - board / 2), board / 2, false};
    float across = braceDistance({x, y});
    if (std::fabs(across) < board / 2) {
        float along = ((x - braceFrom.x) * (braceTo.x - braceFrom.x) + (y - braceFrom.y) * (braceTo.y - braceFrom.y))
            / std::hypot(braceTo.x - braceFrom.x, braceTo.y - braceFrom.y);
        return {4, along, across, board / 2, false};
    }
    float plankHeight = (size - 2 * board) / planks;
    int plank = std::min(planks - 1, static_cast<int>((y - board) / plankHeight));
    float middle = board + (plank + 0.5f) * plankHeight;
    return {5 + plank, x, y - middle, plankHeight / 2, true};
}

// Distance from a recessed plank's point to the nearest raised board.
float distanceToRaised(float x, float y)
{
    float frame = std::min({x - board, size - board - x, y - board, size - board - y});
    return std::max(0.0f, std::min(frame, std::fabs(braceDistance({x, y})) - board / 2));
}

Color woodColour(const BoardPoint& b, const noise::PeriodicNoise& noise)
{
    const Color light = hex(0xc99a5b), dark = hex(0x8a5a2b), deep = hex(0x5e3a1a);
    float seed = b.id * 13.7f;
    // Growth rings: lines along the board, wavering with low-frequency noise.
    float waver = noise.fractal(b.along / 900.0f + seed, b.across / 300.0f + seed * 0.3f, 4, 4) * 60.0f;
    float ring = 0.5f + 0.5f * std::sin((b.across * 0.9f + waver) * 0.35f + seed);
    ring = std::pow(ring, 3.0f);
    float fibre = noise.fractal(b.along / 2048.0f + seed, b.across / 24.0f, 16, 3);
    Color c = mix(light, dark, 0.55f * ring + 0.45f * fibre);
    // A knot or two per board: dark eyes that the rings bend around.
    for (int k = 0; k < 2; ++k) {
        float kx = 150.0f + noise.hash(b.id, k) * 700.0f;
        float ky = (noise.hash(b.id + 50, k) - 0.5f) * b.halfWidth;
        float d = std::hypot((b.along - kx) / 1.8f, b.across - ky);
        if (d < 26.0f)
            c = mix(c, deep, (1.0f - d / 26.0f) * (0.6f + 0.4f * std::sin(d * 0.8f)));
    }
    float tint = 0.9f + 0.2f * noise.hash(b.id, 99);
    return scaled(c, tint);
}

void drawNail(Canvas& canvas, Point at)
{
    canvas.fillShape([&](float x, float y) { return circle({x, y}, {at.x + 2, at.y + 3}, 9.0f); }, at.x - 14, at.y - 12,
        at.x + 16, at.y + 18, hex(0x2b1a0c), 0.45f);
    canvas.fillShape([&](float x, float y) { return circle({x, y}, at, 8.0f); }, at.x - 10, at.y - 10, at.x + 10,
        at.y + 10, hex(0x4a4a4f));
    canvas.fillShape([&](float x, float y) { return circle({x, y}, {at.x - 2.5f, at.y - 2.5f}, 3.0f); }, at.x - 8,
        at.y - 8, at.x + 4, at.y + 4, hex(0xb8b8c0), 0.8f);
}

} // namespace

Canvas makeWoodCrate()
{
    noise::PeriodicNoise noise(2024);
    Canvas canvas(size, size, {0, 0, 0});
    canvas.paint([&](float x, float y) {
        BoardPoint b = boardAt(x, y);
        Color c = woodColour(b, noise);
        // Bevelled edges on every board, darkest at the seams.
        float edge = b.halfWidth - std::fabs(b.across);
        float bevel = std::clamp(edge / 7.0f, 0.0f, 1.0f);
        c = scaled(c, 0.55f + 0.45f * bevel);
        if (b.recessed) {
            // The frame and the brace stand out and shade the planks behind them.
            float d = distanceToRaised(x, y);
            c = scaled(c, 0.62f + 0.38f * (1.0f - std::exp(-d / 22.0f)));
        } else if (b.across < -b.halfWidth + 9.0f) {
            c = scaled(c, 1.08f); // light catches the upper edge
        }
        return c;
    });
    const float inset = board / 2;
    for (Point corner : {Point{inset, inset}, Point{size - inset, inset}, Point{inset, size - inset},
             Point{size - inset, size - inset}})
        for (Point offset : {Point{-22, -22}, Point{22, 22}})
            drawNail(canvas, {corner.x + offset.x, corner.y + offset.y});
    for (float t : {0.3f, 0.7f}) {
        Point on{braceFrom.x + (braceTo.x - braceFrom.x) * t, braceFrom.y + (braceTo.y - braceFrom.y) * t};
        drawNail(canvas, on);
    }
    return canvas;
}

} // namespace assetgen::pictures
