// The whole-frame render targets, made in child processes with their own
// window: their sizes and attachments, the shared depth buffer, and the
// failure of an incomplete effect target, which ends the program with exit
// status -1 rather than 0.
#include "render/frameTargets.h"
#include "scene/Registry.h"

#include "support/ChildProcess.h"
#include "support/GlTestContext.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

using testing_support::ChildResult;
using testing_support::runInChild;

GLint textureSize(GLuint texture, GLenum which)
{
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
    return value;
}

GLint attachment(GLuint framebuffer, GLenum point)
{
    GLint value = -1;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, point, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &value);
    return value;
}

// Exit status 0 when every check holds, otherwise the number of the first
// that failed; anything printed goes to the parent.
int checkTargets()
{
    if (!testing_support::glContext())
        return 90;
    createFrameTargets(803, 601);
    if (!glIsFramebuffer(sceneFramebuffer) || !glIsFramebuffer(effectFramebuffer))
        return 1;
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    if (static_cast<GLuint>(bound) != effectFramebuffer)
        return 2;
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return 3;
    for (GLuint texture : {sceneTexture, effectTexture})
        if (textureSize(texture, GL_TEXTURE_WIDTH) != 803 || textureSize(texture, GL_TEXTURE_HEIGHT) != 601)
            return 4;
    if (attachment(sceneFramebuffer, GL_COLOR_ATTACHMENT0) != GLint(sceneTexture)
        || attachment(effectFramebuffer, GL_COLOR_ATTACHMENT0) != GLint(effectTexture))
        return 5;
    // The effect image is drawn over the scene's own depth.
    if (attachment(sceneFramebuffer, GL_DEPTH_ATTACHMENT) != GLint(sceneDepthBuffer)
        || attachment(effectFramebuffer, GL_DEPTH_ATTACHMENT) != GLint(sceneDepthBuffer))
        return 6;
    GLint filter = 0;
    glBindTexture(GL_TEXTURE_2D, effectTexture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    if (filter != GL_LINEAR)
        return 7;
    if (!testing_support::drainGlErrors().empty())
        return 8;
    releaseRegistry();
    if (sceneFramebuffer != 0 || effectTexture != 0)
        return 9;
    return 0;
}

TEST(FrameTargets, WindowSizedTargetsShareTheScenesDepth)
{
    ChildResult result = runInChild(checkTargets);
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "") << "complete targets print nothing";
}

// GL cannot make a complete framebuffer of zero width: both targets fail,
// the scene target first.
int createEmptyTargets()
{
    if (!testing_support::glContext())
        return 90;
    createFrameTargets(0, 600);
    std::printf("set-up went on\n");
    return 0;
}

TEST(FrameTargets, IncompleteEffectTargetEndsTheProgramWithFailure)
{
    ChildResult result = runInChild(createEmptyTargets);
    EXPECT_EQ(result.out, "Problem mit Framebuffer\nProblem mit Framebuffer\n")
        << "the scene target's failure is reported and set-up goes on to the effect target";
    EXPECT_EQ(result.exitStatus, 255) << "exit status -1: a failure, not a normal end";
    EXPECT_EQ(result.signal, 0);
    EXPECT_FALSE(result.timedOut) << "no pause without a terminal";
}

} // namespace
