#include "render/shadowBias.h"

glm::mat4 shadowBiasMatrix()
{
    return glm::mat4(0.5f, 0.0f, 0.0f, 0.0f,
                     0.0f, 0.5f, 0.0f, 0.0f,
                     0.0f, 0.0f, 0.5f, 0.0f,
                     0.5f, 0.5f, 0.5f, 1.0f);
}
