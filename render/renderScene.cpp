#include "render/renderScene.h"

#include "app/Camera.h"
#include "app/GameState.h"
#include "render/BlurStage.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include "render/lightConePass.h"
#include "render/musicGlow.h"
#include "render/renderScale.h"
#include "render/spotlightSlots.h"
#include "render/stackDrawOrder.h"
#include "scene/AnimatedModel.h"
#include "scene/Cube.h"
#include "scene/drawing.h"
#include "scene/Model.h"
#include "scene/Paper.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/Skybox.h"

#include <glm/gtc/type_ptr.hpp>

#include <array>
#include <cmath>
#include <iostream>

namespace {

void drawSkybox()
{
    if (!skybox || !projectionShader)
        return;
    projectionShader->use();
    const GLuint program = projectionShader->program;
    const Texture* sky = levelTwo ? whiteTexture : instrumentsTexture;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sky ? sky->textureId : 0);
    glUniform1i(glGetUniformLocation(program, "colorTexture"), 0);
    glUniformMatrix4fv(glGetUniformLocation(program, "modelMatrix"), 1, GL_FALSE, glm::value_ptr(skybox->modelMatrix));
    const glm::mat4 cameraMatrix = camera.viewProjectionMatrix();
    glUniformMatrix4fv(glGetUniformLocation(program, "cameraMatrix"), 1, GL_FALSE, glm::value_ptr(cameraMatrix));
    skybox->draw();
}

template <typename Drawable>
void drawCounted(Drawable* object)
{
    if (object && !object->drawLit(camera, frustumCullingOff))
        ++culledObjectCount;
}

// The closed room seen from inside it, as camera.vert tells it (the eye
// within the inner faces, above the floor).
bool eyeInsideRoom()
{
    const glm::vec3& eye = camera.position;
    return std::fabs(eye.x) < 6.5f && eye.y > 0.0f && eye.y < 5.5f && std::fabs(eye.z) < 10.5f;
}

void drawHouse()
{
    drawCounted(house);
    drawCounted(houseNew);
}

// The lit objects are opaque and depth-tested, so their order only decides
// which of them pay for fragments that a nearer one covers later: a fragment
// behind one already drawn is rejected before it is lit. The house is drawn
// first while the eye is outside, where it hides what stands inside it, and
// last while the eye is in the room, where its walls are behind everything
// else.
void drawLitObjects()
{
    const bool houseLast = eyeInsideRoom();
    if (!houseLast)
        drawHouse();
    drawCounted(stair);
    drawCounted(robot1Top);
    drawCounted(robot1Bottom);
    drawCounted(robot3);
    drawCounted(robot4);
    drawCounted(flyingRobot);
    drawCounted(robot6A);
    drawCounted(robot6B);
    drawCounted(robot6C);
    drawCounted(robot6D);
    drawCounted(jukebox);
    drawCounted(robot5Eyes);
    drawCounted(door);
    drawCounted(jukeboxFront);
    for (plim::scene::PillarStack* stack : pillarStacks)
        drawCounted(stack);
    if (houseLast)
        drawHouse();
}

// The list is sorted nearest first; walking it backwards blends the
// translucent boxes over one another from the back.
void drawStackBoxesBackToFront()
{
    for (auto entry = stackDrawOrder.rbegin(); entry != stackDrawOrder.rend(); ++entry)
        if (plim::scene::PillarStack* stack = pillarStacks[entry->stackIndex])
            stack->box->drawLit(camera, transparencyFlag);
}

// With the music shown its brightness follows the jukebox's song: the
// front is drawn scaled by the constant blend colour over the cleared image.
void drawJukeboxGlow()
{
    if (!musicGlow.shown) {
        jukeboxFront->drawLit(camera, frustumCullingOff);
        return;
    }
    const float level = musicGlow.jukebox;
    glEnable(GL_BLEND);
    glBlendFunc(GL_CONSTANT_COLOR, GL_ZERO);
    glBlendColor(level, level, level, 1.0f);
    jukeboxFront->drawLit(camera, frustumCullingOff);
    glDisable(GL_BLEND);
}

