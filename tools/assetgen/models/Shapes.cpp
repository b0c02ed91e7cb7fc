#include "Shapes.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

namespace assetgen::models {

namespace {

constexpr float twoPi = glm::two_pi<float>();

glm::vec3 faceNormal(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c)
{
    glm::vec3 n = glm::cross(b - a, c - a);
    float length = glm::length(n);
    return length > 0.0f ? n / length : glm::vec3(0, 1, 0);
}

// Shapes are built in their own frame and moved into place afterwards, so
// every primitive shares the transform handling of Mesh.
struct Placed {
    Mesh& mesh;
    std::size_t firstVertex, firstIndex;
    explicit Placed(Mesh& target) : mesh(target), firstVertex(target.vertexCount()), firstIndex(target.indices.size()) {}
    void finish(const glm::mat4& transform) { mesh.transformRange(firstVertex, firstIndex, transform); }
};

} // namespace

void addQuad(Mesh& mesh, const glm::vec3& p0, const glm::vec3& p1, const glm::vec3& p2, const glm::vec3& p3,
    const UvRect& uv)
{
    glm::vec3 n = faceNormal(p0, p1, p3);
    std::uint32_t a = mesh.addVertex(p0, n, uv.at(0, 0));
    std::uint32_t b = mesh.addVertex(p1, n, uv.at(1, 0));
    std::uint32_t c = mesh.addVertex(p2, n, uv.at(1, 1));
    std::uint32_t d = mesh.addVertex(p3, n, uv.at(0, 1));
    mesh.addTriangle(a, b, c);
    mesh.addTriangle(a, c, d);
}

void addTiledRect(Mesh& mesh, const glm::vec3& corner, const glm::vec3& alongS, const glm::vec3& alongT,
    const glm::vec2& size, const glm::vec2& tile, const UvRect& uv)
{
    for (float t0 = 0.0f; t0 < size.y - 1e-4f; t0 += tile.y) {
        float t1 = std::fmin(t0 + tile.y, size.y);
        for (float s0 = 0.0f; s0 < size.x - 1e-4f; s0 += tile.x) {
            float s1 = std::fmin(s0 + tile.x, size.x);
            glm::vec3 a = corner + alongS * s0 + alongT * t0, b = corner + alongS * s1 + alongT * t0;
            glm::vec3 c = corner + alongS * s1 + alongT * t1, d = corner + alongS * s0 + alongT * t1;
            addQuad(mesh, a, b, c, d, uv.sub(0.0f, 0.0f, (s1 - s0) / tile.x, (t1 - t0) / tile.y));
        }
    }
}

void addTiledBox(Mesh& mesh, const glm::vec3& lo, const glm::vec3& hi, float tile, const UvRect& uv, unsigned faces)
{
    auto tileOf = [tile](float extent) {
        float count = std::fmax(1.0f, std::round(extent / tile));
        return extent / count;
    };
    glm::vec3 size = hi - lo;
    glm::vec3 t(tileOf(size.x), tileOf(size.y), tileOf(size.z));
    const glm::vec3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    if (faces & PositiveX)
        addTiledRect(mesh, {hi.x, lo.y, hi.z}, -z, y, {size.z, size.y}, {t.z, t.y}, uv);
    if (faces & NegativeX)
        addTiledRect(mesh, {lo.x, lo.y, lo.z}, z, y, {size.z, size.y}, {t.z, t.y}, uv);
    if (faces & PositiveY)
        addTiledRect(mesh, {lo.x, hi.y, hi.z}, x, -z, {size.x, size.z}, {t.x, t.z}, uv);
    if (faces & NegativeY)
        addTiledRect(mesh, {lo.x, lo.y, lo.z}, x, z, {size.x, size.z}, {t.x, t.z}, uv);
    if (faces & PositiveZ)
        addTiledRect(mesh, {lo.x, lo.y, hi.z}, x, y, {size.x, size.y}, {t.x, t.y}, uv);
    if (faces & NegativeZ)
        addTiledRect(mesh, {hi.x, lo.y, lo.z}, -x, y, {size.x, size.y}, {t.x, t.y}, uv);
}

void addBox(Mesh& mesh, const glm::mat4& transform, const glm::vec3& lo, const glm::vec3& hi, const BoxFaces& uv)
{
    Placed placed(mesh);
    float x0 = lo.x, y0 = lo.y, z0 = lo.z, x1 = hi.x, y1 = hi.y, z1 = hi.z;
    addQuad(mesh, {x1, y0, z1}, {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, uv.positiveX);
    addQuad(mesh, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}, uv.negativeX);
    addQuad(mesh, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}, {x0, y1, z0}, uv.positiveY);
    addQuad(mesh, {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}, uv.negativeY);
    addQuad(mesh, {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, uv.positiveZ);
    addQuad(mesh, {x1, y0, z0}, {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, uv.negativeZ);
    placed.finish(transform);
}

void addBox(Mesh& mesh, const glm::mat4& transform, const glm::vec3& min, const glm::vec3& max, const UvRect& uv)
{
    addBox(mesh, transform, min, max, BoxFaces::all(uv));
}

void addLathe(Mesh& mesh, const glm::mat4& transform, const std::vector<glm::vec2>& profile, int segments,
    const UvRect& uv, bool smooth)
{
    if (profile.size() < 2 || segments < 3)
        return;
    Placed placed(mesh);
    std::size_t count = profile.size();
    std::vector<float> along(count, 0.0f);
    for (std::size_t i = 1; i < count; ++i)
        along[i] = along[i - 1] + glm::length(profile[i] - profile[i - 1]);
    float total = along.back() > 0.0f ? along.back() : 1.0f;
    // Outward normal of each profile segment in the (radius, y) plane.
    std::vector<glm::vec2> segmentNormal(count - 1);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        glm::vec2 d = profile[i + 1] - profile[i];
        glm::vec2 n(d.y, -d.x);
        float length = glm::length(n);
        segmentNormal[i] = length > 0.0f ? n / length : glm::vec2(1, 0);
    }
    auto ring = [&](std::size_t point, glm::vec2 normal2) {
        std::uint32_t first = static_cast<std::uint32_t>(mesh.vertexCount());
        for (int j = 0; j <= segments; ++j) {
            float u = static_cast<float>(j) / static_cast<float>(segments);
            // The last column closes the ring: it takes the first one's angle,
            // so both lie at exactly the same place (a turn of 2 pi would not,
            // in floats) and only their texture coordinates differ.
            float angle = twoPi * (static_cast<float>(j % segments) / static_cast<float>(segments) - 0.5f);
            float s = std::sin(angle), c = std::cos(angle);
            glm::vec2 p = profile[point];
            mesh.addVertex({p.x * s, p.y, p.x * c}, glm::normalize(glm::vec3(normal2.x * s, normal2.y, normal2.x * c)),
                uv.at(u, along[point] / total));
        }
        return first;
    };
    auto band = [&](std::uint32_t lower, std::uint32_t upper, std::size_t i) {
        for (int j = 0; j < segments; ++j) {
            std::uint32_t a = lower + j, b = lower + j + 1, c = upper + j + 1, d = upper + j;
            if (profile[i].x > 0.0f)
                mesh.addTriangle(a, b, c);
            if (profile[i + 1].x > 0.0f)
                mesh.addTriangle(a, c, d);
        }
    };
    if (smooth) {
        std::vector<std::uint32_t> rings(count);
        for (std::size_t i = 0; i < count; ++i) {
            glm::vec2 n = i == 0 ? segmentNormal[0]
                : i == count - 1 ? segmentNormal[count - 2]
                                 : glm::normalize(segmentNormal[i - 1] + segmentNormal[i]);
            rings[i] = ring(i, n);
        }
        for (std::size_t i = 0; i + 1 < count; ++i)
            band(rings[i], rings[i + 1], i);
    } else {
        for (std::size_t i = 0; i + 1 < count; ++i) {
            std::uint32_t lower = ring(i, segmentNormal[i]);
            std::uint32_t upper = ring(i + 1, segmentNormal[i]);
            band(lower, upper, i);
        }
    }
    placed.finish(transform);
}

void addCylinder(Mesh& mesh, const glm::mat4& transform, float radius, float y0, float y1, int segments,
    const UvRect& uv)
{
    addLathe(mesh, transform, {{0, y0}, {radius, y0}, {radius, y1}, {0, y1}}, segments, uv, false);
}

void addSphere(Mesh& mesh, const glm::mat4& transform, float radius, int segments, int rings, const UvRect& uv)
{
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= rings; ++i) {
        float phi = glm::pi<float>() * static_cast<float>(i) / static_cast<float>(rings);
        profile.emplace_back(radius * std::sin(phi), -radius * std::cos(phi));
    }
    profile.front().x = 0.0f;
    profile.back().x = 0.0f;
    addLathe(mesh, transform, profile, segments, uv, true);
}

