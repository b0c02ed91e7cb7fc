#include "render/BlurStage.h"

#include "render/FrameViewport.h"
#include "render/ShaderProgram.h"
#include "render/passSetup.h"
#include "scene/Registry.h"

#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

const GLfloat quadPositions[] = {-1, -1, 0, 1, -1, 0, -1, 1, 0, 1, 1, 0};
const GLfloat quadUvs[] = {0, 0, 1, 0, 0, 1, 1, 1};
const GLuint quadIndices[] = {0, 1, 2, 2, 1, 3};

constexpr GLenum blurUnit = 10;

struct BlurPass {
    int target;
    int source;
    bool horizontal;
};

// Ping-pong between targets 1 and 2, starting from the down-sampled image in 0.
const BlurPass blurPasses[8] = {
    {1, 0, true}, {2, 1, false}, {1, 2, true}, {2, 1, false},
    {1, 2, true}, {2, 1, false}, {1, 2, true}, {2, 1, false},
};

void enableAttribute(const ShaderProgram& program, const char* name, GLuint buffer, GLint components)
{
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    GLint location = glGetAttribLocation(program.program, name);
    // A program that does not use the attribute has no location to enable.
    if (location == -1)
        return;
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void setIdentityModelMatrix(const ShaderProgram& program)
{
    const glm::mat4 identity(1.0f);
    glUniformMatrix4fv(glGetUniformLocation(program.program, "modelMatrix"), 1, GL_FALSE, glm::value_ptr(identity));
}

} // namespace

void GlowArea::add(float x0, float y0, float x1, float y1)
{
    if (empty()) {
        left = x0;
        bottom = y0;
        right = x1;
        top = y1;
        return;
    }
    left = std::min(left, x0);
    bottom = std::min(bottom, y0);
    right = std::max(right, x1);
    top = std::max(top, y1);
}

namespace {

// Turns on the scissor test for the pixels of a target's drawn corner of
// width x height that the area covers, widened by margin pixels.
void scissorTo(const GlowArea& area, GLsizei width, GLsizei height, int margin)
{
    auto pixel = [](float ndc, GLsizei extent) {
        return static_cast<GLint>(std::floor((0.5f * ndc + 0.5f) * static_cast<float>(extent)));
    };
    const GLint x0 = std::max(0, pixel(area.left, width) - margin);
    const GLint y0 = std::max(0, pixel(area.bottom, height) - margin);
    const GLint x1 = std::min<GLint>(width, pixel(area.right, width) + 1 + margin);
    const GLint y1 = std::min<GLint>(height, pixel(area.top, height) + 1 + margin);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

} // namespace

int blurTargetExtent(int frameExtent)
{
    return frameExtent / 4;
}

BlurStage::BlurStage(int width, int height)
    : width(width)
    , height(height)
    , compositionShader(addTexturesShader)
    , blurShader(gaussianBlurShader)
    , copyShader(noteShader)
{
    createQuad();
    compositionVao = createQuadVao(*compositionShader);
    blurVao = createQuadVao(*blurShader);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    for (int k = 0; k < 3; ++k)
        createTarget(k);
}

BlurStage::~BlurStage()
{
    glDeleteBuffers(1, &positionBuffer);
    glDeleteBuffers(1, &uvBuffer);
    glDeleteBuffers(1, &indexBuffer);
    glDeleteVertexArrays(1, &compositionVao);
    glDeleteVertexArrays(1, &blurVao);
    glDeleteTextures(3, colorTextures);
    glDeleteRenderbuffers(3, depthBuffers);
    glDeleteFramebuffers(3, framebuffers);
}

void BlurStage::createQuad()
{
    glGenBuffers(1, &positionBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, positionBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(quadPositions), quadPositions, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glGenBuffers(1, &uvBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, uvBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(quadUvs), quadUvs, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(quadIndices), quadIndices, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

GLuint BlurStage::createQuadVao(const ShaderProgram& program) const
{
    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    enableAttribute(program, "position", positionBuffer, 3);
    enableAttribute(program, "uv", uvBuffer, 2);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    return vao;
}

void BlurStage::createTarget(int k)
{
    glGenFramebuffers(1, &framebuffers[k]);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffers[k]);

    glGenTextures(1, &colorTextures[k]);
    glBindTexture(GL_TEXTURE_2D, colorTextures[k]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    glGenRenderbuffers(1, &depthBuffers[k]);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffers[k]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffers[k]);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, colorTextures[k], 0);
    const GLenum drawBuffers[] = {GL_COLOR_ATTACHMENT0};
    glDrawBuffers(1, drawBuffers);

    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::cout << "Problem mit Framebuffer";
        complete = false;
    }
}

void BlurStage::drawQuad() const
{
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
}

// The glow's passes cover their corner of the target with one quad, so they
// need neither a depth test nor a cleared depth: a software renderer would
// test and write every pixel's depth for nothing. Their colour clear is the
// whole target's, as it always was: the corner moves with the window.
// The texels a glow pass draws: the area's, in the glow's corner, widened by
// what the eight blur passes and the down-sampling's filter reach from it.
// Everything when there is no area.
void BlurStage::beginGlowPass(int target, const FrameViewport& view, const GlowArea* area) const
{
    PassSetup pass;
    pass.framebuffer = framebuffers[target];
    pass.width = glowCornerWidth(view, width);
    pass.height = glowCornerHeight(view, height);
    pass.clear = GL_COLOR_BUFFER_BIT;
    pass.depthTest = false;
    beginPass(pass);
    if (area)
        scissorTo(*area, pass.width, pass.height, glowReach);
}

void BlurStage::downsample(const FrameViewport& view, const GlowArea* area) const
{
    if (!complete)
        return;
    beginGlowPass(0, view, area);
    glBindVertexArray(blurVao);
    drawQuad();
    glDisable(GL_SCISSOR_TEST);
}

void BlurStage::blur(const FrameViewport& view, const GlowArea* area) const
{
    if (!complete)
        return;
    const glm::vec2 horizontal(1.0f, 0.0f);
    const glm::vec2 vertical(0.0f, 1.0f);
    for (const BlurPass& pass : blurPasses) {
        beginGlowPass(pass.target, view, area);
        blurShader->use();
        glActiveTexture(GL_TEXTURE0 + blurUnit);
        glBindTexture(GL_TEXTURE_2D, colorTextures[pass.source]);
        const GLuint program = blurShader->program;
        glUniform1i(glGetUniformLocation(program, "colorTexture"), blurUnit);
        glUniform2fv(glGetUniformLocation(program, "blurDirection"), 1,
            glm::value_ptr(pass.horizontal ? horizontal : vertical));
        setIdentityModelMatrix(*blurShader);
        // "size" is the target's extent for a window that fills the targets;
        // otherwise the glow's extent at a quarter of the window.
        const int window = pass.horizontal ? view.windowWidth : view.windowHeight;
        glUniform1f(glGetUniformLocation(program, "size"), static_cast<float>(blurTargetExtent(window)));
        uploadRenderScale(program, view);
        glBindVertexArray(blurVao);
        drawQuad();
        glDisable(GL_SCISSOR_TEST);
    }
    glBindVertexArray(0);
    bindWindowFramebuffer();
}

void BlurStage::blurForNextFrame(GLuint effectImage, const FrameViewport& view, const GlowArea& area) const
{
    blurredArea = area;
    if (!copyShader)
        return;
    copyShader->use();
    const GLuint program = copyShader->program;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, effectImage);
    glUniform1i(glGetUniformLocation(program, "colorTexture"), 0);
    setIdentityModelMatrix(*copyShader);
    uploadRenderScale(program, view);
    downsample(view, &area);
    blur(view, &area);
}

