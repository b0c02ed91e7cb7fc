#pragma once

#include "scene/DepthFingerprint.h"
#include "scene/PieceLighting.h"

#include <glm/glm.hpp>

class Camera;
class ShaderProgram;

namespace plim::scene {

class Cube;
class Pillar;

// A music station: a thin pole with three pillars (bottom, middle, top), each
// standing for one track. It chooses a pillar from the player's eye height,
// gives the aim points for the click test, and is drawn or culled as a whole.
// Takes its programs and textures from the registry, which must be filled.
class PillarStack final {
public:
    PillarStack();
    ~PillarStack();
    PillarStack(const PillarStack&) = delete;
    PillarStack& operator=(const PillarStack&) = delete;

    // Draws the three pillars, not the pole; false when culled.
    // With a lighting, each pillar lit with the spotlights it picks for it.
    virtual bool drawLit(Camera viewer, bool noCulling, PieceLighting* lighting = nullptr);
    virtual void update(double deltaTime); // turns the switched-on pillars
    // Up to 1.75 the bottom pillar, below 2.75 the middle one, from 2.75 on
    // the top one; switches the chosen pillar.
    virtual void togglePillarAt(float eyeHeight);
    // Moves pillars, pole and reference point, then scales the pole to
    // 0.15 x 7 x 0.15 again (on every call: the scene calls it once).
    virtual void translate(double x, double y, double z);
    virtual void scale(double x, double y, double z); // the pillars only
    virtual glm::vec3 getPosition() const;
    virtual glm::vec3 getBottomAim() const;
    virtual glm::vec3 getMiddleAim() const;
    virtual glm::vec3 getTopAim() const;
    virtual float getAimRadius() const;
    virtual void deactivateAll();

    // The switched-on pillars once more, for the glow image; culled unless
    // frustum culling is off.
    // With levels (bottom, middle, top), each pillar at its level of
    // brightness through constant-colour blending; without, as it is.
    void drawGlow(Camera viewer, bool cullingOff, const float* levels = nullptr);
    void drawDepth(const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection,
        bool cullingOff);
    // What drawDepth would draw: nothing when culled, else each pillar and
    // the pole as placed.
    void fingerprintDepth(DepthFingerprint& print, const glm::vec3& lightPosition, const glm::mat4& lightView,
        const glm::mat4& lightProjection, bool cullingOff) const;
    bool isBottomActive() const;
    bool isMiddleActive() const;
    bool isTopActive() const;

    bool clickLatch = false;
    ShaderProgram* shader;
    ShaderProgram* depthShader;
    ShaderProgram* boxShader;
    glm::vec3 position;
    float radius;
    Pillar* pillars[3]; // bottom, middle, top
    Cube* box;

private:
    bool visibleFrom(const glm::vec3& eye, const glm::mat4& view, const glm::mat4& projection, bool cullingOff) const;
};

} // namespace plim::scene
