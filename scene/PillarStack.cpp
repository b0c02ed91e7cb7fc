#include "scene/PillarStack.h"

#include "app/Camera.h"
#include "scene/Cube.h"
#include "scene/Pillar.h"
#include "scene/Registry.h"
#include "scene/visibility.h"

namespace plim::scene {

namespace {

constexpr int bottom = 0;
constexpr int middle = 1;
constexpr int top = 2;

} // namespace

PillarStack::PillarStack()
    : shader(cameraShader)
    , depthShader(shadowDistancesShader)
    , boxShader(cameraShader)
{
    Texture* const textures[3] = {metalBoxTexture, woodBoxTexture, containerTexture};
    for (int i = 0; i < 3; ++i)
        pillars[i] = new Pillar(glm::mat4(1.0f), shader, depthShader, textures[i], 1.0f, 1.0f, 1.0f);
    pillars[bottom]->translate(0.0, 1.0, 0.0);
    pillars[middle]->translate(0.0, 2.25, 0.0);
    pillars[top]->translate(0.0, 3.5, 0.0);
    position = glm::vec3(0.0f, 2.0f, 0.0f);
    radius = 2.5f;
    clickLatch = false;
    box = new Cube(glm::mat4(1.0f), boxShader, depthShader, metalBoxTexture);
}

PillarStack::~PillarStack()
{
    for (Pillar* pillar : pillars)
        delete pillar;
    delete box;
}

bool PillarStack::visibleFrom(
    const glm::vec3& eye, const glm::mat4& view, const glm::mat4& projection, bool cullingOff) const
{
    return isVisible(eye, view, projection, radius, cullingOff, position, radius);
}

bool PillarStack::drawLit(Camera viewer, bool noCulling, PieceLighting* lighting)
{
    if (!visibleFrom(viewer.position, viewer.viewMatrix(), viewer.projectionMatrix(), noCulling))
        return false;
    for (Pillar* pillar : pillars)
        pillar->drawLit(viewer, lighting);
    return true;
}

void PillarStack::update(double deltaTime)
{
    for (Pillar* pillar : pillars)
        if (pillar->isActive())
            pillar->update(deltaTime);
}

void PillarStack::togglePillarAt(float eyeHeight)
{
    Pillar* chosen = nullptr;
    if (static_cast<double>(eyeHeight) <= 1.75)
        chosen = pillars[bottom];
    else if (eyeHeight < 2.75f)
        chosen = pillars[middle];
    else if (eyeHeight >= 2.75f)
        chosen = pillars[top];
    if (!chosen)
        return; // not a number
    if (chosen->isActive())
        chosen->deactivate();
    else
        chosen->activate();
}

void PillarStack::translate(double x, double y, double z)
{
    for (Pillar* pillar : pillars)
        pillar->translate(x, y, z);
    box->translate(x, y, z);
    box->scale(0.15, 7.0, 0.15);
    position += glm::vec3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void PillarStack::scale(double x, double y, double z)
{
    for (Pillar* pillar : pillars)
        pillar->scale(x, y, z);
}

glm::vec3 PillarStack::getPosition() const
{
    return position;
}

glm::vec3 PillarStack::getBottomAim() const
{
    return position - glm::vec3(0.0f, 1.0f, 0.0f);
}

glm::vec3 PillarStack::getMiddleAim() const
{
    return position + glm::vec3(0.0f, 0.25f, 0.0f);
}

glm::vec3 PillarStack::getTopAim() const
{
    return position + glm::vec3(0.0f, 1.5f, 0.0f);
}

float PillarStack::getAimRadius() const
{
    return 0.5f;
}

void PillarStack::deactivateAll()
{
    for (Pillar* pillar : pillars)
        pillar->deactivate();
}

void PillarStack::drawGlow(Camera viewer, bool cullingOff, const float* levels)
{
    if (!visibleFrom(viewer.position, viewer.viewMatrix(), viewer.projectionMatrix(), cullingOff))
        return;
    if (!levels) {
        for (Pillar* pillar : pillars)
            if (pillar->isActive())
                pillar->drawLit(viewer);
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_CONSTANT_COLOR, GL_ZERO);
    for (int i = 0; i < 3; ++i) {
        if (!pillars[i]->isActive())
            continue;
        glBlendColor(levels[i], levels[i], levels[i], 1.0f);
        pillars[i]->drawLit(viewer);
    }
    glDisable(GL_BLEND);
}

void PillarStack::drawDepth(
    const glm::vec3& lightPosition, const glm::mat4& lightView, const glm::mat4& lightProjection, bool cullingOff)
{
    if (!visibleFrom(lightPosition, lightView, lightProjection, cullingOff))
        return;
    for (Pillar* pillar : pillars)
        pillar->drawDepth();
    box->drawDepth();
}

void PillarStack::fingerprintDepth(DepthFingerprint& print, const glm::vec3& lightPosition,
    const glm::mat4& lightView, const glm::mat4& lightProjection, bool cullingOff) const
{
    if (!visibleFrom(lightPosition, lightView, lightProjection, cullingOff))
        return;
    print.add(this);
    for (const Pillar* pillar : pillars)
        print.add(pillar->modelMatrix);
    print.add(box->modelMatrix);
}

bool PillarStack::isBottomActive() const
{
    return pillars[bottom]->isActive();
}

bool PillarStack::isMiddleActive() const
{
    return pillars[middle]->isActive();
}

bool PillarStack::isTopActive() const
{
    return pillars[top]->isActive();
}

} // namespace plim::scene
