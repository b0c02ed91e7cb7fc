#pragma once

#include <GL/glew.h>
#include <string>

// A GLSL program of two or three stages read from files and linked with
// "fragColor" bound to colour number 0 and the shared vertex attribute names
// bound to the fixed locations of attributeLocations.h; the spotlights'
// depth-map samplers "shadowTexture[i]" start on their units 1 + i. Any
// failure is fatal: the message is printed, the console pauses and the
// process ends with exit status -1.
class ShaderProgram {
public:
    GLuint program = 0;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint geometryShader = 0; // 0 for a program of two stages

    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath);
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath, const std::string& geometryPath);
    // A variant of a two-stage program: the defines (lines such as
    // "#define SLOT_COUNT 2") go into both stages right after their
    // #version line.
    struct Defines {
        std::string lines;
    };
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath, const Defines& defines);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    void use() const;

private:
    void build(const std::string& vertexPath, const std::string& fragmentPath, const std::string* geometryPath,
        const std::string& defines = "");
    static void compileStage(const std::string& path, GLenum type, GLuint& shader, const std::string& defines);
    void link();
    void assignDepthMapUnits() const;
};
