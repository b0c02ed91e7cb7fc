#include "render/ShaderProgram.h"

#include "app/console.h"
#include "render/attributeLocations.h"
#include "render/Spotlights.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath)
{
    build(vertexPath, fragmentPath, nullptr);
}

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
    const std::string& geometryPath)
{
    build(vertexPath, fragmentPath, &geometryPath);
}

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath, const Defines& defines)
{
    build(vertexPath, fragmentPath, nullptr, defines.lines);
}

ShaderProgram::~ShaderProgram()
{
    glDeleteProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    glDeleteShader(geometryShader);
}

void ShaderProgram::use() const
{
    glUseProgram(program);
}

void ShaderProgram::build(const std::string& vertexPath, const std::string& fragmentPath,
    const std::string* geometryPath, const std::string& defines)
{
    program = glCreateProgram();
    if (program == 0) {
        std::cout << "Didn't get a valid program!";
        pauseAndExit();
    }
    compileStage(vertexPath, GL_VERTEX_SHADER, vertexShader, defines);
    compileStage(fragmentPath, GL_FRAGMENT_SHADER, fragmentShader, defines);
    if (geometryPath)
        compileStage(*geometryPath, GL_GEOMETRY_SHADER, geometryShader, defines);
    link();
}

void ShaderProgram::compileStage(const std::string& path, GLenum type, GLuint& shader, const std::string& defines)
{
    std::ifstream file(path);
    if (!file.is_open()) {
        std::cout << "Failed to open shader file: " << path << std::endl;
        pauseAndExit();
    }
    std::stringstream text;
    text << file.rdbuf();
    file.close();
    std::string source = text.str();
    // The #version line must stay the first.
    if (!defines.empty()) {
        const size_t versionLine = source.find("#version");
        const size_t lineEnd = versionLine == std::string::npos ? std::string::npos : source.find('\n', versionLine);
        source.insert(lineEnd == std::string::npos ? 0 : lineEnd + 1, defines);
    }

    shader = glCreateShader(type);
    if (shader == 0) {
        std::cout << "Failed to create shader" << std::endl;
        pauseAndExit();
    }
    const char* sourcePointer = source.c_str();
    glShaderSource(shader, 1, &sourcePointer, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != 0 && glIsShader(shader))
        return;

    GLint logLength = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<char> log(static_cast<size_t>(logLength > 0 ? logLength : 1), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::cout << "Failed to compile shader" << std::endl;
    std::cout << log.data() << std::endl;
    pauseAndExit();
}

void ShaderProgram::link()
{
    glAttachShader(program, vertexShader);
    if (geometryShader != 0)
        glAttachShader(program, geometryShader);
    glAttachShader(program, fragmentShader);
    glBindFragDataLocation(program, 0, "fragColor");
    glBindAttribLocation(program, attributeLocations::position, "position");
    glBindAttribLocation(program, attributeLocations::normal, "normal");
    glBindAttribLocation(program, attributeLocations::uv, "uv");
    glBindAttribLocation(program, attributeLocations::tangent, "tangent");
    glBindAttribLocation(program, attributeLocations::boneId, "boneId");
    glBindAttribLocation(program, attributeLocations::boneWeight, "boneWeight");
    glLinkProgram(program);
    GLint status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != 0) {
        assignDepthMapUnits();
        return;
    }

    GLint logLength = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<char> log(static_cast<size_t>(logLength > 0 ? logLength : 1), '\0');
    glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::cout << "Failed to link shader program" << std::endl;
    std::cout << log.data() << std::endl;
    pauseAndExit();
}

void ShaderProgram::assignDepthMapUnits() const
{
    // Every sampler starts on unit 0. A program that reads the spotlights'
    // depth maps would then hold a 2D and a shadow sampler on one unit, which
    // conforming drivers refuse to draw with; the animated lit program, whose
    // depth-map samplers nobody sets, would never draw at all. GL 3.2 sets
    // uniforms only on the current program, and none is current afterwards.
    bool used = false;
    for (int slot = 0; slot < spotlightSlotCount; ++slot) {
        const GLint location = glGetUniformLocation(program, spotlightSlotNames[slot].shadowTexture);
        if (location == -1)
            continue;
        if (!used)
            glUseProgram(program);
        used = true;
        glUniform1i(location, shadowTextureUnit(slot));
    }
    if (used)
        glUseProgram(0);
}
