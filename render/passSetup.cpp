#include "render/passSetup.h"

void bindWindowFramebuffer()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
}

void beginPass(const PassSetup& pass)
{
    if (pass.framebuffer == 0)
        bindWindowFramebuffer();
    else
        glBindFramebuffer(GL_FRAMEBUFFER, pass.framebuffer);
    glViewport(0, 0, pass.width, pass.height);
    if (pass.depthTest)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    glPolygonOffset(pass.offsetFactor, pass.offsetUnits);
    if (pass.clear == 0)
        return;
    if (pass.clearWholeTarget) {
        glClear(pass.clear);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, pass.width, pass.height);
    glClear(pass.clear);
    glDisable(GL_SCISSOR_TEST);
}
