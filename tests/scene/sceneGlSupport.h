#pragma once

// Shared pieces of the scene GL tests: the programs the objects take from the
// registry, solid-colour textures, a camera, an off-screen target, a
// primitive counter, a recorder of uniform look-ups and buffer uploads, and a
// census of live GL objects.

#include "support/GlTestContext.h"
#include "support/PixelReadBack.h"

#include "app/Camera.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"
#include "scene/Registry.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <glm/glm.hpp>

#include <string>
#include <vector>

namespace scenetest {

// The shared programs the scene objects read from the registry (working
// directory: the game folder, where the build copies the shaders).
inline void buildScenePrograms()
{
    if (!cameraShader)
        cameraShader = new ShaderProgram("OpenGL/Shader/camera.vert", "OpenGL/Shader/camera.frag");
    if (!animatedCameraShader)
        animatedCameraShader = new ShaderProgram("OpenGL/Shader/animatedCamera.vert", "OpenGL/Shader/camera.frag");
    if (!projectionShader)
        projectionShader = new ShaderProgram("OpenGL/Shader/projection.vert", "OpenGL/Shader/projection.frag");
    if (!shadowDistancesShader)
        shadowDistancesShader
            = new ShaderProgram("OpenGL/Shader/shadowdistances.vert", "OpenGL/Shader/shadowdistances.frag");
    if (!animatedShadowDistancesShader)
        animatedShadowDistancesShader
            = new ShaderProgram("OpenGL/Shader/animatedshadowdistances.vert", "OpenGL/Shader/shadowdistances.frag");
    if (!noteShader)
        noteShader = new ShaderProgram("OpenGL/Shader/note.vert", "OpenGL/Shader/note.frag");
}

inline void releaseScenePrograms()
{
    for (ShaderProgram** program : {&cameraShader, &animatedCameraShader, &projectionShader, &shadowDistancesShader,
             &animatedShadowDistancesShader, &noteShader}) {
        delete *program;
        *program = nullptr;
    }
}

// A small PNG of one colour.
inline void writeSolidPng(const std::string& path, int red, int green, int blue)
{
    FIBITMAP* image = FreeImage_Allocate(4, 4, 24);
    RGBQUAD colour{};
    colour.rgbRed = static_cast<BYTE>(red);
    colour.rgbGreen = static_cast<BYTE>(green);
    colour.rgbBlue = static_cast<BYTE>(blue);
    for (unsigned x = 0; x < 4; ++x)
        for (unsigned y = 0; y < 4; ++y)
            FreeImage_SetPixelColor(image, x, y, &colour);
    FreeImage_Save(FIF_PNG, image, path.c_str(), 0);
    FreeImage_Unload(image);
}

inline Texture* solidTexture(const std::string& directory, const std::string& name, int red, int green, int blue)
{
    const std::string path = directory + "/" + name + ".png";
    writeSolidPng(path, red, green, blue);
    return new Texture(path);
}

// A camera at eye looking at target, with a square viewport and a white
// point light at the eye.
inline Camera cameraLookingAt(const glm::vec3& eye, const glm::vec3& target, int viewportSize = 64)
{
    Camera viewer;
    viewer.position = eye;
    viewer.faceTowards(target);
    viewer.aspectRatio = 1.0f;
    viewer.viewportWidth = static_cast<float>(viewportSize);
    viewer.viewportHeight = static_cast<float>(viewportSize);
    viewer.lightPosition = eye;
    viewer.lightIntensities = glm::vec3(1.0f);
    return viewer;
}

// Colour and depth target for pixel read-back.
class OffscreenTarget {
public:
    explicit OffscreenTarget(int size)
        : size(size)
    {
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glGenRenderbuffers(1, &depth);
        glBindRenderbuffer(GL_RENDERBUFFER, depth);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size, size);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    ~OffscreenTarget()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(1, &depth);
        glDeleteTextures(1, &colour);
    }
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    bool complete() const { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }
    void clear(float red, float green, float blue)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, size, size);
        glClearColor(red, green, blue, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // Rows start at the bottom.
    glm::ivec4 pixel(int x, int y) const { return testing_support::readColourAt(framebuffer, x, y); }

    int size;
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
};

// Primitives that reached the rasteriser set-up between construction and count().
class PrimitiveCounter {
public:
    PrimitiveCounter()
    {
        glGenQueries(1, &query);
        glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    }
    ~PrimitiveCounter() { glDeleteQueries(1, &query); }
    PrimitiveCounter(const PrimitiveCounter&) = delete;
    PrimitiveCounter& operator=(const PrimitiveCounter&) = delete;
    GLuint count()
    {
        glEndQuery(GL_PRIMITIVES_GENERATED);
        GLuint primitives = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
        return primitives;
    }

private:
    GLuint query = 0;
};

