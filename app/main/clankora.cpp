#include "app/adaptiveScale.h"
#include "app/shell.h"
#include "platform/GlfwPlatform.h"

int main(int argc, char** argv)
{
    setRenderScaleSetting(readRenderScale(argc, argv, "clankora", RenderScaleSetting()));
    platform::GlfwPlatform input;
    return runClankora(input);
}