void addRod(Mesh& mesh, const glm::vec3& a, const glm::vec3& b, float radius, int segments, const UvRect& uv)
{
    glm::vec3 axis = b - a;
    float length = glm::length(axis);
    if (length <= 0.0f)
        return;
    glm::vec3 y = axis / length;
    glm::vec3 helper = std::fabs(y.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    glm::vec3 x = glm::normalize(glm::cross(helper, y));
    glm::vec3 z = glm::cross(x, y);
    glm::mat4 frame(glm::vec4(x, 0), glm::vec4(y, 0), glm::vec4(z, 0), glm::vec4(a, 1));
    addCylinder(mesh, frame, radius, 0.0f, length, segments, uv);
}

void addTorus(Mesh& mesh, const glm::mat4& transform, float majorRadius, float minorRadius, int segments,
    int sides, const UvRect& uv)
{
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= sides; ++i) {
        float a = twoPi * static_cast<float>(i) / static_cast<float>(sides) - glm::half_pi<float>();
        profile.emplace_back(majorRadius + minorRadius * std::cos(a), minorRadius * std::sin(a));
    }
    // The profile ends where it starts, exactly, so the tube has no seam.
    profile.back() = profile.front();
    addLathe(mesh, transform, profile, segments, uv, true);
}

void addPolygon(Mesh& mesh, const glm::mat4& transform, const std::vector<glm::vec2>& outline, float z,
    const UvRect& uv)
{
    if (outline.size() < 3)
        return;
    Placed placed(mesh);
    glm::vec2 lo(outline[0]), hi(outline[0]), centre(0.0f);
    for (const glm::vec2& p : outline) {
        lo = glm::min(lo, p);
        hi = glm::max(hi, p);
        centre += p;
    }
    centre /= static_cast<float>(outline.size());
    glm::vec2 size = glm::max(hi - lo, glm::vec2(1e-6f));
    auto uvOf = [&](glm::vec2 p) { return uv.at((p.x - lo.x) / size.x, (p.y - lo.y) / size.y); };
    std::uint32_t middle = mesh.addVertex({centre, z}, {0, 0, 1}, uvOf(centre));
    std::uint32_t first = static_cast<std::uint32_t>(mesh.vertexCount());
    for (const glm::vec2& p : outline)
        mesh.addVertex({p, z}, {0, 0, 1}, uvOf(p));
    auto n = static_cast<std::uint32_t>(outline.size());
    for (std::uint32_t i = 0; i < n; ++i)
        mesh.addTriangle(middle, first + i, first + (i + 1) % n);
    placed.finish(transform);
}

