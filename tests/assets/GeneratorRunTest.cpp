// The asset generator as a program: a second run gives the same bytes as the
// build's run for every file (pictures, songs, models and their textures),
// and wrong arguments fail with a clear message.
#include "Asset.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using testing_support::ChildOptions;
using testing_support::runProgram;

const std::string generator = std::string(CLANKORA_BINARY_DIR) + "/tools/assetgen/assetgen";

std::string contents(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

TEST(GeneratorRun, ASecondRunWritesTheSameBytes)
{
    std::string out = testing_support::makeTempDirectory("assetgen-again");
    std::vector<std::string> command = {generator, "--out", out, "--only"};
    std::vector<std::string> paths;
    for (const assetgen::Asset& asset : assetgen::allAssets()) {
        command.push_back(asset.path);
        paths.push_back(asset.path);
    }
    ChildOptions options;
    options.timeoutSeconds = 240.0;
    auto result = runProgram(command, options);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_NE(result.out.find(path), std::string::npos) << "no progress line";
        std::string again = contents(std::filesystem::path(out) / path);
        ASSERT_FALSE(again.empty());
        EXPECT_TRUE(again == contents(path)) << "differs from the build's copy in the game folder";
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(out) / (path + ".partial")));
    }
}

TEST(GeneratorRun, UnknownNamesAndMissingOutputFolderFailWithAMessage)
{
    auto unknown = runProgram({generator, "--out", testing_support::makeTempDirectory("assetgen-unknown"), "--only",
        "woodBox2", "noSuchSong"});
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_EQ(unknown.err, "assetgen: no asset is called noSuchSong\n");

    auto missing = runProgram({generator});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_EQ(missing.err, "usage: assetgen --out DIR [--only PATH-OR-NAME...]\n");
}

TEST(GeneratorRun, AnUnwritableFolderFailsWithTheFileNamed)
{
    std::string parent = testing_support::makeTempDirectory("assetgen-blocked");
    // A plain file where the generator needs a folder.
    testing_support::writeFile(parent + "/OpenGL", "not a folder");
    auto result = runProgram({generator, "--out", parent, "--only", "pink"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err.rfind("assetgen: OpenGL/Textures/pink.png: ", 0), 0u) << result.err;
}

} // namespace