// The effect image shares the scene's depth buffer. The scene was drawn with
// a polygon offset of one unit; drawing the glowing objects again without it
// puts them just in front of their own depth, so exactly their visible parts
// pass the depth test.
void drawEffectImage()
{
    glBindFramebuffer(GL_FRAMEBUFFER, effectFramebuffer);
    setSceneViewport();
    clearDrawnCorner(GL_COLOR_BUFFER_BIT);
    glPolygonOffset(0.0f, 0.0f);
    if (jukeboxFront)
        drawJukeboxGlow();
    for (int i = 0; i < 4; ++i) {
        plim::scene::PillarStack* stack = pillarStacks[i];
        if (stack && musicGlow.shown)
            stack->drawGlow(camera, musicGlow.pillars[i]);
        else if (stack)
            stack->drawGlow(camera);
    }
    if (robot5Eyes)
        robot5Eyes->drawLit(camera, frustumCullingOff);
    if (door && puzzleSolved)
        door->drawLit(camera, frustumCullingOff);
    if (door && levelTwoSolved)
        door->drawLit(camera, frustumCullingOff);
    glPolygonOffset(0.0f, 3.0f);
}

// The composition writes every pixel of the window, unless the scene is
// drawn straight into it (wireframe) or the glow stage could not be built.
bool compositionCoversWindow()
{
    return !wireframe && blurStage && blurStage->complete && addTexturesShader;
}

struct Notice {
    plim::scene::Paper* paper;
    bool shown;
};

std::array<Notice, 4> notices()
{
    return {{
        {helpPaper, helpVisible},
        {level1Paper, !introStarted},
        {level2Paper, levelTwo && !levelTwoNoticeDismissed},
        {level2Paper, levelThree && !levelThreeNoticeDismissed},
    }};
}

bool noticeShown()
{
    for (const Notice& notice : notices())
        if (notice.paper && notice.shown)
            return true;
    return false;
}

void prepareComposition(bool depthOrdersNotices)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    setWindowViewport();
    // The window's colour was left as it was (see renderScene); its depth
    // orders the notices over the composition, and is only needed for them.
    if (compositionCoversWindow() && depthOrdersNotices)
        glClear(GL_DEPTH_BUFFER_BIT);
    glActiveTexture(GL_TEXTURE0 + sceneImageUnit);
    glBindTexture(GL_TEXTURE_2D, sceneTexture);
    if (!addTexturesShader)
        return;
    addTexturesShader->use();
    glUniform1i(glGetUniformLocation(addTexturesShader->program, "preprocessTexture"), sceneImageUnit);
    uploadRenderScale(addTexturesShader->program);
}

void drawNotices()
{
    for (const Notice& notice : notices())
        if (notice.paper && notice.shown)
            notice.paper->drawLit(camera);
}

// camera.vert leaves out what lies outside the closed room only for filled
// drawing; wireframe shows the whole house, and the back faces of closed
// models.
void uploadWireframeFlag()
{
    plim::scene::skipHiddenBackFaces = !wireframe;
    for (ShaderProgram* program : {cameraShader, transparencyShader}) {
        if (!program)
            continue;
        program->use();
        glUniform1i(glGetUniformLocation(program->program, "wireframe"), wireframe ? 1 : 0);
    }
}

} // namespace

void useCameraShader()
{
    if (cameraShader)
        cameraShader->use();
}

void renderScene()
{
    beginScaledFrame();
    // A full-window clear costs a software renderer a pass over every pixel
    // of the window; when the composition will cover them all, only the
    // depth is cleared, just before it.
    if (!compositionCoversWindow())
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!wireframe) {
        glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
        setSceneViewport();
        clearDrawnCorner(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    culledObjectCount = 0;
    uploadWireframeFlag();
    uploadSpotlightSlots();
    drawLitObjects();
    // After the opaque objects, so that the sky is filled in only where none
    // of them stands; before the translucent boxes, which blend over it.
    drawSkybox();
    if (reportCulledCount)
        std::cout << culledObjectCount << "Objects culled" << std::endl;
    drawStackBoxesBackToFront();
    drawLightCones(camera);
    drawEffectImage();
    if (!wireframe && blurStage)
        blurStage->addGlowTo(sceneFramebuffer);
    // Without a notice to follow, the composition covers every pixel without
    // a depth test: on a software renderer the window's depth clear, test and
    // write cost about as much as a third of the composition itself.
    const bool depthOrdersNotices = noticeShown();
    prepareComposition(depthOrdersNotices);
    if (!wireframe && blurStage) {
        if (!depthOrdersNotices)
            glDisable(GL_DEPTH_TEST);
        blurStage->compose();
        glEnable(GL_DEPTH_TEST);
    }
    drawNotices();
}
