#include "app/game.h"

#include "app/Camera.h"
#include "app/GameState.h"
#include "app/gamepad.h"
#include "app/levels.h"
#include "app/player.h"
#include "platform/Platform.h"
#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/Roster.h"
#include "sound/SoundSystem.h"
#include "sound/songs.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <iterator>

namespace {

const glm::vec3 levelStartPosition(0.0f, 2.0f, -9.0f);
const glm::vec3 levelStartTarget(0.0f, 2.0f, 0.0f);
const glm::vec3 endingPosition(48.6f, 12.2f, -18.74f);
const glm::vec3 endingTarget(49.6f, 12.2f, -18.74f);
constexpr float levelStartEyeHeight = 2.0f;

// The instrument track of every pillar: [stack][bottom, middle, top].
SFMOD::Song* pillarSong(int stack, int pillar)
{
    static SFMOD::Song* const songs[4][3] = {
        {&voice2Song, &funkDrumSong, &drum1Song},
        {&noiseSound1Song, &guitarSoundSong, &tropicalSoundSong},
        {&synthBassSong, &smoothSynthSong, &guitar1Song},
        {&coolSynthSong, &voice1Song, &triphopDrumSong},
    };
    return songs[stack][pillar];
}

// The level's music: the instrument tracks and the jukebox's songs, loops of
// one length that are meant to be heard together.
SFMOD::Song* const levelMusic[] = {&triphopDrumSong, &funkDrumSong, &tropicalSoundSong, &guitarSoundSong,
    &noiseSound1Song, &synthBassSong, &coolSynthSong, &smoothSynthSong, &drum1Song, &guitar1Song, &voice1Song,
    &voice2Song, &completeSong2};

// A song joins the level's music where it is, so that a mix built up click by
// click sounds as the parts were written to sound together; into silence it
// starts from its first millisecond.
void startInTime(SFMOD::Song& song)
{
    for (const SFMOD::Song* playing : levelMusic) {
        if (playing != &song && playing->getChannel()) {
            song.playInTimeWith(*playing);
            return;
        }
    }
    song.play();
}

// The gamepad's A clicks as the left mouse button does.
bool leftButtonDown()
{
    return platform::active().isMouseButtonDown(GLFW_MOUSE_BUTTON_LEFT) || padButtonDown(GLFW_GAMEPAD_BUTTON_A);
}

bool keyDown(int key)
{
    return platform::active().isKeyDown(key);
}

void pose(plim::scene::AnimatedModel* robot, float clock)
{
    robot->evaluateNode(robot->skeleton, robot->boneOffsets, robot->boneTransforms, clock, glm::mat4(1.0f));
}

// Advances a clock in double precision and stores it as float.
void advance(float& clock, double amount)
{
    clock = static_cast<float>(clock + amount);
}

void wrap(float& clock, double limit, float restart)
{
    if (clock >= limit)
        clock = restart;
}

PillarStates pillarStates()
{
    PillarStates states;
    for (int stack = 0; stack < 4; ++stack) {
        states.on[stack][bottomPillar] = pillarStacks[stack]->isBottomActive();
        states.on[stack][middlePillar] = pillarStacks[stack]->isMiddleActive();
        states.on[stack][topPillar] = pillarStacks[stack]->isTopActive();
    }
    return states;
}

bool isPillarActive(plim::scene::PillarStack& stack, PillarLevel pillar)
{
    switch (pillar) {
    case bottomPillar:
        return stack.isBottomActive();
    case middlePillar:
        return stack.isMiddleActive();
    case topPillar:
        return stack.isTopActive();
    default:
        return false;
    }
}

glm::vec3 aimPoint(plim::scene::PillarStack& stack, PillarLevel pillar)
{
    switch (pillar) {
    case bottomPillar:
        return stack.getBottomAim();
    case middlePillar:
        return stack.getMiddleAim();
    default:
        return stack.getTopAim();
    }
}

void handlePillarClick(int stackIndex)
{
    plim::scene::PillarStack& stack = *pillarStacks[stackIndex];
    if (!leftButtonDown()) {
        stack.clickLatch = false;
        return;
    }
    glm::vec3 position = stack.getPosition();
    if (camera.rangeTest(1.5f, position.x, position.z, 1.5f) != -1.0f || stack.clickLatch)
        return;
    PillarLevel pillar = pillarAtEyeHeight(eyeHeight);
    if (pillar == noPillar || !camera.isLookingAt(aimPoint(stack, pillar), stack.getAimRadius()))
        return;
    SFMOD::Song* song = pillarSong(stackIndex, pillar);
    if (!isPillarActive(stack, pillar)) {
        startInTime(*song);
        ++activeTrackCount;
        if (song == &voice2Song && levelTwo)
            voiceTwoHeard = true;
        if (song == &voice1Song && levelTwo)
            voiceOneHeard = true;
    } else {
        song->stop();
        --activeTrackCount;
    }
    stack.togglePillarAt(eyeHeight);
    stack.clickLatch = true;
}

template <typename Action>
void forEachJukeboxSong(Action action)
{
    if (levelThree) {
        action(coolSynthSong);
    } else if (levelTwo) {
        action(completeSong2);
    } else {
        action(smoothSynthSong);
        action(noiseSound1Song);
    }
}

void handleJukebox()
{
    if (!leftButtonDown()) {
        jukeboxLatch = false;
        return;
    }
    glm::vec3 centre = jukebox->getCenter();
    if (camera.rangeTest(1.5f, centre.x, centre.z, 1.5f) != -1.0f || jukeboxLatch)
        return;
    if (!jukeboxPlaying) {
        stopAllTracks();
        forEachJukeboxSong(startInTime);
        jukeboxPlaying = true;
    } else {
        forEachJukeboxSong([](SFMOD::Song& song) { song.stop(); });
        jukeboxPlaying = false;
    }
    jukeboxLatch = true;
}

// The jukebox songs of the level now being left: no later step stops them
// once the level flags have moved on.
void stopJukebox()
{
    forEachJukeboxSong([](SFMOD::Song& song) { song.stop(); });
}

void checkLevels()
{
    if (!levelTwo && !levelThree) {
        if (matchesLevelOne(pillarStates())) {
            puzzleSolved = true;
            if (isAtDoor()) {
                startLevelTwo();
                puzzleSolved = false;
            }
        } else {
            puzzleSolved = false;
        }
    }
    if (levelTwo && !levelThree) {
        if (matchesLevelTwo(pillarStates(), voiceOneHeard, voiceTwoHeard)) {
            levelTwoSolved = true;
            if (isAtDoor())
                startLevelThree();
        } else {
            levelTwoSolved = false;
        }
    }
    if (levelThree) {
        if (matchesLevelThree(pillarStates())) {
            puzzleSolved = true;
            if (isAtDoor()) {
                startEnding();
                endingFlight = true;
            }
        } else {
            puzzleSolved = false;
        }
    }
}

// Quiet moments dim a glow to a fifth, the loudest keeps it as it is; a
// song that nothing says the loudness of glows as it always has.
float glowOf(float loudness)
{
    return loudness < 0.0f ? 1.0f : 0.2f + 0.8f * loudness;
}

} // namespace

