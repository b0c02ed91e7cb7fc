#include "render/frameTargets.h"

#include "app/console.h"
#include "scene/Registry.h"

#include <GL/glew.h>

#include <iostream>

int frameTargetWidth = 0;
int frameTargetHeight = 0;

namespace {

GLuint createColourTexture(int width, int height)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

void attachColourAndDepth(GLuint colour)
{
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, sceneDepthBuffer);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, colour, 0);
    const GLenum drawBuffers[] = {GL_COLOR_ATTACHMENT0};
    glDrawBuffers(1, drawBuffers);
}

bool boundFramebufferComplete()
{
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

} // namespace

void createFrameTargets(int width, int height)
{
    frameTargetWidth = width;
    frameTargetHeight = height;
    effectTexture = createColourTexture(width, height);

    glGenFramebuffers(1, &sceneFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    sceneTexture = createColourTexture(width, height);
    glGenRenderbuffers(1, &sceneDepthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, sceneDepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    attachColourAndDepth(sceneTexture);
    if (!boundFramebufferComplete())
        std::cout << "Problem mit Framebuffer" << std::endl;

    glGenFramebuffers(1, &effectFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, effectFramebuffer);
    attachColourAndDepth(effectTexture);
    if (!boundFramebufferComplete()) {
        std::cout << "Problem mit Framebuffer" << std::endl;
        pauseAndExit();
    }
}
