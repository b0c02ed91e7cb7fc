#include "render/renderScene.h"

#include "app/Camera.h"
#include "render/BlurStage.h"
#include "render/FrameRequest.h"
#include "render/ShaderProgram.h"
#include "render/Spotlights.h"
#include "render/Texture.h"
#include "render/lightConePass.h"
#include "render/passSetup.h"
#include "render/stackDrawOrder.h"
#include "render/variantPriming.h"
#include "scene/Cube.h"
#include "scene/MeshObject.h"
#include "scene/Paper.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/Roster.h"
#include "scene/Skybox.h"
#include "scene/drawing.h"

#include <glm/gtc/type_ptr.hpp>

#include <array>
#include <cmath>
#include <iostream>

namespace {

void drawSkybox(const Texture* sky)
{
    if (!skybox || !projectionShader)
        return;
    projectionShader->use();
    const GLuint program = projectionShader->program;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sky ? sky->textureId : 0);
    glUniform1i(glGetUniformLocation(program, "colorTexture"), 0);
    glUniformMatrix4fv(glGetUniformLocation(program, "modelMatrix"), 1, GL_FALSE, glm::value_ptr(skybox->modelMatrix));
    const glm::mat4 cameraMatrix = camera.viewProjectionMatrix();
    glUniformMatrix4fv(glGetUniformLocation(program, "cameraMatrix"), 1, GL_FALSE, glm::value_ptr(cameraMatrix));
    skybox->draw();
}

// The lit draws of the frame, counting those that report culled. The
// roster's models light each of their pieces, and the stacks each pillar,
// with the spotlights that reach it.
class LitDraws {
public:
    LitDraws(bool cullingOff, SlotLighting& lighting) : cullingOff(cullingOff), lighting(lighting) {}

    void draw(plim::scene::PillarStack* stack)
    {
        if (stack && !stack->drawLit(camera, cullingOff, &lighting))
            ++culled;
    }

    void drawRoster(bool houses)
    {
        for (std::size_t i = 0; i < sceneRosterSize; ++i) {
            plim::scene::MeshObject* object = sceneRoster[i].object();
            if (sceneRoster[i].house == houses && object && !object->drawLitPieces(camera, cullingOff, lighting))
                ++culled;
        }
    }

    int culledCount() const { return culled; }

private:
    bool cullingOff;
    SlotLighting& lighting;
    int culled = 0;
};

// The closed room seen from inside it, as camera.vert tells it (the eye
// within the inner faces, above the floor).
bool eyeInsideRoom()
{
    const glm::vec3& eye = camera.position;
    return std::fabs(eye.x) < 6.5f && eye.y > 0.0f && eye.y < 5.5f && std::fabs(eye.z) < 10.5f;
}

// The lit objects are opaque and depth-tested, so their order only decides
// which of them pay for fragments that a nearer one covers later: a fragment
// behind one already drawn is rejected before it is lit. The house is drawn
// first while the eye is outside, where it hides what stands inside it, and
// last while the eye is in the room, where its walls are behind everything
// else.
int drawLitObjects(bool cullingOff, SlotLighting& lighting)
{
    LitDraws draws(cullingOff, lighting);
    const bool houseLast = eyeInsideRoom();
    if (!houseLast)
        draws.drawRoster(true);
    draws.drawRoster(false);
    for (plim::scene::PillarStack* stack : pillarStacks)
        draws.draw(stack);
    if (houseLast)
        draws.drawRoster(true);
    return draws.culledCount();
}

// The list is sorted nearest first; walking it backwards blends the
// translucent boxes over one another from the back.
void drawStackBoxesBackToFront(bool translucent, SlotLighting& lighting)
{
    for (auto entry = stackDrawOrder.rbegin(); entry != stackDrawOrder.rend(); ++entry)
        if (plim::scene::PillarStack* stack = pillarStacks[entry->stackIndex])
            stack->box->drawLit(camera, translucent, &lighting);
}

