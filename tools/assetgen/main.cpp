// assetgen: writes every image, model and song of the game under a folder.
#include "Asset.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <stdexcept>

namespace {

const char* usage = "usage: assetgen --out DIR [--only PATH-OR-NAME...]\n";

bool selected(const assetgen::Asset& asset, const std::set<std::string>& only)
{
    if (only.empty())
        return true;
    std::filesystem::path path(asset.path);
    return only.count(asset.path) || only.count(path.filename().string()) || only.count(path.stem().string());
}

void writeAtomically(const std::filesystem::path& target, const assetgen::Bytes& bytes)
{
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::path temporary = target;
    temporary += ".partial";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file)
            throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, target);
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path outDirectory;
    std::set<std::string> only;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--out" && i + 1 < argc) {
            outDirectory = argv[++i];
        } else if (argument == "--only") {
            while (i + 1 < argc && argv[i + 1][0] != '-')
                only.insert(argv[++i]);
        } else {
            std::cerr << "assetgen: unknown argument " << argument << "\n" << usage;
            return 2;
        }
    }
    if (outDirectory.empty()) {
        std::cerr << usage;
        return 2;
    }

    const auto& assets = assetgen::allAssets();
    auto startAll = std::chrono::steady_clock::now();
    size_t index = 0;
    int written = 0;
    int skipped = 0;
    for (const assetgen::Asset& asset : assets) {
        ++index;
        if (!selected(asset, only))
            continue;
        auto start = std::chrono::steady_clock::now();
        try {
            std::optional<assetgen::Bytes> bytes = assetgen::generate(asset);
            double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (!bytes) {
                std::printf("%3zu/%zu %-52s skipped (not generated yet)\n", index, assets.size(), asset.path);
                ++skipped;
                continue;
            }
            writeAtomically(outDirectory / asset.path, *bytes);
            std::printf("%3zu/%zu %-52s %8.1f KiB %6.2f s\n", index, assets.size(), asset.path,
                static_cast<double>(bytes->size()) / 1024.0, seconds);
            std::fflush(stdout);
            ++written;
        } catch (const std::exception& error) {
            std::fflush(stdout);
            std::cerr << "assetgen: " << asset.path << ": " << error.what() << std::endl;
            return 1;
        }
    }
    double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - startAll).count();
    std::printf("assetgen: %d files written, %d skipped, %.1f s\n", written, skipped, total);
    return 0;
}