MusicGlow musicGlowNow()
{
    MusicGlow musicGlow;
    musicGlow.shown = showMusic;
    if (!showMusic)
        return musicGlow;
    for (int stack = 0; stack < 4; ++stack)
        for (int pillar = 0; pillar < 3; ++pillar)
            musicGlow.pillars[stack][pillar] = glowOf(pillarSong(stack, pillar)->loudness());
    // Parts of one song, heard together: their loudness adds as power does.
    float power = 0.0f;
    bool known = false;
    forEachJukeboxSong([&](SFMOD::Song& song) {
        const float loudness = song.loudness();
        if (loudness >= 0.0f) {
            power += loudness * loudness;
            known = true;
        }
    });
    musicGlow.jukebox = jukeboxPlaying && known ? glowOf(std::min(1.0f, std::sqrt(power))) : 1.0f;
    return musicGlow;
}

namespace {

void pushOutOfObject(const plim::scene::MeshObject* object, float radius)
{
    glm::vec3 centre = object->getCenter();
    pushOutOf(centre.x, centre.z, radius);
}

} // namespace

void stopAllTracks()
{
    activeTrackCount = 0;
    for (plim::scene::PillarStack* stack : pillarStacks)
        stack->deactivateAll();
    for (SFMOD::Song* song : {&triphopDrumSong, &funkDrumSong, &tropicalSoundSong, &guitarSoundSong,
             &noiseSound1Song, &synthBassSong, &coolSynthSong, &smoothSynthSong, &drum1Song, &guitar1Song,
             &voice1Song, &voice2Song})
        song->stop();
}

void startLevelOne()
{
    levelOneStarted = true;
    flyMode = false;
    controlsEnabled = true;
    evilLaughSong.stop();
    eyeHeight = levelStartEyeHeight;
    camera.position = levelStartPosition;
    camera.faceTowards(levelStartTarget);
}

namespace {

// Level 2 and level 3 begin alike: at the start place and eye height, on
// foot, with the previous level's songs stopped and the house in its new
// dress. Level 3 keeps the view direction and the controls as they were.
void startLevel(bool& levelFlag, Texture* houseTexture, bool faceTheRoom, const char* loaded)
{
    if (levelFlag)
        return;
    eyeHeight = levelStartEyeHeight;
    camera.position = levelStartPosition;
    flyMode = false;
    if (faceTheRoom) {
        controlsEnabled = true;
        camera.faceTowards(levelStartTarget);
    }
    stopJukebox();
    levelFlag = true;
    stopAllTracks();
    houseNew->setTexture(houseTexture);
    jukeboxLatch = false;
    jukeboxPlaying = false;
    std::cout << loaded << std::endl;
}

} // namespace

