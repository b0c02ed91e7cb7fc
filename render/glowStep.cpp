#include "render/glowStep.h"

#include "render/BlurStage.h"
#include "render/ShaderProgram.h"
#include "render/renderScale.h"
#include "scene/Registry.h"

#include <glm/gtc/type_ptr.hpp>

void renderGlowForNextFrame()
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
    uploadRenderScale(program);
    blurStage->downsample();
    blurStage->blur();
}
