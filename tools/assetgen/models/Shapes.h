#pragma once

#include "Mesh.h"

#include <glm/glm.hpp>

#include <vector>

// The building blocks every model is made of. Each adds its triangles to a
// mesh, transformed by a matrix, with texture coordinates inside a rectangle
// of the model's atlas. Faces are wound counter-clockwise seen from outside.
namespace assetgen::models {

struct BoxFaces {
    UvRect positiveX, negativeX, positiveY, negativeY, positiveZ, negativeZ;
    static BoxFaces all(const UvRect& rect) { return {rect, rect, rect, rect, rect, rect}; }
};

// p0..p3 counter-clockwise seen from the side the quad faces; p0 gets the
// rectangle's (u0, v0) corner, p2 its (u1, v1) corner.
void addQuad(Mesh& mesh, const glm::vec3& p0, const glm::vec3& p1, const glm::vec3& p2, const glm::vec3& p3,
    const UvRect& uv);
// A rectangle from `corner` spanning size.x along `alongS` and size.y along
// `alongT` (unit vectors; it faces alongS × alongT), cut into tiles of
// `tile` that each show the whole texture rectangle; cut tiles at the far
// edges show the matching part of it.
void addTiledRect(Mesh& mesh, const glm::vec3& corner, const glm::vec3& alongS, const glm::vec3& alongT,
    const glm::vec2& size, const glm::vec2& tile, const UvRect& uv);
void addBox(Mesh& mesh, const glm::mat4& transform, const glm::vec3& min, const glm::vec3& max, const BoxFaces& uv);
// Faces of an axis-aligned box, to leave out those hidden against a wall.
enum BoxFace : unsigned {
    PositiveX = 1, NegativeX = 2, PositiveY = 4, NegativeY = 8, PositiveZ = 16, NegativeZ = 32, AllFaces = 63
};
// An axis-aligned box whose faces repeat the rectangle in tiles of about
// `tile` units (at least one per face), for long beams and tall pillars.
void addTiledBox(Mesh& mesh, const glm::vec3& min, const glm::vec3& max, float tile, const UvRect& uv,
    unsigned faces = AllFaces);
void addBox(Mesh& mesh, const glm::mat4& transform, const glm::vec3& min, const glm::vec3& max, const UvRect& uv);

// A surface of revolution about the y axis through (radius, y) profile
// points from bottom to top; a radius of 0 closes the surface there. The
// front (+z) lies in the middle of the rectangle's width.
void addLathe(Mesh& mesh, const glm::mat4& transform, const std::vector<glm::vec2>& profile, int segments,
    const UvRect& uv, bool smooth);
void addCylinder(Mesh& mesh, const glm::mat4& transform, float radius, float y0, float y1, int segments,
    const UvRect& uv);
void addSphere(Mesh& mesh, const glm::mat4& transform, float radius, int segments, int rings, const UvRect& uv);
// A closed cylinder from a to b.
void addRod(Mesh& mesh, const glm::vec3& a, const glm::vec3& b, float radius, int segments, const UvRect& uv);
// A ring about the y axis.
void addTorus(Mesh& mesh, const glm::mat4& transform, float majorRadius, float minorRadius, int segments,
    int sides, const UvRect& uv);
// A convex outline in the xy plane (counter-clockwise seen from +z) extruded
// from z0 to z1; the front (z1) and back faces map the outline's bounds onto
// their rectangles.
void addPrism(Mesh& mesh, const glm::mat4& transform, const std::vector<glm::vec2>& outline, float z0, float z1,
    const UvRect& front, const UvRect& back, const UvRect& side);
// The same outline as a single face at z, facing +z.
void addPolygon(Mesh& mesh, const glm::mat4& transform, const std::vector<glm::vec2>& outline, float z,
    const UvRect& uv);

// An arch-topped outline: a rectangle of the given width from y = 0 to
// shoulder height, closed by a half circle.
std::vector<glm::vec2> archOutline(float width, float shoulderHeight, int arcSegments);
// A rectangle with rounded corners, centred on the origin.
std::vector<glm::vec2> roundedRectOutline(float width, float height, float cornerRadius, int cornerSegments);

} // namespace assetgen::models
