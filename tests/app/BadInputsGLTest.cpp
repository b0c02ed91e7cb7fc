// The real game started from a copy of its folder with one file gone, broken
// or replaced, or without its display, sound device or standard input: the
// exact console line and exit status, and never a crash or a hang.
#include "scene/colladaFixture.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::ChildOptions;
using testing_support::ChildResult;

// Start-up with every asset takes seconds under llvmpipe; a hang is far longer.
constexpr double runLimitSeconds = 120.0;

// A game folder whose files are links to the built game's, one by one, so a
// single file can be taken away or replaced without touching the original.
class GameFolder {
public:
    GameFolder() : root(testing_support::makeTempDirectory("clankora-badinput"))
    {
        const fs::path game(CLANKORA_GAME_DIR);
        for (const char* tree : {"OpenGL", "Model"})
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(game / tree)) {
                const fs::path copy = fs::path(root) / fs::relative(entry.path(), game);
                if (entry.is_directory())
                    fs::create_directories(copy);
                else
                    fs::create_symlink(entry.path(), copy);
            }
        // A small window keeps the frame targets cheap; the frames are few.
        testing_support::writeFile(root + "/Resolution.ini", "0\n160\n120\n0\n");
        testing_support::writeFile(root + "/frames.txt", "wait 3\n");
    }
    ~GameFolder()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    std::string path(const std::string& relative) const { return root + "/" + relative; }
    // Links are removed before anything is written, so the built game's own
    // file is never written through them.
    void remove(const std::string& relative) const { fs::remove(path(relative)); }
    void replace(const std::string& relative, const std::string& bytes) const
    {
        remove(relative);
        testing_support::writeFile(path(relative), bytes);
    }
    void replace(const std::string& relative, const fixture::ColladaModel& model) const
    {
        replace(relative, fixture::toCollada(model));
    }
    // The file's first bytes only, as a copy cut short would leave it.
    void truncate(const std::string& relative, double fraction) const
    {
        const std::string whole = original(relative);
        replace(relative, whole.substr(0, static_cast<std::size_t>(static_cast<double>(whole.size()) * fraction)));
    }
    void replaceWithFolder(const std::string& relative) const
    {
        remove(relative);
        fs::create_directory(path(relative));
    }

    ChildResult run(ChildOptions options = {}) const
    {
        options.workingDirectory = root;
        options.timeoutSeconds = runLimitSeconds;
        // The silent device, so every machine runs the same sound start; the
        // sound cases below set their own.
        options.environment.insert(options.environment.begin(), {"ALSOFT_DRIVERS=null", "ALSOFT_LOGLEVEL=0"});
        return testing_support::runProgram(
            {testing_support::gameExecutable("clankora-bot"), "--script", root + "/frames.txt"}, options);
    }

    static std::string original(const std::string& relative)
    {
        std::ifstream file(std::string(CLANKORA_GAME_DIR) + "/" + relative, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

private:
    std::string root;
};

std::string describe(const ChildResult& result)
{
    std::ostringstream text;
    text << "exit " << result.exitStatus << " signal " << result.signal << (result.timedOut ? " timed out" : "")
         << "\nstdout: " << result.out << "\nstderr: " << result.err.substr(0, 2000);
    return text.str();
}

void expectRanThrough(const ChildResult& result, const std::string& out)
{
    EXPECT_FALSE(result.timedOut) << describe(result);
    EXPECT_EQ(result.signal, 0) << describe(result);
    EXPECT_EQ(result.exitStatus, 0) << describe(result);
    EXPECT_EQ(result.out, out) << describe(result);
}

void expectFatal(const ChildResult& result, const std::string& out, const std::string& err = "")
{
    EXPECT_FALSE(result.timedOut) << describe(result);
    EXPECT_EQ(result.signal, 0) << describe(result);
    EXPECT_EQ(result.exitStatus, 255) << describe(result);
    EXPECT_EQ(result.out, out) << describe(result);
    EXPECT_EQ(result.err, err) << describe(result);
}

std::string testName(const testing::TestParamInfo<std::string>& info)
{
    std::string name = fs::path(info.param).filename().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

// ---- shaders: every one is compiled at start-up, and any failure is fatal ----

const std::vector<std::string> shaderFiles = {"camera.vert", "camera.frag", "animatedCamera.vert", "projection.vert",
    "projection.frag", "toon.vert", "toon.frag", "shadowdistances.vert", "shadowdistances.frag", "GaussianBlur.vert",
    "GaussianBlur.frag", "note.vert", "addtextures.frag", "note.frag", "Test.vert", "Test.frag", "Test.geom",
    "Transparency.frag", "animatedshadowdistances.vert"};

class ShaderFile : public testing::TestWithParam<std::string> {
protected:
    std::string path() const { return "OpenGL/Shader/" + GetParam(); }
};

TEST(ShaderFiles, TheListIsTheWholeShaderFolder)
{
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(std::string(CLANKORA_GAME_DIR) + "/OpenGL/Shader"))
        found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    std::vector<std::string> listed = shaderFiles;
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(found, listed) << "a shader added to the game needs its failure cases here";
}

TEST_P(ShaderFile, MissingEndsTheGameNamingThePath)
{
    GameFolder folder;
    folder.remove(path());
    expectFatal(folder.run(), "Failed to open shader file: " + path() + "\n");
}

TEST_P(ShaderFile, SourceThatDoesNotCompileEndsTheGameWithTheLog)
{
    GameFolder folder;
    folder.replace(path(), "#version 150 core\nthis is not GLSL;\n");
    const ChildResult result = folder.run();
    const std::string first = "Failed to compile shader\n";
    EXPECT_EQ(result.out.rfind(first, 0), 0u) << describe(result);
    EXPECT_NE(result.out.find("error", first.size()), std::string::npos) << "the compiler's log follows";
    EXPECT_EQ(result.exitStatus, 255) << describe(result);
    EXPECT_EQ(result.signal, 0) << describe(result);
    EXPECT_FALSE(result.timedOut);
}

INSTANTIATE_TEST_SUITE_P(EveryShader, ShaderFile, testing::ValuesIn(shaderFiles), testName);

// ---- textures: every one is loaded at start-up; the loader's failure is fatal ----

const std::vector<std::string> textureFiles = {"OpenGL/Textures/woodBox2.jpg", "OpenGL/Textures/metalBox.jpg",
    "Model/robots/TexRobot1_top.jpg", "Model/robots/TexRobot1_bottom.jpg", "Model/robots/TexRobot3.jpg",
    "Model/robots/TexRobot4.jpg", "Model/robots/TexRobot6_diffuse.jpg", "OpenGL/Textures/instruments.jpg",
    "Model/miscellaneous/Jukebox_D.jpg", "Model/door/tex/specular.jpg", "OpenGL/Textures/Helpscreen.png",
    "OpenGL/Textures/Level1.png", "OpenGL/Textures/Level2.png", "OpenGL/Textures/container04.jpg",
    "OpenGL/Textures/pink.png", "OpenGL/Textures/white.png", "OpenGL/Textures/black.png", "OpenGL/Textures/stars.jpg",
    "Model/house/TexHouseCellar.jpg", "Model/house/TexHouseFluffy.jpg", "Model/house/TexHouseScifi.jpg"};

const char* textureFailure = "'Error occured while loading image\n";

class TextureFile : public testing::TestWithParam<std::string> {};

TEST_P(TextureFile, MissingEndsTheGame)
{
    GameFolder folder;
    folder.remove(GetParam());
    expectFatal(folder.run(), "", textureFailure);
}

TEST_P(TextureFile, BytesThatAreNoImageEndTheGame)
{
    GameFolder folder;
    folder.replace(GetParam(), "these bytes are no picture at all\n");
    expectFatal(folder.run(), "", textureFailure);
}

INSTANTIATE_TEST_SUITE_P(EveryTexture, TextureFile, testing::ValuesIn(textureFiles), testName);

TEST(TextureFiles, TruncatedPngEndsTheGameButTruncatedJpegLoadsGrey)
{
    // libpng stops at the missing data; libjpeg warns (silently, through
    // FreeImage) and fills the rest of the picture.
    GameFolder png;
    png.truncate("OpenGL/Textures/Level1.png", 0.5);
    expectFatal(png.run(), "", textureFailure);

    GameFolder jpeg;
    jpeg.truncate("Model/robots/TexRobot3.jpg", 0.05);
    expectRanThrough(jpeg.run(), "");
}

// ---- models: a failed import leaves an empty model and the game goes on ----

fixture::ColladaModel skinnedFan(int boneCount, const std::string& firstBoneName)
{
    fixture::ColladaModel model;
    const int root = model.addNode("Armature", -1, false);
    for (int b = 0; b < boneCount; ++b)
        model.addBone(model.addNode(b == 0 ? firstBoneName : "bone" + std::to_string(b), root, true));
    // Assimp keeps only bones that weigh on a vertex: one corner per bone.
    for (int t = 0; t * 3 < boneCount; ++t) {
        const float x = static_cast<float>(t);
        std::vector<fixture::Influence> corners[3];
        for (int c = 0; c < 3; ++c)
            corners[c] = {{(3 * t + c) % boneCount, 1.0f}};
        model.addTriangle({x, 0, 0}, {x + 0.5f, 1, 0}, {x + 0.25f, 0, 1}, corners[0], corners[1], corners[2]);
    }
    return model;
}

TEST(ModelFiles, MissingModelsAreReportedOncePerLoad)
{
    GameFolder folder;
    folder.remove("Model/robots/Robot4.obj");
    folder.remove("Model/robots/Robot6_animated3.dae"); // four dancers share it
    expectRanThrough(folder.run(),
        "Import Failed!!!\nImport Failed!!!\nImport Failed!!!\nImport Failed!!!\nImport Failed!!!\n");
}

TEST(ModelFiles, TruncatedAndEmptyFilesDoNotImport)
{
    GameFolder folder;
    folder.truncate("Model/house/house.3ds", 0.3);
    folder.truncate("Model/robots/Robot3_1.dae", 0.5);
    folder.replace("Model/door/Door.obj", "");
    expectRanThrough(folder.run(), "Import Failed!!!\nImport Failed!!!\nImport Failed!!!\n");
}

TEST(ModelFiles, SkeletonsPastTheLoaderTablesAreRejectedByName)
{
    GameFolder folder;
    folder.replace("Model/robots/Robot3_1.dae", skinnedFan(31, "bone0"));
    folder.replace("Model/robots/vok_merged.dae", skinnedFan(2, std::string(150, 'b')));
    expectRanThrough(folder.run(),
        "Model rejected: Model/robots/Robot3_1.dae: 31 bones, the limit is 30\n"
        "Model rejected: Model/robots/vok_merged.dae: a bone name of 150 characters, the limit is 149\n");
}

// ---- songs: every song is opened at start-up, and any failure is fatal ----

TEST(SongFiles, MissingSongEndsTheGame)
{
    GameFolder folder;
    folder.remove("OpenGL/WAVE/triphopDrum.mp3");
    expectFatal(folder.run(), "FMOD error! (23) File not found. \n");
}

TEST(SongFiles, FileWithoutMpegAudioEndsTheGame)
{
    for (const std::string& bytes : {std::string("RIFF....WAVEfmt not an mp3 at all\n"), std::string()}) {
        GameFolder folder;
        folder.replace("OpenGL/WAVE/Song2/Voice2.mp3", bytes);
        expectFatal(folder.run(), "FMOD error! (25) Unsupported file or audio format. \n");
    }
}

TEST(SongFiles, FolderInPlaceOfASongEndsTheGame)
{
    GameFolder folder;
    folder.replaceWithFolder("OpenGL/WAVE/outro.mp3");
    expectFatal(folder.run(), "FMOD error! (19) Error loading file. \n");
}

// ---- window settings ----

TEST(WindowSettings, SizesTheSystemCannotMakeFailToOpenTheWindow)
{
    for (const char* settings : {"0\n-800\n-600\n0\n", "0\n800\n-1\n0\n", "1\n99999999999999999999\n600\n1\n",
             "0\n16385\n600\n0\n", "0\n0\n0\n0\n"}) {
        GameFolder folder;
        folder.replace("Resolution.ini", settings);
        expectFatal(folder.run(), "Failed to open window\n");
    }
}

TEST(WindowSettings, RandomBytesNeverCrash)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        std::string bytes(512, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xff);
        // Digits at the start of each line, so some runs get a usable window.
        if (seed == 3)
            bytes = "0\n200\n150\n" + bytes;
        GameFolder folder;
        folder.replace("Resolution.ini", bytes);
        const ChildResult result = folder.run();
        EXPECT_FALSE(result.timedOut) << "seed " << seed;
        EXPECT_EQ(result.signal, 0) << "seed " << seed;
        EXPECT_TRUE((result.exitStatus == 0 && result.out.empty())
            || (result.exitStatus == 255 && result.out == "Failed to open window\n"))
            << "seed " << seed << ": " << describe(result);
    }
}

