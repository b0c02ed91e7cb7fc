// The game's level changes against the real songs: what still plays once a
// level or the ending has started.
#include "app/GameState.h"
#include "app/game.h"
#include "render/ShaderProgram.h"
#include "scene/Model.h"
#include "scene/PillarStack.h"
#include "scene/Registry.h"
#include "sound/SoundSystem.h"
#include "sound/songs.h"

#include "support/GlTestContext.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

class LevelChanges : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GL_CONTEXT();
        cameraShader = new ShaderProgram("OpenGL/Shader/camera.vert", "OpenGL/Shader/camera.frag");
        shadowDistancesShader
            = new ShaderProgram("OpenGL/Shader/shadowdistances.vert", "OpenGL/Shader/shadowdistances.frag");
        for (plim::scene::PillarStack*& stack : pillarStacks)
            stack = new plim::scene::PillarStack();
        houseNew = new plim::scene::Model(
            glm::mat4(1.0f), "/usr/share/assimp/models/OBJ/box.obj", nullptr, cameraShader, 0, 0, 0, 1.0f);
        const std::string folder = "OpenGL/WAVE/";
        smoothSynthSong = soundSystem.createSong(folder + "smoothSynth.mp3");
        noiseSound1Song = soundSystem.createSong(folder + "noiseSound1.mp3");
        completeSong2 = soundSystem.createSong(folder + "Song2/completeSong2.mp3");
        coolSynthSong = soundSystem.createSong(folder + "coolSynth.mp3");
        outroSong = soundSystem.createSong(folder + "outro.mp3");
        levelOneStarted = true;
    }

    void TearDown() override
    {
        for (SFMOD::Song* song : {&smoothSynthSong, &noiseSound1Song, &completeSong2, &coolSynthSong, &outroSong})
            song->stop();
        releaseRegistry();
        levelOneStarted = levelTwo = levelThree = false;
        jukeboxPlaying = false;
    }

    // The jukebox switched on, as a click on it does in the current level.
    static void playJukebox(std::initializer_list<SFMOD::Song*> songs)
    {
        for (SFMOD::Song* song : songs)
            ASSERT_NE(song->play(), nullptr);
        jukeboxPlaying = true;
    }

    static bool playing(const SFMOD::Song& song)
    {
        bool isPlaying = false;
        return song.getChannel() && song.getChannel()->isPlaying(&isPlaying) == FMOD_OK && isPlaying;
    }
};

TEST_F(LevelChanges, TheJukeboxSongsOfTheLevelLeftStop)
{
    testing::internal::CaptureStdout();
    playJukebox({&smoothSynthSong, &noiseSound1Song});
    soundSystem.update();
    const bool levelOneJukebox = playing(smoothSynthSong) && playing(noiseSound1Song);
    startLevelTwo();
    const bool levelOneSongsAfter = playing(smoothSynthSong) || playing(noiseSound1Song);

    playJukebox({&completeSong2});
    soundSystem.update();
    const bool levelTwoJukebox = playing(completeSong2);
    startLevelThree();
    soundSystem.update();
    const bool levelTwoSongAfter = playing(completeSong2);

    playJukebox({&coolSynthSong});
    startEnding();
    soundSystem.update();
    const bool levelThreeSongAfter = playing(coolSynthSong);
    const bool outro = playing(outroSong);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Level 2 loaded\nLevel 3 loaded\n");

    ASSERT_TRUE(levelOneJukebox);
    ASSERT_TRUE(levelTwoJukebox);
    EXPECT_FALSE(levelOneSongsAfter);
    EXPECT_FALSE(levelTwoSongAfter) << "level 2's song under the level-3 puzzle";
    EXPECT_FALSE(levelThreeSongAfter);
    EXPECT_TRUE(outro) << "only the ending's own song";
}

} // namespace
