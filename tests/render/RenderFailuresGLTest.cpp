// Fatal failures of programs and textures, each run in a child process that
// opens its own GL context: the exact console lines and exit status 255.
#include "render/ShaderProgram.h"
#include "render/Texture.h"

#include "support/ChildProcess.h"
#include "support/GlTestContext.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ChildResult;
using testing_support::runInChild;

const char* vertexSource = "#version 150 core\nin vec3 position;\n"
                           "void main() { gl_Position = vec4(position, 1.0); }\n";
const char* fragmentSource = "#version 150 core\nout vec4 fragColor;\n"
                             "void main() { fragColor = vec4(1.0); }\n";

std::string file(const std::string& name, const std::string& text)
{
    static const std::string directory = testing_support::makeTempDirectory("clankora-failures");
    std::string path = directory + "/" + name;
    testing_support::writeFile(path, text);
    return path;
}

ChildResult buildInChild(const std::string& vertex, const std::string& fragment)
{
    return runInChild([&] {
        if (!testing_support::glContext())
            return 99;
        ShaderProgram program(vertex, fragment);
        return 0;
    });
}

TEST(ShaderProgramFailure, MissingFileNamesThePathAndExitsMinusOne)
{
    std::string missing = "OpenGL/Shader/doesNotExist.vert";
    ChildResult result = buildInChild(missing, file("ok.frag", fragmentSource));
    EXPECT_EQ(result.out, "Failed to open shader file: " + missing + "\n");
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_FALSE(result.timedOut) << "the console pause must not wait with stdin closed";
    EXPECT_LT(result.seconds, 10.0);
}

TEST(ShaderProgramFailure, EmptyFileFailsToCompileWithItsLog)
{
    ChildResult result = buildInChild(file("ok.vert", vertexSource), file("empty.frag", ""));
    EXPECT_EQ(result.out.rfind("Failed to compile shader\n", 0), 0u) << result.out;
    EXPECT_GT(result.out.size(), std::string("Failed to compile shader\n").size() + 1) << "the info log follows";
    EXPECT_EQ(result.exitStatus, 255);
}

TEST(ShaderProgramFailure, MismatchedStagesFailToLinkWithItsLog)
{
    // Each stage compiles on its own; the vertex stage has no main, so linking fails.
    const char* noMain = "#version 150 core\nin vec3 position;\nvec4 lift() { return vec4(position, 1.0); }\n";
    ChildResult result = buildInChild(file("nomain.vert", noMain), file("ok2.frag", fragmentSource));
    EXPECT_EQ(result.out.rfind("Failed to link shader program\n", 0), 0u) << result.out;
    EXPECT_EQ(result.exitStatus, 255);
}

ChildResult loadTextureInChild(const std::string& path)
{
    return runInChild([&] {
        if (!testing_support::glContext())
            return 99;
        Texture texture(path);
        return 0;
    });
}

TEST(TextureFailure, MissingImageEndsWithMinusOneNotSuccess)
{
    ChildResult result = loadTextureInChild("OpenGL/Textures/missing.png");
    EXPECT_EQ(result.err, "'Error occured while loading image\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exitStatus, 255);
}

TEST(TextureFailure, CorruptOrUnknownFilesEndTheSameWay)
{
    ChildResult corrupt = loadTextureInChild(file("corrupt.png", "\x89PNG\r\n\x1a\nthis is not an image"));
    EXPECT_EQ(corrupt.err, "'Error occured while loading image\n");
    EXPECT_EQ(corrupt.exitStatus, 255);
    EXPECT_EQ(corrupt.signal, 0);

    ChildResult noExtension = loadTextureInChild(file("picture", "whatever"));
    EXPECT_EQ(noExtension.exitStatus, 255);
}

} // namespace