bool BlurStage::composesByCopy() const
{
    return complete && copyShader;
}

GLuint BlurStage::useCopyProgram(GLint textureUnit) const
{
    copyShader->use();
    const GLuint program = copyShader->program;
    glUniform1i(glGetUniformLocation(program, "colorTexture"), textureUnit);
    setIdentityModelMatrix(*copyShader);
    return program;
}

void BlurStage::drawCopyQuad() const
{
    glBindVertexArray(blurVao);
    drawQuad();
    glBindVertexArray(0);
}

void BlurStage::addGlowTo(GLuint sceneFramebuffer, const FrameViewport& view) const
{
    if (!composesByCopy())
        return;
    // Added whatever the scene's depth there, and only where the glow the
    // last blur left can be other than black.
    PassSetup pass;
    pass.framebuffer = sceneFramebuffer;
    pass.width = view.sceneWidth;
    pass.height = view.sceneHeight;
    pass.depthTest = false;
    beginPass(pass);
    const float pixelsPerTexel = static_cast<float>(view.sceneWidth) / static_cast<float>(glowCornerWidth(view, width));
    scissorTo(blurredArea, pass.width, pass.height, static_cast<int>(std::ceil((glowReach + 2) * pixelsPerTexel)));
    glActiveTexture(GL_TEXTURE0 + blurUnit);
    glBindTexture(GL_TEXTURE_2D, colorTextures[2]);
    const GLuint program = useCopyProgram(blurUnit);
    // The copy program reads the share of its texture that "renderScale"
    // names: here the glow's corner, the same texels addtextures.frag reads.
    const GLfloat glowShare[2]
        = {static_cast<GLfloat>(glowCornerWidth(view, width)) / static_cast<GLfloat>(width),
            static_cast<GLfloat>(glowCornerHeight(view, height)) / static_cast<GLfloat>(height)};
    glUniform2fv(glGetUniformLocation(program, "renderScale"), 1, glowShare);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindVertexArray(blurVao);
    drawQuad();
    glBindVertexArray(0);
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
}

void BlurStage::compose(const FrameViewport& view) const
{
    if (!complete)
        return;
    if (composesByCopy()) {
        uploadRenderScale(useCopyProgram(sceneImageUnit), view);
        drawCopyQuad();
        return;
    }
    compositionShader->use();
    glActiveTexture(GL_TEXTURE0 + blurUnit);
    glBindTexture(GL_TEXTURE_2D, colorTextures[2]);
    glUniform1i(glGetUniformLocation(compositionShader->program, "colorTexture"), blurUnit);
    setIdentityModelMatrix(*compositionShader);
    glBindVertexArray(compositionVao);
    drawQuad();
    glBindVertexArray(0);
}