// Swaps GLEW's entry points for recording ones while alive: the names the
// code looks uniforms up by, in order, and every buffer data upload.
class GlCallRecorder {
public:
    GlCallRecorder()
    {
        names().clear();
        bufferUploads() = 0;
        realGetUniformLocation() = __glewGetUniformLocation;
        realBufferData() = __glewBufferData;
        realBufferSubData() = __glewBufferSubData;
        __glewGetUniformLocation = &recordUniformLocation;
        __glewBufferData = &recordBufferData;
        __glewBufferSubData = &recordBufferSubData;
    }
    ~GlCallRecorder()
    {
        __glewGetUniformLocation = realGetUniformLocation();
        __glewBufferData = realBufferData();
        __glewBufferSubData = realBufferSubData();
    }
    GlCallRecorder(const GlCallRecorder&) = delete;
    GlCallRecorder& operator=(const GlCallRecorder&) = delete;

    static std::vector<std::string>& names()
    {
        static std::vector<std::string> recorded;
        return recorded;
    }
    static int& bufferUploads()
    {
        static int count = 0;
        return count;
    }

private:
    static PFNGLGETUNIFORMLOCATIONPROC& realGetUniformLocation()
    {
        static PFNGLGETUNIFORMLOCATIONPROC real = nullptr;
        return real;
    }
    static PFNGLBUFFERDATAPROC& realBufferData()
    {
        static PFNGLBUFFERDATAPROC real = nullptr;
        return real;
    }
    static PFNGLBUFFERSUBDATAPROC& realBufferSubData()
    {
        static PFNGLBUFFERSUBDATAPROC real = nullptr;
        return real;
    }
    static GLint GLAPIENTRY recordUniformLocation(GLuint program, const GLchar* name)
    {
        names().emplace_back(name);
        return realGetUniformLocation()(program, name);
    }
    static void GLAPIENTRY recordBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage)
    {
        ++bufferUploads();
        realBufferData()(target, size, data, usage);
    }
    static void GLAPIENTRY recordBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const void* data)
    {
        ++bufferUploads();
        realBufferSubData()(target, offset, size, data);
    }
};

// The lit uniforms in the order every lit draw uploads them.
inline std::vector<std::string> litUniformOrder(bool withPointLightCopy = false)
{
    std::vector<std::string> order = {"cameraMatrix", "colorTexture", "modelMatrix", "light.position"};
    if (withPointLightCopy)
        order.push_back("Lpos");
    for (const char* name : {"light.intensities", "cameraPosition", "materialShininess", "materialSpecularColor",
             "light.attenuation", "light.ambientCoefficient", "transparency"})
        order.push_back(name);
    return order;
}

inline float uniformFloat(GLuint program, const char* name)
{
    float value = -1.0f;
    glGetUniformfv(program, glGetUniformLocation(program, name), &value);
    return value;
}

inline glm::mat4 uniformMatrix(GLuint program, const char* name)
{
    glm::mat4 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), &value[0][0]);
    return value;
}

// How many GL objects of each kind exist, found by asking every name up to a
// bound that no test comes near.
struct GlObjectCensus {
    int buffers = 0;
    int vertexArrays = 0;
    int programs = 0;
    int shaders = 0;
    int textures = 0;
    bool operator==(const GlObjectCensus& other) const
    {
        return buffers == other.buffers && vertexArrays == other.vertexArrays && programs == other.programs
            && shaders == other.shaders && textures == other.textures;
    }
};

inline GlObjectCensus liveGlObjects()
{
    GlObjectCensus census;
    for (GLuint name = 1; name < 4096; ++name) {
        census.buffers += glIsBuffer(name) ? 1 : 0;
        census.vertexArrays += glIsVertexArray(name) ? 1 : 0;
        census.programs += glIsProgram(name) ? 1 : 0;
        census.shaders += glIsShader(name) ? 1 : 0;
        census.textures += glIsTexture(name) ? 1 : 0;
    }
    return census;
}

inline std::ostream& operator<<(std::ostream& out, const GlObjectCensus& c)
{
    return out << "{buffers " << c.buffers << ", vertex arrays " << c.vertexArrays << ", programs " << c.programs
               << ", shaders " << c.shaders << ", textures " << c.textures << "}";
}

// Bindings a culled draw must leave alone.
struct Bindings {
    GLint program = 0;
    GLint vertexArray = 0;
    GLint texture = 0;
    bool operator==(const Bindings& other) const
    {
        return program == other.program && vertexArray == other.vertexArray && texture == other.texture;
    }
};

inline Bindings currentBindings()
{
    Bindings b;
    glGetIntegerv(GL_CURRENT_PROGRAM, &b.program);
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &b.vertexArray);
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &b.texture);
    return b;
}

} // namespace scenetest
