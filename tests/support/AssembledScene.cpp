#include "support/AssembledScene.h"

#include "app/config.h"
#include "app/game.h"
#include "app/shell.h"
#include "scene/Registry.h"
#include "scene/buildScene.h"
#include "support/ChildProcess.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <sstream>

namespace testing_support {

std::string inAssembledScene(const std::string& windowSettings, const std::function<void(std::ostream&)>& check)
{
    ChildOptions options;
    options.workingDirectory = makeGameFolder(windowSettings);
    options.environment = {"ALSOFT_DRIVERS=null"};
    options.timeoutSeconds = 120.0;
    const ChildResult result = runInChild([&check] {
        GLFWwindow* window = openWindow();
        glewExperimental = GL_TRUE;
        if (glewInit() != GLEW_OK)
            return 3;
        glGetError();
        buildScene(window, {windowWidth, windowHeight}, {largestViewWidth, largestViewHeight});
        prepareIntro();
        std::ostringstream found;
        check(found);
        std::printf("<<%s>>", found.str().c_str());
        std::fflush(stdout);
        releaseRegistry();
        glfwTerminate();
        return 0;
    }, options);
    if (result.exitStatus != 0)
        return "exit status " + std::to_string(result.exitStatus) + ": " + result.err;
    const size_t start = result.out.find("<<");
    const size_t end = result.out.rfind(">>");
    if (start == std::string::npos || end == std::string::npos || end < start)
        return "no report: " + result.out;
    return result.out.substr(start + 2, end - start - 2);
}

} // namespace testing_support
