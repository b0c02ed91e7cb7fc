#pragma once

#include <GL/glew.h>

#include <cstddef>

// Every long-lived resource of the game, reached through one global each.
// Scene assembly fills them once before the first frame; the shutdown
// releases them with releaseRegistry. The registry owns what they point to.
// A scene object's global has an entry in the scene roster (Roster.h), which
// says what each pass does with it.

class ShaderProgram;
class Texture;
class ShadowMap;
class LightCone;
class BlurStage;
namespace plim::scene {
class Skybox;
class Model;
class AnimatedModel;
class PillarStack;
class Paper;
} // namespace plim::scene

extern ShaderProgram* cameraShader;
extern ShaderProgram* animatedCameraShader;
extern ShaderProgram* projectionShader;
extern ShaderProgram* toonShader;
extern ShaderProgram* shadowDistancesShader;
extern ShaderProgram* gaussianBlurShader;
extern ShaderProgram* addTexturesShader;
extern ShaderProgram* noteShader;
extern ShaderProgram* lightConeShader;
extern ShaderProgram* transparencyShader;
extern ShaderProgram* animatedShadowDistancesShader;
// cameraShader built for 0 to 4 spotlight slots: the lit pass draws a part of
// a surface that fewer cones reach with the variant for that many.
extern ShaderProgram* cameraSlotShaders[5];

extern Texture* woodBoxTexture;
extern Texture* metalBoxTexture;
extern Texture* robot1TopTexture;
extern Texture* robot1BottomTexture;
extern Texture* robot3Texture;
extern Texture* robot4Texture;
extern Texture* robot6Texture;
extern Texture* instrumentsTexture;
extern Texture* jukeboxTexture;
extern Texture* doorTexture;
extern Texture* helpscreenTexture;
extern Texture* level1Texture;
extern Texture* level2Texture;
extern Texture* containerTexture;
extern Texture* pinkTexture;
extern Texture* whiteTexture;
extern Texture* blackTexture;
extern Texture* starsTexture;
extern Texture* houseCellarTexture;
extern Texture* houseFluffyTexture;
extern Texture* houseScifiTexture;

extern plim::scene::Skybox* skybox;

extern plim::scene::Model* house;
extern plim::scene::Model* houseNew;
extern plim::scene::Model* stair;
extern plim::scene::Model* jukeboxFront;
extern plim::scene::Model* robot1Bottom;
extern plim::scene::Model* robot4;
extern plim::scene::Model* robot5Eyes;
extern plim::scene::Model* jukebox;
extern plim::scene::Model* door;

extern plim::scene::AnimatedModel* robot1Top;
extern plim::scene::AnimatedModel* robot3;
extern plim::scene::AnimatedModel* flyingRobot;
extern plim::scene::AnimatedModel* robot6A;
extern plim::scene::AnimatedModel* robot6B;
extern plim::scene::AnimatedModel* robot6C;
extern plim::scene::AnimatedModel* robot6D;

extern plim::scene::PillarStack* pillarStacks[4];

extern plim::scene::Paper* helpPaper;
extern plim::scene::Paper* level1Paper;
extern plim::scene::Paper* level2Paper;

extern ShadowMap* shadowMap1;
extern ShadowMap* shadowMap2;
extern ShadowMap* shadowMap3;
extern ShadowMap* shadowMap4;
extern ShadowMap* shadowMap5;
extern ShadowMap* shadowMap6;
extern ShadowMap* shadowMap7;
extern ShadowMap* shadowMap8;
extern ShadowMap* shadowMap9;
extern ShadowMap* shadowMap10;

extern LightCone* lightCone1;
extern LightCone* lightCone2;
extern LightCone* lightCone3;
extern LightCone* lightCone4;
extern LightCone* lightCone5;
extern LightCone* lightCone6;
extern LightCone* lightCone7;

extern BlurStage* blurStage;

extern GLuint sceneFramebuffer;
extern GLuint sceneTexture;
extern GLuint sceneDepthBuffer;
extern GLuint effectFramebuffer;
extern GLuint effectTexture;

// Every texture of the registry, once; the plain colours keep their sampling
// when F4 and F5 switch the others'.
struct RegistryTexture {
    Texture** texture;
    bool plainColour;
};
extern const RegistryTexture registryTextures[];
extern const std::size_t registryTextureCount;

// Deletes every object of the registry, one after the other (the scene
// objects as the roster lists them), and then the whole-frame targets; every
// pointer is null and every name 0 afterwards.
void releaseRegistry();
