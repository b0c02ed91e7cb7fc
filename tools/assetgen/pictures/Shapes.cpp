#include "pictures/Shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen::pictures {

Point toLocal(Point p, Point centre, float angle)
{
    float dx = p.x - centre.x, dy = p.y - centre.y;
    float c = std::cos(angle), s = std::sin(angle);
    return {dx * c + dy * s, -dx * s + dy * c};
}

float circle(Point p, Point centre, float radius)
{
    return std::hypot(p.x - centre.x, p.y - centre.y) - radius;
}

float box(Point p, Point centre, float halfWidth, float halfHeight, float radius)
{
    float dx = std::fabs(p.x - centre.x) - (halfWidth - radius);
    float dy = std::fabs(p.y - centre.y) - (halfHeight - radius);
    float outside = std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f));
    return outside + std::min(std::max(dx, dy), 0.0f) - radius;
}

float segment(Point p, Point a, Point b, float radius)
{
    float px = p.x - a.x, py = p.y - a.y, bx = b.x - a.x, by = b.y - a.y;
    float t = std::clamp((px * bx + py * by) / std::max(bx * bx + by * by, 1e-9f), 0.0f, 1.0f);
    return std::hypot(px - bx * t, py - by * t) - radius;
}

float ellipse(Point p, Point centre, float radiusX, float radiusY)
{
    float x = (p.x - centre.x) / radiusX, y = (p.y - centre.y) / radiusY;
    float k = std::hypot(x, y);
    // Scale the normalised distance back by the local radius.
    float gradient = std::hypot(x / radiusX, y / radiusY);
    return k > 0.0f ? (k - 1.0f) * k / std::max(gradient, 1e-6f) : -std::min(radiusX, radiusY);
}

float ring(Point p, Point centre, float radius, float thickness)
{
    return std::fabs(circle(p, centre, radius)) - thickness / 2.0f;
}

float unite(float a, float b)
{
    return std::min(a, b);
}

float subtract(float from, float cut)
{
    return std::max(from, -cut);
}

float smoothUnite(float a, float b, float k)
{
    float h = std::clamp(0.5f + 0.5f * (b - a) / k, 0.0f, 1.0f);
    return b + (a - b) * h - k * h * (1.0f - h);
}

} // namespace assetgen::pictures
