#pragma once

#include <GL/glew.h>

class ShaderProgram;
struct FrameViewport;

// Where on the screen this frame's effect image can hold a glow: the union
// of the glowing objects' projected bounding spheres, in normalised device
// coordinates. Everywhere else the effect image is black, and so is its
// blurred glow.
struct GlowArea {
    float left = 1.0f;
    float bottom = 1.0f;
    float right = -1.0f;
    float top = -1.0f;

    bool empty() const { return left >= right || bottom >= top; }
    void add(float x0, float y0, float x1, float y1);
};

// The texture unit on which the composition finds the scene image.
constexpr GLint sceneImageUnit = 25;

// The glow post-processing: shrinks the effect image into quarter-size
// targets, blurs it four times in each direction and adds the result to the
// scene image on the screen. Colour target 2 carries the blurred image from one
// frame to the next. A target of zero width or height can never be complete,
// which is how the failure path is reached on purpose. The targets are a
// quarter of the whole-frame targets; the glow fills only their lower-left
// corner that matches the drawn share of those (FrameViewport.h), and every
// pass draws that corner alone, and within it only the area that can glow.
// The glow is then added into the scene image's own corner, where it covers
// as few pixels as the 3D view and only the area the last blur drew, and the
// composition only copies or stretches that corner over the window: one
// texture read per window pixel instead of two, the dearest part of a frame
// on a software renderer after the lighting.
class BlurStage {
public:
    GLuint colorTextures[3] = {0, 0, 0};
    GLuint compositionVao = 0; // attribute locations of compositionShader
    GLuint blurVao = 0;        // attribute locations of blurShader; also drawn with the note program
    GLuint positionBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint framebuffers[3] = {0, 0, 0};
    GLuint depthBuffers[3] = {0, 0, 0};
    bool complete = true; // false: downsample, blur and compose do nothing
    int width;
    int height;
    ShaderProgram* compositionShader;
    ShaderProgram* blurShader;
    ShaderProgram* copyShader; // the note program; without it every scale composes as at 1

    // Needs addTexturesShader and gaussianBlurShader built; takes noteShader
    // as the copy program. Leaves framebuffer 2 bound; prints "Problem mit
    // Framebuffer" for every incomplete target.
    BlurStage(int width, int height);
    ~BlurStage();
    BlurStage(const BlurStage&) = delete;
    BlurStage& operator=(const BlurStage&) = delete;

    // The frame's glow for the next frame: the effect image shrunk into
    // target 0 with the copy program (the note program), then blurred. Only
    // the area that can glow, widened by how far the blur reaches, is drawn;
    // the rest of each target is cleared to the black the blur would give
    // it. Ends on the window's framebuffer with the viewport at the glow's
    // corner.
    void blurForNextFrame(GLuint effectImage, const FrameViewport& view, const GlowArea& area) const;
    // Draws the quad into target 0 with the program, texture and uniforms
    // that the caller has set.
    // With an area, only its part of the glow's corner is drawn.
    void downsample(const FrameViewport& view, const GlowArea* area = nullptr) const;
    // Eight separable passes between targets 1 and 2; ends on the window's
    // framebuffer with the viewport still at the glow's corner. The taps
    // are as far apart on the screen as for a glow a quarter of the window's
    // size, whatever share of the targets the frame uses.
    void blur(const FrameViewport& view, const GlowArea* area = nullptr) const;
    // Adds the drawn corner of colour target 2, where the last blur drew,
    // into the drawn corner of the scene image, which the framebuffer holds.
    // Leaves that framebuffer bound. Does nothing without the copy program.
    void addGlowTo(GLuint sceneFramebuffer, const FrameViewport& view) const;
    // Puts the scene image the caller bound on sceneImageUnit, with its glow,
    // into the framebuffer that is bound: addGlowTo has added the glow
    // already, and the drawn corner is copied or stretched over the
    // framebuffer with the copy program. Without that program,
    // compositionShader adds colour target 2 as it goes.
    void compose(const FrameViewport& view) const;

private:
    void createQuad();
    GLuint createQuadVao(const ShaderProgram& program) const;
    void createTarget(int k);
    void drawQuad() const;
    void beginGlowPass(int target, const FrameViewport& view, const GlowArea* area) const;
    // The area the last blur drew, which the glow can be other than black
    // in; everything before the first.
    mutable GlowArea blurredArea{-1.0f, -1.0f, 1.0f, 1.0f};
    // Glow texels the eight blur passes and the down-sampling's filter reach
    // from a lit one: each pass about 4.3 texels, at most one per tap step.
    static constexpr int glowReach = 20;
    bool composesByCopy() const;
    // Makes the copy program current, reading the texture on the unit with
    // the identity placement; returns it for the caller's "renderScale".
    GLuint useCopyProgram(GLint textureUnit) const;
    void drawCopyQuad() const;
};

// The blur targets' width or height for a whole-frame target's extent: a
// quarter, rounded down.
int blurTargetExtent(int frameExtent);
