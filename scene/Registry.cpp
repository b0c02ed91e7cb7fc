#include "scene/Registry.h"

#include "render/BlurStage.h"
#include "render/LightCone.h"
#include "render/ShaderProgram.h"
#include "render/ShadowMap.h"
#include "render/Texture.h"
#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/Paper.h"
#include "scene/PillarStack.h"
#include "scene/Roster.h"
#include "scene/Skybox.h"

ShaderProgram* cameraShader = nullptr;
ShaderProgram* animatedCameraShader = nullptr;
ShaderProgram* projectionShader = nullptr;
ShaderProgram* toonShader = nullptr;
ShaderProgram* shadowDistancesShader = nullptr;
ShaderProgram* gaussianBlurShader = nullptr;
ShaderProgram* addTexturesShader = nullptr;
ShaderProgram* noteShader = nullptr;
ShaderProgram* lightConeShader = nullptr;
ShaderProgram* transparencyShader = nullptr;
ShaderProgram* animatedShadowDistancesShader = nullptr;
ShaderProgram* cameraSlotShaders[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};

Texture* woodBoxTexture = nullptr;
Texture* metalBoxTexture = nullptr;
Texture* robot1TopTexture = nullptr;
Texture* robot1BottomTexture = nullptr;
Texture* robot3Texture = nullptr;
Texture* robot4Texture = nullptr;
Texture* robot6Texture = nullptr;
Texture* instrumentsTexture = nullptr;
Texture* jukeboxTexture = nullptr;
Texture* doorTexture = nullptr;
Texture* helpscreenTexture = nullptr;
Texture* level1Texture = nullptr;
Texture* level2Texture = nullptr;
Texture* containerTexture = nullptr;
Texture* pinkTexture = nullptr;
Texture* whiteTexture = nullptr;
Texture* blackTexture = nullptr;
Texture* starsTexture = nullptr;
Texture* houseCellarTexture = nullptr;
Texture* houseFluffyTexture = nullptr;
Texture* houseScifiTexture = nullptr;

plim::scene::Skybox* skybox = nullptr;

plim::scene::Model* house = nullptr;
plim::scene::Model* houseNew = nullptr;
plim::scene::Model* stair = nullptr;
plim::scene::Model* jukeboxFront = nullptr;
plim::scene::Model* robot1Bottom = nullptr;
plim::scene::Model* robot4 = nullptr;
plim::scene::Model* robot5Eyes = nullptr;
plim::scene::Model* jukebox = nullptr;
plim::scene::Model* door = nullptr;

plim::scene::AnimatedModel* robot1Top = nullptr;
plim::scene::AnimatedModel* robot3 = nullptr;
plim::scene::AnimatedModel* flyingRobot = nullptr;
plim::scene::AnimatedModel* robot6A = nullptr;
plim::scene::AnimatedModel* robot6B = nullptr;
plim::scene::AnimatedModel* robot6C = nullptr;
plim::scene::AnimatedModel* robot6D = nullptr;

plim::scene::PillarStack* pillarStacks[4] = {nullptr, nullptr, nullptr, nullptr};

plim::scene::Paper* helpPaper = nullptr;
plim::scene::Paper* level1Paper = nullptr;
plim::scene::Paper* level2Paper = nullptr;

ShadowMap* shadowMap1 = nullptr;
ShadowMap* shadowMap2 = nullptr;
ShadowMap* shadowMap3 = nullptr;
ShadowMap* shadowMap4 = nullptr;
ShadowMap* shadowMap5 = nullptr;
ShadowMap* shadowMap6 = nullptr;
ShadowMap* shadowMap7 = nullptr;
ShadowMap* shadowMap8 = nullptr;
ShadowMap* shadowMap9 = nullptr;
ShadowMap* shadowMap10 = nullptr;

LightCone* lightCone1 = nullptr;
LightCone* lightCone2 = nullptr;
LightCone* lightCone3 = nullptr;
LightCone* lightCone4 = nullptr;
LightCone* lightCone5 = nullptr;
LightCone* lightCone6 = nullptr;
LightCone* lightCone7 = nullptr;

BlurStage* blurStage = nullptr;

GLuint sceneFramebuffer = 0;
GLuint sceneTexture = 0;
GLuint sceneDepthBuffer = 0;
GLuint effectFramebuffer = 0;
GLuint effectTexture = 0;

namespace {

template <typename T>
void release(T*& object)
{
    delete object;
    object = nullptr;
}

} // namespace

const RegistryTexture registryTextures[] = {
    {&woodBoxTexture, false}, {&metalBoxTexture, false}, {&robot1TopTexture, false}, {&robot1BottomTexture, false},
    {&robot3Texture, false}, {&robot4Texture, false}, {&robot6Texture, false}, {&instrumentsTexture, false},
    {&jukeboxTexture, false}, {&doorTexture, false}, {&helpscreenTexture, false}, {&level1Texture, false},
    {&level2Texture, false}, {&containerTexture, false}, {&pinkTexture, true}, {&whiteTexture, true},
    {&blackTexture, true}, {&starsTexture, false}, {&houseCellarTexture, false}, {&houseFluffyTexture, false},
    {&houseScifiTexture, false}};
const std::size_t registryTextureCount = sizeof(registryTextures) / sizeof(registryTextures[0]);

void releaseRegistry()
{
    for (ShaderProgram** program : {&cameraShader, &animatedCameraShader, &projectionShader, &toonShader,
             &shadowDistancesShader, &gaussianBlurShader, &addTexturesShader, &noteShader, &lightConeShader,
             &transparencyShader, &animatedShadowDistancesShader})
        release(*program);
    for (ShaderProgram*& program : cameraSlotShaders)
        release(program);

    release(skybox);
    for (std::size_t i = 0; i < sceneRosterSize; ++i)
        sceneRoster[i].release();
    for (plim::scene::PillarStack*& stack : pillarStacks)
        release(stack);
    for (plim::scene::Paper** paper : {&helpPaper, &level1Paper, &level2Paper})
        release(*paper);

    for (const RegistryTexture& texture : registryTextures)
        release(*texture.texture);

    for (ShadowMap** spotlight : {&shadowMap1, &shadowMap2, &shadowMap3, &shadowMap4, &shadowMap5, &shadowMap6,
             &shadowMap7, &shadowMap8, &shadowMap9, &shadowMap10})
        release(*spotlight);
    for (LightCone** cone : {&lightCone1, &lightCone2, &lightCone3, &lightCone4, &lightCone5, &lightCone6, &lightCone7})
        release(*cone);
    release(blurStage);

    glDeleteTextures(1, &sceneTexture);
    glDeleteTextures(1, &effectTexture);
    glDeleteRenderbuffers(1, &sceneDepthBuffer);
    glDeleteFramebuffers(1, &sceneFramebuffer);
    glDeleteFramebuffers(1, &effectFramebuffer);
    sceneTexture = effectTexture = sceneDepthBuffer = sceneFramebuffer = effectFramebuffer = 0;
}