void addPrism(Mesh& mesh, const glm::mat4& transform, const std::vector<glm::vec2>& outline, float z0, float z1,
    const UvRect& front, const UvRect& back, const UvRect& side)
{
    if (outline.size() < 3)
        return;
    Placed placed(mesh);
    addPolygon(mesh, glm::mat4(1.0f), outline, z1, front);
    // The back is the front turned about the y axis, so its texture reads
    // the right way round from behind.
    std::vector<glm::vec2> mirrored(outline.rbegin(), outline.rend());
    for (auto& p : mirrored)
        p.x = -p.x;
    std::size_t backVertex = mesh.vertexCount();
    addPolygon(mesh, glm::mat4(1.0f), mirrored, 0.0f, back);
    for (std::size_t i = backVertex; i < mesh.vertexCount(); ++i) {
        glm::vec3& p = mesh.positions[i];
        p = {-p.x, p.y, z0};
        mesh.normals[i] = {0, 0, -1};
    }
    float perimeter = 0.0f;
    std::size_t n = outline.size();
    for (std::size_t i = 0; i < n; ++i)
        perimeter += glm::length(outline[(i + 1) % n] - outline[i]);
    float run = 0.0f;
    for (std::size_t i = 0; i < n; ++i) {
        glm::vec2 a = outline[i], b = outline[(i + 1) % n];
        float next = run + glm::length(b - a);
        addQuad(mesh, {a, z0}, {b, z0}, {b, z1}, {a, z1}, side.sub(run / perimeter, 0, next / perimeter, 1));
        run = next;
    }
    placed.finish(transform);
}

std::vector<glm::vec2> archOutline(float width, float shoulderHeight, int arcSegments)
{
    float r = width * 0.5f;
    std::vector<glm::vec2> outline{{-r, 0}, {r, 0}};
    for (int i = 0; i <= arcSegments; ++i) {
        float a = glm::pi<float>() * static_cast<float>(i) / static_cast<float>(arcSegments);
        outline.emplace_back(r * std::cos(a), shoulderHeight + r * std::sin(a));
    }
    return outline;
}

std::vector<glm::vec2> roundedRectOutline(float width, float height, float cornerRadius, int cornerSegments)
{
    std::vector<glm::vec2> outline;
    float hx = width * 0.5f - cornerRadius, hy = height * 0.5f - cornerRadius;
    glm::vec2 centres[4] = {{hx, -hy}, {hx, hy}, {-hx, hy}, {-hx, -hy}};
    for (int corner = 0; corner < 4; ++corner) {
        for (int i = 0; i <= cornerSegments; ++i) {
            float a = glm::half_pi<float>() * (static_cast<float>(corner) - 1.0f
                + static_cast<float>(i) / static_cast<float>(cornerSegments));
            outline.push_back(centres[corner] + cornerRadius * glm::vec2(std::cos(a), std::sin(a)));
        }
    }
    return outline;
}

} // namespace assetgen::models
