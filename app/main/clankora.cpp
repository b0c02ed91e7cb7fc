#include "app/shell.h"
#include "platform/GlfwPlatform.h"

int main()
{
    platform::GlfwPlatform input;
    return runClankora(input);
}