// Adds where a bounding sphere can show on the screen: the projection of the
// part of the cube around it that lies in front of the eye (its corners
// there and where its edges cross a plane just in front of the eye).
void addSphere(GlowArea& area, const glm::vec3& centre, float radius)
{
    constexpr float nearest = 1e-3f;
    const glm::mat4 viewProjection = camera.viewProjectionMatrix();
    std::array<glm::vec4, 8> corners;
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 offset((corner & 1) ? radius : -radius, (corner & 2) ? radius : -radius,
            (corner & 4) ? radius : -radius);
        corners[static_cast<size_t>(corner)] = viewProjection * glm::vec4(centre + offset, 1.0f);
    }
    glm::vec2 low(INFINITY);
    glm::vec2 high(-INFINITY);
    auto take = [&](const glm::vec4& clip) {
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        low = glm::min(low, ndc);
        high = glm::max(high, ndc);
    };
    for (int a = 0; a < 8; ++a) {
        const glm::vec4& p = corners[static_cast<size_t>(a)];
        if (p.w > nearest)
            take(p);
        // The cube's edges join corners that differ in one bit.
        for (int bit = 1; bit < 8; bit <<= 1) {
            const int b = a ^ bit;
            const glm::vec4& q = corners[static_cast<size_t>(b)];
            if (b > a && (p.w > nearest) != (q.w > nearest))
                take(glm::mix(p, q, (nearest - p.w) / (q.w - p.w)));
        }
    }
    if (!(low.x <= high.x) || high.x < -1.0f || high.y < -1.0f || low.x > 1.0f || low.y > 1.0f)
        return; // wholly behind the eye or off the screen
    low = glm::max(low, glm::vec2(-1.0f));
    high = glm::min(high, glm::vec2(1.0f));
    area.add(low.x, low.y, high.x, high.y);
}

// With the music shown, the jukebox's glow is scaled by its song's level
// through constant-colour blending.
void drawGlowing(plim::scene::MeshObject& object, const RosterEntry& entry, const FrameRequest& frame)
{
    const bool scaled = entry.glowFollowsJukebox && frame.musicGlow.shown;
    if (scaled) {
        const float level = frame.musicGlow.jukebox;
        glEnable(GL_BLEND);
        glBlendFunc(GL_CONSTANT_COLOR, GL_ZERO);
        glBlendColor(level, level, level, 1.0f);
    }
    object.drawLit(camera, frame.cullingOff);
    if (scaled)
        glDisable(GL_BLEND);
}

void drawGlowingEntries(RosterEntry::Glow place, const FrameRequest& frame, GlowArea& area)
{
    for (std::size_t i = 0; i < sceneRosterSize; ++i) {
        const RosterEntry& entry = sceneRoster[i];
        plim::scene::MeshObject* object = entry.object();
        if (entry.glow != place || !object)
            continue;
        const int times = entry.glowsWhenSolved ? frame.doorGlows : 1;
        if (times > 0)
            addSphere(area, object->getCenter(), object->radius);
        for (int k = 0; k < times; ++k)
            drawGlowing(*object, entry, frame);
    }
}

bool anyPillarOn(const plim::scene::PillarStack& stack)
{
    return stack.isBottomActive() || stack.isMiddleActive() || stack.isTopActive();
}

// The effect image shares the scene's depth buffer. The scene was drawn with
// a polygon offset of one unit; drawing the glowing objects again without it
// puts them just in front of their own depth, so exactly their visible parts
// pass the depth test. Its colour is cleared in the drawn corner only.
void drawEffectImage(const FrameRequest& frame, GlowArea& area)
{
    PassSetup pass;
    pass.framebuffer = effectFramebuffer;
    pass.width = frame.viewport.sceneWidth;
    pass.height = frame.viewport.sceneHeight;
    pass.clear = GL_COLOR_BUFFER_BIT;
    pass.clearWholeTarget = !frame.viewport.cornerOnly();
    beginPass(pass);
    drawGlowingEntries(RosterEntry::glowsBeforeStacks, frame, area);
    for (int i = 0; i < 4; ++i) {
        plim::scene::PillarStack* stack = pillarStacks[i];
        if (!stack)
            continue;
        if (anyPillarOn(*stack))
            addSphere(area, stack->getPosition(), stack->radius);
        stack->drawGlow(camera, frame.cullingOff, frame.musicGlow.shown ? frame.musicGlow.pillars[i] : nullptr);
    }
    drawGlowingEntries(RosterEntry::glowsAfterStacks, frame, area);
    // The frame's last polygon offset, until the next frame's depth passes.
    glPolygonOffset(0.0f, 3.0f);
}

// The composition writes every pixel of the window, unless the scene is
// drawn straight into it (wireframe) or the glow stage could not be built.
bool compositionCoversWindow(const FrameRequest& frame)
{
    return !frame.wireframe && blurStage && blurStage->complete && addTexturesShader;
}

struct Notice {
    plim::scene::Paper* paper;
    bool shown;
};

std::array<Notice, 4> notices(const FrameRequest& frame)
{
    return {{
        {helpPaper, frame.helpShown},
        {level1Paper, frame.titleShown},
        {level2Paper, frame.levelTwoNoticeShown},
        {level2Paper, frame.levelThreeNoticeShown},
    }};
}

