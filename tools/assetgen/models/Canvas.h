#pragma once

#include "../Asset.h"
#include "Mesh.h"

#include <glm/glm.hpp>

#include <functional>
#include <vector>

namespace assetgen::models {

// An RGB picture being painted, with its rows from the bottom up like a
// texture's v axis, so a UV rectangle names the same pixels it samples.
class Canvas {
public:
    Canvas(int width, int height, const glm::vec3& background);

    int width() const { return width_; }
    int height() const { return height_; }
    glm::vec3& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const glm::vec3& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Paints the pixels of a rectangle with shader(s, t, previous colour),
    // (s, t) in [0, 1] across it, sampled at pixel centres. `bleed` pixels
    // around the rectangle are painted too, so mipmaps do not mix
    // neighbouring parts: clamped to the edge, or wrapped for tiles.
    using Shader = std::function<glm::vec3(glm::vec2 st, const glm::vec3& previous)>;
    void paint(const UvRect& rect, const Shader& shader, int bleed = 5, bool wrap = false);

    // Baseline 24-bit JPEG, 4:4:4, the same bytes for the same pixels.
    Bytes toJpeg(int quality = 92) const;

private:
    int width_, height_;
    std::vector<glm::vec3> pixels_;
};

} // namespace assetgen::models