// ---- the machine around the game ----

TEST(Machine, WithoutDisplayGlfwFailsToStart)
{
    GameFolder folder;
    ChildOptions options;
    options.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY"};
    expectFatal(folder.run(options), "Failed to init glfw\n");
}

TEST(Machine, WithoutSoundDeviceTheGameRunsSilent)
{
    GameFolder folder;
    // The silent device, a back-end that does not exist, and a wave writer
    // that cannot create its file: none of them may stop the game.
    for (const char* driver : {"ALSOFT_DRIVERS=null", "ALSOFT_DRIVERS=clankora-no-such-backend"}) {
        ChildOptions options;
        options.environment = {driver};
        expectRanThrough(folder.run(options), "");
    }
    const std::string conf = folder.path("unwritable.conf");
    testing_support::writeFile(conf, "[general]\ndrivers=wave\n[wave]\nfile=/nonexistent/clankora/out.wav\n");
    ChildOptions options;
    options.environment = {"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + conf};
    expectRanThrough(folder.run(options), "");
}

TEST(Machine, ClosedOrEmptyStandardInputNeverWaitsForEnter)
{
    GameFolder folder;
    ChildOptions closed;
    closed.closeStdin = true;
    expectRanThrough(folder.run(closed), "");

    folder.remove("OpenGL/Shader/toon.frag");
    for (bool closeStdin : {true, false}) {
        ChildOptions options;
        options.closeStdin = closeStdin; // closed, or /dev/null
        const ChildResult result = folder.run(options);
        expectFatal(result, "Failed to open shader file: OpenGL/Shader/toon.frag\n");
        EXPECT_LT(result.seconds, 30.0) << "the fatal error must not wait for Enter";
    }
}

} // namespace