bool noticeShown(const FrameRequest& frame)
{
    for (const Notice& notice : notices(frame))
        if (notice.paper && notice.shown)
            return true;
    return false;
}

// The window's colour was left as it was (see renderScene); its depth orders
// the notices over the composition, and is cleared and tested only for them:
// on a software renderer the window's depth clear, test and write cost about
// as much as a third of the composition itself.
void beginComposition(const FrameRequest& frame, bool depthOrdersNotices)
{
    PassSetup pass;
    pass.width = frame.viewport.windowWidth;
    pass.height = frame.viewport.windowHeight;
    pass.clear = compositionCoversWindow(frame) && depthOrdersNotices ? GL_DEPTH_BUFFER_BIT : 0;
    pass.depthTest = depthOrdersNotices || frame.wireframe;
    pass.offsetUnits = 3.0f;
    beginPass(pass);
    glActiveTexture(GL_TEXTURE0 + sceneImageUnit);
    glBindTexture(GL_TEXTURE_2D, sceneTexture);
    if (!addTexturesShader)
        return;
    addTexturesShader->use();
    glUniform1i(glGetUniformLocation(addTexturesShader->program, "preprocessTexture"), sceneImageUnit);
    uploadRenderScale(addTexturesShader->program, frame.viewport);
}

void drawNotices(const FrameRequest& frame)
{
    glEnable(GL_DEPTH_TEST);
    for (const Notice& notice : notices(frame))
        if (notice.paper && notice.shown)
            notice.paper->drawLit(camera);
}

// camera.vert leaves out what lies outside the closed room only for filled
// drawing; wireframe shows the whole house, and the back faces of closed
// models.
void uploadWireframeFlag(bool wireframe)
{
    plim::scene::skipHiddenBackFaces = !wireframe;
    auto upload = [wireframe](ShaderProgram* program) {
        if (!program)
            return;
        program->use();
        glUniform1i(glGetUniformLocation(program->program, "wireframe"), wireframe ? 1 : 0);
    };
    upload(cameraShader);
    upload(transparencyShader);
    for (ShaderProgram* program : cameraSlotShaders)
        upload(program);
}

// The lit pass draws into the scene target's drawn corner, cleared there; in
// wireframe straight into the window, whose viewport the frame set.
void beginLitPass(const FrameRequest& frame)
{
    if (frame.wireframe)
        return;
    PassSetup pass;
    pass.framebuffer = sceneFramebuffer;
    pass.width = frame.viewport.sceneWidth;
    pass.height = frame.viewport.sceneHeight;
    pass.clear = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;
    pass.clearWholeTarget = !frame.viewport.cornerOnly();
    pass.offsetUnits = 1.0f;
    beginPass(pass);
}

} // namespace

void useCameraShader()
{
    if (cameraShader)
        cameraShader->use();
}

int renderScene(const FrameRequest& frame, GlowArea* glowArea)
{
    // A full-window clear costs a software renderer a pass over every pixel
    // of the window; when the composition will cover them all, only the
    // depth is cleared, just before it.
    if (!compositionCoversWindow(frame))
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    beginLitPass(frame);
    uploadWireframeFlag(frame.wireframe);
    uploadSpotlightSlots(frame.level);
    // Set up after the slots are filled: it lights with what they hold.
    SlotLighting lighting(frame.level);
    const int culled = drawLitObjects(frame.cullingOff, lighting);
    // After the opaque objects, so that the sky is filled in only where none
    // of them stands; before the translucent boxes, which blend over it.
    // From inside the closed room it shows nowhere, and a software renderer
    // would still set up and depth-test its every pixel.
    if (!(eyeInsideRoom() && houseNew && !frame.wireframe))
        drawSkybox(frame.sky);
    if (frame.reportCulled)
        std::cout << culled << "Objects culled" << std::endl;
    drawStackBoxesBackToFront(frame.translucentBoxes, lighting);
    if (pillarStacks[0] && pillarStacks[0]->box && !frame.wireframe)
        primeSlotVariants(*pillarStacks[0]->box);
    drawLightCones(camera, frame.level);
    GlowArea area;
    drawEffectImage(frame, area);
    if (glowArea)
        *glowArea = area;
    if (!frame.wireframe && blurStage)
        blurStage->addGlowTo(sceneFramebuffer, frame.viewport);
    // Without a notice to follow, the composition covers every pixel without
    // a depth test.
    const bool depthOrdersNotices = noticeShown(frame);
    beginComposition(frame, depthOrdersNotices);
    if (!frame.wireframe && blurStage)
        blurStage->compose(frame.viewport);
    drawNotices(frame);
    return culled;
}
