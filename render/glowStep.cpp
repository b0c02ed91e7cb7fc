#include "render/glowStep.h"

#include "render/BlurStage.h"
#include "render/ShaderProgram.h"
#include "render/FrameViewport.h"
#include "scene/Registry.h"

#include <glm/gtc/type_ptr.hpp>

void renderGlowForNextFrame(const FrameViewport& view)
{
    if (!noteShader || !blurStage)
        return;
    noteShader->use();
    const GLuint program = noteShader->program;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, effectTexture);
    glUniform1i(glGetUniformLocation(program, "colorTexture"), 0);
    const glm::mat4 identity(1.0f);
    glUniformMatrix4fv(glGetUniformLocation(program, "modelMatrix"), 1, GL_FALSE, glm::value_ptr(identity));
    uploadRenderScale(program, view);
    blurStage->downsample(view);
    blurStage->blur(view);
}
