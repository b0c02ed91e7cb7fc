#include "render/frameTargets.h"

#include "scene/Registry.h"

#include <GL/glew.h>

#include <cstdlib>
#include <iostream>

namespace {

GLuint emptyRgbTexture(int width, int height)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    return texture;
}

bool framebufferComplete()
{
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

} // namespace

void createWholeFrameTargets(int width, int height)
{
    const GLenum colourAttachment = GL_COLOR_ATTACHMENT0;

    effectTexture = emptyRgbTexture(width, height);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);

    glGenFramebuffers(1, &sceneFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    sceneTexture = emptyRgbTexture(width, height);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glGenRenderbuffers(1, &sceneDepthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, sceneDepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, sceneDepthBuffer);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, sceneTexture, 0);
    glDrawBuffers(1, &colourAttachment);
    if (!framebufferComplete())
        std::cout << "Problem mit Framebuffer" << std::endl;

    glGenFramebuffers(1, &effectFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, effectFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, sceneDepthBuffer);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, effectTexture, 0);
    glDrawBuffers(1, &colourAttachment);
    if (!framebufferComplete()) {
        // Without the glow target nothing can be composed: a failure, not a normal end.
        std::cout << "Problem mit Framebuffer" << std::endl;
        std::exit(-1);
    }
}