void prepareIntro()
{
    controlsEnabled = false;
    flyMode = true;
}

void startLevelTwo()
{
    startLevel(levelTwo, houseFluffyTexture, true, "Level 2 loaded");
}

void startLevelThree()
{
    startLevel(levelThree, houseScifiTexture, false, "Level 3 loaded");
}

void startEnding()
{
    flyMode = true;
    controlsEnabled = false;
    stopJukebox();
    stopAllTracks();
    camera.position = endingPosition;
    camera.faceTowards(endingTarget);
    outroSong.play();
}

void saveMusic()
{
    const SFMOD::Song* playing[std::size(levelMusic)];
    int count = 0;
    for (const SFMOD::Song* song : levelMusic)
        if (song->getChannel())
            playing[count++] = song;
    soundSystem.saveMix(playing, count);
}

bool isAtDoor()
{
    float dx = 0.0f - camera.position.x;
    float dz = 10.0f - camera.position.z;
    float squared = static_cast<float>(static_cast<double>(dx) * dx + static_cast<double>(dz) * dz);
    return squared <= 4.0f;
}

void updateAnimations(float deltaTime)
{
    const double dt = deltaTime;
    // While no instrument plays the robots nearly freeze.
    const double dtScaled = activeTrackCount < 1 ? dt * 0.001 : dt;
    const bool victory = puzzleSolved || levelTwoSolved;
    for (std::size_t i = 0; i < sceneRosterSize; ++i) {
        const RosterEntry& entry = sceneRoster[i];
        if (entry.spinDegreesPerSecond != 0.0f)
            entry.object()->rotate(0.0, 1.0, 0.0, static_cast<float>(dtScaled * entry.spinDegreesPerSecond));
        const ClockRule& rule = entry.clock;
        if (!rule.clock)
            continue;
        advance(*rule.clock, (rule.followsMusic ? dtScaled : dt) * rule.rate);
        if (rule.extraStep != 0.0)
            advance(*rule.clock, rule.extraStep);
        if (victory && rule.victoryWrapAt != 0.0)
            wrap(*rule.clock, rule.victoryWrapAt, rule.victoryRestartAt);
        else
            wrap(*rule.clock, rule.wrapAt, rule.restartAt);
        pose(static_cast<plim::scene::AnimatedModel*>(entry.object()), *rule.clock);
    }
    for (plim::scene::PillarStack* stack : pillarStacks)
        stack->update(dt);
    soundSystem.update();
}

void handleIntroAndEnding(float deltaTime)
{
    const bool enter = keyDown(GLFW_KEY_ENTER) || padButtonDown(GLFW_GAMEPAD_BUTTON_START);
    if (enter) {
        introStarted = true;
        controlsEnabled = levelOneStarted;
        if (levelTwo) {
            if (!levelTwoNoticeDismissed) {
                levelTwoNoticeDismissed = true;
                controlsEnabled = true;
            }
            if (!levelThreeNoticeDismissed) {
                levelThreeNoticeDismissed = true;
                controlsEnabled = true;
            }
        }
    }
    if (enter || introStarted) {
        if (!introLaughStarted) {
            evilLaughSong.play();
            introLaughStarted = true;
        }
        // The flight: down to 12.2, then along +x to 51.6, then level 1.
        if (camera.position.y >= 12.2f) {
            camera.position.y -= deltaTime * 1.2f;
        } else if (camera.position.x <= 51.6f) {
            if (!levelOneStarted)
                camera.position.x += deltaTime * 0.5f;
        } else if (!levelOneStarted) {
            startLevelOne();
        }
    }
    if (endingFlight) {
        flyingRobot->translate(deltaTime * 4.0, 0.0, 0.0);
        flyingRobot->rotate(1.0, 1.0, 1.0, deltaTime * 90.0f);
        if (enter)
            stopAllTracks();
    }
}

void applyMotionAndClicks(float deltaTime)
{
    applyWalkBounds();
    animateEyeHeight(deltaTime);
    applyStairs();

    for (std::size_t i = 0; i < sceneRosterSize; ++i)
        if (sceneRoster[i].collisionRadius > 0.0f)
            pushOutOfObject(sceneRoster[i].object(), sceneRoster[i].collisionRadius);
    for (int stack = 0; stack < 4; ++stack) {
        glm::vec3 position = pillarStacks[stack]->getPosition();
        camera.pushOutOfCircle(0.5f, position.x, position.z, 0.5f);
        handlePillarClick(stack);
    }
}

void handleJukeboxLevelsAndReset()
{
    handleJukebox();
    if (smoothSynthSong.isPaused())
        std::cout << "paused";
    checkLevels();
    if (keyDown(GLFW_KEY_R) || padButtonDown(GLFW_GAMEPAD_BUTTON_B))
        stopAllTracks();
}
