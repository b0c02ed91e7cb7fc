#pragma once

// Signed distances (negative inside) of simple shapes, in the units of the
// point given, for drawing with Canvas::fillShape and for combining.
namespace assetgen::pictures {

struct Point {
    float x, y;
};

// Expresses p in a frame centred on centre and turned by angle (radians).
Point toLocal(Point p, Point centre, float angle);

float circle(Point p, Point centre, float radius);
// An axis-aligned box given by its centre and half sizes, corners rounded by radius.
float box(Point p, Point centre, float halfWidth, float halfHeight, float radius = 0.0f);
// A stroke of width 2 × radius from a to b with round ends.
float segment(Point p, Point a, Point b, float radius);
// An ellipse (approximate distance, exact on its outline).
float ellipse(Point p, Point centre, float radiusX, float radiusY);
// A ring of the given thickness around a circle of the given radius.
float ring(Point p, Point centre, float radius, float thickness);

float unite(float a, float b);
float subtract(float from, float cut);
// A union that blends the shapes over k.
float smoothUnite(float a, float b, float k);

} // namespace assetgen::pictures
