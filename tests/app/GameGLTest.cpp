// The game's own steps on the assembled scene, outside the frame loop: the
// robots' animation clocks, the push-out list with the pillar clicks, the
// ending and the jukebox's songs in each level. Each test assembles the
// real scene in a small window of its own in a child process and prints what
// it finds wrong; nothing printed means all is well.
#include "app/Camera.h"
#include "app/GameState.h"
#include "app/game.h"
#include "app/player.h"
#include "app/shell.h"
#include "scene/AnimatedModel.h"
#include "scene/Model.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "scene/buildScene.h"
#include "sound/Song.h"
#include "sound/songs.h"

#include "assets/GameModel.h"
#include "support/AssembledScene.h"
#include "support/ScriptedInput.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>

namespace {

// A small window keeps the assembly quick.
const std::string smallWindow = "0\n160\n120\n0\n";

bool near(float a, double b, double tolerance = 1e-4)
{
    return std::fabs(static_cast<double>(a) - b) <= tolerance;
}

struct RobotClock {
    const char* name;
    float* clock;
    double rate;     // clock units per second while a track plays
    double perFrame; // added every frame on top
    bool freezes;    // nearly stops while no track plays
    game_model::Clip clip;
};

// Every clock with the clip of its model file it plays.
std::vector<RobotClock> robotClocks()
{
    const std::vector<game_model::Clip> dances = game_model::clipsOf("Model/robots/Robot6_animated3.dae");
    return {
        {"robot1Top", &robot1TopClock, 0.8, 0.01, true,
            game_model::clipsOf("Model/robots/Robot1_merged_animated_top.dae")[0]},
        {"robot3", &robot3Clock, 2.0, 0.0, true, game_model::clipsOf("Model/robots/Robot3_1.dae")[0]},
        {"flyingRobot", &flyingRobotClock, 0.5, 0.0, false, game_model::clipsOf("Model/robots/vok_merged.dae")[0]},
        {"robot6A", &robot6AClock, 2.5, 0.0, true, dances[0]},
        {"robot6B", &robot6BClock, 2.0, 0.0, true, dances[0]},
        {"robot6C", &robot6CClock, 1.5, 0.0, true, dances[1]},
        {"robot6D", &robot6DClock, 1.2, 0.0, true, dances[3]},
    };
}

TEST(Game, RobotClocksRunAtTheirRatesFreezeWithoutMusicAndWrapAtTheEndOfTheirClips)
{
    const std::string found = testing_support::inAssembledScene(smallWindow, [](std::ostream& out) {
        std::vector<RobotClock> clocks = robotClocks();
        for (int tracks : {1, 0}) {
            activeTrackCount = tracks;
            for (RobotClock& c : clocks)
                *c.clock = static_cast<float>(c.clip.start);
            updateAnimations(0.1f);
            for (RobotClock& c : clocks) {
                const double rate = tracks == 0 && c.freezes ? c.rate * 0.001 : c.rate;
                if (!near(*c.clock, c.clip.start + rate * 0.1 + c.perFrame))
                    out << c.name << " with " << tracks << " tracks: " << *c.clock << '\n';
            }
        }
        // A minute at 30 frames a second: every clock wraps and stays in its clip.
        activeTrackCount = 1;
        std::vector<int> wraps(clocks.size(), 0);
        for (int frame = 0; frame < 1800; ++frame) {
            std::vector<float> before;
            for (RobotClock& c : clocks)
                before.push_back(*c.clock);
            updateAnimations(1.0f / 30.0f);
            for (size_t k = 0; k < clocks.size(); ++k) {
                const RobotClock& c = clocks[k];
                wraps[k] += *c.clock < before[k] ? 1 : 0;
                if (*c.clock < c.clip.start - 1e-5 || *c.clock >= c.clip.end)
                    out << c.name << " left its clip at " << *c.clock << '\n';
            }
        }
        for (size_t k = 0; k < clocks.size(); ++k)
            if (wraps[k] == 0)
                out << clocks[k].name << " never wrapped\n";
        // Once the puzzle is solved robot6B dances its victory clip.
        const game_model::Clip victory = game_model::clipsOf("Model/robots/Robot6_animated3.dae")[2];
        puzzleSolved = true;
        robot6BClock = static_cast<float>(victory.start);
        bool wrapped = false;
        for (int frame = 0; frame < 300; ++frame) {
            const float before = robot6BClock;
            updateAnimations(1.0f / 30.0f);
            wrapped = wrapped || robot6BClock < before;
            if (robot6BClock < victory.start - 1e-5 || robot6BClock >= victory.end)
                out << "robot6B left its victory clip at " << robot6BClock << '\n';
        }
        if (!wrapped)
            out << "robot6B's victory dance never wrapped\n";
    });
    EXPECT_EQ(found, "");
}

TEST(Game, PushOutUsesEachObjectsRadiusInListOrderAndAStackClicksAfterItsOwnPushOut)
{
    const std::string found = testing_support::inAssembledScene(smallWindow, [](std::ostream& out) {
        testing_support::ScriptedInput input("wait 1\nclick\n");
        input.step();
        flyMode = true; // no walk bounds, no stairs: only the push-out moves the camera
        controlsEnabled = true;
        const std::vector<std::pair<const char*, glm::vec3>> colliders = {
            {"robot1Top", robot1Top->getCenter()}, {"robot1Bottom", robot1Bottom->getCenter()},
            {"robot3", robot3->getCenter()}, {"robot4", robot4->getCenter()},
            {"flyingRobot", flyingRobot->getCenter()}, {"robot6A", robot6A->getCenter()},
            {"robot6B", robot6B->getCenter()}, {"robot6C", robot6C->getCenter()},
            {"robot6D", robot6D->getCenter()}, {"jukebox", jukebox->getCenter()}, {"door", door->getCenter()},
            {"stack 0", pillarStacks[0]->getPosition()}, {"stack 1", pillarStacks[1]->getPosition()},
            {"stack 2", pillarStacks[2]->getPosition()}, {"stack 3", pillarStacks[3]->getPosition()}};
        const float radii[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1.6f, 0.4f, 1, 1, 1, 1};
        auto flat = [](glm::vec3 p) { return glm::vec2(p.x, p.z); };
        // Just inside each circle, on the side away from its nearest neighbour.
        for (size_t k = 0; k < colliders.size(); ++k) {
            const glm::vec2 centre = flat(colliders[k].second);
            glm::vec2 away(1.0f, 0.0f);
            float nearest = 1e9f;
            for (size_t j = 0; j < colliders.size(); ++j) {
                const float d = glm::distance(centre, flat(colliders[j].second));
                if (j != k && d > 1e-3f && d < nearest) {
                    nearest = d;
                    away = glm::normalize(centre - flat(colliders[j].second));
                }
            }
            camera.position = glm::vec3(centre.x + 0.05f * away.x, 2.0f, centre.y + 0.05f * away.y);
            applyMotionAndClicks(0.0f);
            const float distance = glm::distance(flat(camera.position), centre);
            if (std::fabs(distance - radii[k]) > 1e-3f)
                out << colliders[k].first << " pushed out to " << distance << '\n';
        }
        // Where robot6C's and robot6D's circles overlap, the later push wins:
        // out of 6C onto the line between them, then out of 6D back into 6C.
        const glm::vec2 c = flat(robot6C->getCenter());
        const glm::vec2 d = flat(robot6D->getCenter());
        if (glm::distance(c, d) >= 2.0f) {
            out << "robot6C and robot6D no longer overlap\n";
        } else {
            const glm::vec2 between = 0.5f * (c + d);
            camera.position = glm::vec3(between.x, 2.0f, between.y);
            applyMotionAndClicks(0.0f);
            const glm::vec2 end = flat(camera.position);
            if (std::fabs(glm::distance(end, d) - 1.0f) > 1e-3f || glm::distance(end, c) >= 1.0f)
                out << "between robot6C and robot6D the camera ended " << glm::distance(end, c) << " from 6C and "
                    << glm::distance(end, d) << " from 6D\n";
        }
        // High above stack 0's middle pillar and inside its circle: only from
        // where the push-out leaves the camera does the view meet the aim.
        input.step(); // the button goes down
        const glm::vec3 stack = pillarStacks[0]->getPosition();
        const glm::vec3 aim = pillarStacks[0]->getMiddleAim();
        eyeHeight = targetEyeHeight = 2.0f;
        camera.position = stack + glm::vec3(1.0f, 2.25f, 0.0f);
        camera.faceTowards(aim);
        camera.position = stack + glm::vec3(0.3f, 2.25f, 0.0f);
        if (camera.isLookingAt(aim, pillarStacks[0]->getAimRadius()))
            out << "the aim is met before the push-out too\n";
        applyMotionAndClicks(0.0f);
        if (!pillarStacks[0]->isMiddleActive() || activeTrackCount != 1)
            out << "the click after the push-out did not switch the middle pillar on\n";
    });
    EXPECT_EQ(found, "");
}

TEST(Game, EndingPlacesTheCameraFliesTheRobotAwayAndEnterStopsTheTracks)
{
    const std::string found = testing_support::inAssembledScene(smallWindow, [](std::ostream& out) {
        testing_support::ScriptedInput input("wait 1\nhold ENTER\n");
        input.step();
        auto switchOnATrack = [] {
            pillarStacks[1]->togglePillarAt(2.0f);
            guitarSoundSong.play();
            activeTrackCount = 1;
        };
        auto tracksStopped = [] {
            return activeTrackCount == 0 && !pillarStacks[1]->isMiddleActive() && !guitarSoundSong.getChannel();
        };
        levelOneStarted = levelTwo = levelThree = introStarted = true;
        switchOnATrack();
        startEnding();
        if (glm::distance(camera.position, glm::vec3(48.6f, 12.2f, -18.74f)) > 1e-4f)
            out << "the ending starts at " << camera.position.x << ", " << camera.position.y << ", "
                << camera.position.z << '\n';
        if (!camera.isLookingAt(camera.position + glm::vec3(5, 0, 0), 0.01f))
            out << "the ending does not look along +x\n";
        if (!flyMode || controlsEnabled)
            out << "the ending leaves the player in control\n";
        if (!tracksStopped())
            out << "the ending leaves a track playing\n";
        if (!outroSong.getChannel())
            out << "the outro does not play\n";

        // The flying robot leaves at 4 of its own units a second.
        endingFlight = true;
        const glm::mat4 before = flyingRobot->modelMatrix;
        handleIntroAndEnding(0.5f);
        const float moved = glm::distance(glm::vec3(flyingRobot->modelMatrix[3]), glm::vec3(before[3]));
        const float expected = 0.5f * 4.0f * glm::length(glm::vec3(before[0]));
        if (std::fabs(moved - expected) > 1e-3f)
            out << "the flying robot moved " << moved << " instead of " << expected << '\n';
        if (flyingRobot->modelMatrix == before * glm::translate(glm::mat4(1.0f), glm::vec3(2, 0, 0)))
            out << "the flying robot does not spin\n";

        switchOnATrack();
        handleIntroAndEnding(0.1f);
        if (tracksStopped())
            out << "the tracks stopped without Enter\n";
        input.step(); // Enter goes down
        handleIntroAndEnding(0.1f);
        if (!tracksStopped())
            out << "Enter in the ending leaves a track playing\n";
    });
    EXPECT_EQ(found, "");
}

TEST(Game, JukeboxPlaysEachLevelsSongsAndASecondClickStopsThem)
{
    const std::string found = testing_support::inAssembledScene(smallWindow, [](std::ostream& out) {
        const std::vector<std::pair<const char*, SFMOD::Song*>> songs = {{"triphopDrum", &triphopDrumSong},
            {"funkDrum", &funkDrumSong}, {"tropicalSound", &tropicalSoundSong}, {"guitarSound", &guitarSoundSong},
            {"noiseSound1", &noiseSound1Song}, {"synthBass", &synthBassSong}, {"coolSynth", &coolSynthSong},
            {"smoothSynth", &smoothSynthSong}, {"drum1", &drum1Song}, {"guitar1", &guitar1Song},
            {"voice1", &voice1Song}, {"voice2", &voice2Song}, {"completeSong2", &completeSong2}};
        auto playing = [&songs] {
            std::string names;
            for (const auto& [name, song] : songs)
                if (song->getChannel())
                    names += std::string(names.empty() ? "" : " ") + name;
            return names;
        };
        testing_support::ScriptedInput input("click\nclick\nclick\nclick\nclick\nclick\n");
        levelOneStarted = true;
        controlsEnabled = true;
        const glm::vec3 centre = jukebox->getCenter();
        camera.position = glm::vec3(centre.x - 2.0f, 2.0f, centre.z + 2.0f);
        struct Level {
            bool two, three;
            const char* songs;
        };
        for (const Level& level : {Level{false, false, "noiseSound1 smoothSynth"}, Level{true, false, "completeSong2"},
                 Level{true, true, "coolSynth"}}) {
            levelTwo = level.two;
            levelThree = level.three;
            const std::string name = level.three ? "level 3" : level.two ? "level 2" : "level 1";
            funkDrumSong.play(); // a pillar's track, which the jukebox stops first
            for (bool on : {true, false}) {
                input.step(); // button down
                handleJukeboxLevelsAndReset();
                input.step(); // button up
                handleJukeboxLevelsAndReset();
                const std::string expected = on ? level.songs : "";
                if (playing() != expected || jukeboxPlaying != on)
                    out << name << (on ? " first" : " second") << " click plays [" << playing() << "]\n";
            }
        }
    });
    EXPECT_EQ(found, "");
}

} // namespace
