#pragma once

#include <GL/glew.h>

class ShaderProgram;
struct FrameViewport;

// The texture unit on which the composition finds the scene image.
constexpr GLint sceneImageUnit = 25;

// The glow post-processing: shrinks the effect image into quarter-size
// targets, blurs it four times in each direction and adds the result to the
// scene image on the screen. Colour target 2 carries the blurred image from one
// frame to the next. A target of zero width or height can never be complete,
// which is how the failure path is reached on purpose. The targets are a
// quarter of the whole-frame targets; the glow fills only their lower-left
// corner that matches the drawn share of those (FrameViewport.h), and every
// pass draws that corner alone. Where the 3D view is stretched over the
// window, the glow is added into the scene image's own corner, where it
// covers as few pixels as the 3D view, and the composition only stretches
// that corner over the window: one texture read per window pixel instead of
// two, the dearest part of a scaled frame on a software renderer after the
// lighting.
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
    // target 0 with the copy program (the note program), then blurred. Ends
    // on the window's framebuffer with the viewport at the glow's corner.
    void blurForNextFrame(GLuint effectImage, const FrameViewport& view) const;
    // Draws the quad into target 0 with the program, texture and uniforms
    // that the caller has set.
    void downsample(const FrameViewport& view) const;
    // Eight separable passes between targets 1 and 2; ends on the window's
    // framebuffer with the viewport still at the glow's corner. The taps
    // are as far apart on the screen as for a glow a quarter of the window's
    // size, whatever share of the targets the frame uses.
    void blur(const FrameViewport& view) const;
    // Where the 3D view is stretched: adds the drawn corner of colour target
    // 2 into the drawn corner of the scene image, which the framebuffer
    // holds. Leaves that framebuffer bound. Does nothing otherwise.
    void addGlowTo(GLuint sceneFramebuffer, const FrameViewport& view) const;
    // Adds colour target 2 to the scene image the caller bound on
    // sceneImageUnit, drawing into the framebuffer that is bound; where the
    // 3D view is stretched addGlowTo has added it already, and the drawn
    // corner of the scene image is stretched over the framebuffer with the
    // copy program.
    void compose(const FrameViewport& view) const;

private:
    void createQuad();
    GLuint createQuadVao(const ShaderProgram& program) const;
    void createTarget(int k);
    void drawQuad() const;
    void beginGlowPass(int target, const FrameViewport& view) const;
    bool composesByCopy(const FrameViewport& view) const;
    // Makes the copy program current, reading the texture on the unit with
    // the identity placement; returns it for the caller's "renderScale".
    GLuint useCopyProgram(GLint textureUnit) const;
    void drawCopyQuad() const;
};

// The blur targets' width or height for a whole-frame target's extent: a
// quarter, rounded down.
int blurTargetExtent(int frameExtent);
