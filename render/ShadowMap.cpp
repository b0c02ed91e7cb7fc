#include "render/ShadowMap.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

ShadowMap::ShadowMap(glm::vec3 position, glm::vec3 direction, glm::vec3 up, glm::vec3 intensities,
    glm::vec3 rotationAxis, int size, float angle)
    : angle(angle)
    , size(size)
    , position(position)
    , direction(direction)
    , up(up)
    , intensities(intensities)
    , rotationAxis(rotationAxis)
{
    glGenTextures(1, &depthTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, depthTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, size, size, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LESS);

    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, depthTexture, 0);
    glDrawBuffer(GL_NONE);
    // Drivers held to the 3.2 rules call a depth-only framebuffer incomplete
    // while its read buffer still names a missing colour attachment.
    glReadBuffer(GL_NONE);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        complete = false;

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
}

ShadowMap::~ShadowMap()
{
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &depthTexture);
}

float ShadowMap::getAngleCosine() const
{
    return static_cast<float>(std::cos(static_cast<double>(angle) * 3.141592 / 180.0));
}

glm::vec3 ShadowMap::getPosition() const
{
    return position;
}

glm::vec3 ShadowMap::getIntensities() const
{
    return intensities;
}

glm::vec3 ShadowMap::getDirection() const
{
    return glm::vec3(rotation * glm::vec4(direction, 1.0f));
}

glm::mat4 ShadowMap::getViewMatrix() const
{
    return glm::lookAt(position, position + getDirection(), up);
}

glm::mat4 ShadowMap::getProjectionMatrix() const
{
    return glm::perspective(glm::radians(2.0f * angle), 1.0f, 0.01f, 10.0f);
}

glm::mat4 ShadowMap::getLightMatrix() const
{
    return getProjectionMatrix() * getViewMatrix();
}

void ShadowMap::bindForDepthPass() const
{
    if (!complete)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, size, size);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ShadowMap::bindTexture(int unit) const
{
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(GL_TEXTURE_2D, depthTexture);
}

void ShadowMap::rotate(float deltaTime)
{
    rotation = glm::rotate(rotation, glm::radians(deltaTime * 90.0f), rotationAxis);
}
