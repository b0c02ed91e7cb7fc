// assetgen: writes every image, model and song of the game under a folder.
#include "Asset.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

namespace {

const char* usage = "usage: assetgen --out DIR [--only PATH-OR-NAME...]\n";

bool matches(const assetgen::Asset& asset, const std::string& name)
{
    std::filesystem::path path(asset.path);
    return name == asset.path || name == path.filename().string() || name == path.stem().string();
}

bool selected(const assetgen::Asset& asset, const std::set<std::string>& only)
{
    if (only.empty())
        return true;
    for (const std::string& name : only)
        if (matches(asset, name))
            return true;
    return false;
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

struct Job {
    size_t number; // position in the asset list, from 1
    const assetgen::Asset* asset;
};

// The groups run side by side on their own threads: pictures, songs, and the
// models with their textures, which stay on one thread as their generators
// expect. Within a lane files are made in list order.
size_t laneOf(assetgen::Group group)
{
    switch (group) {
    case assetgen::Group::Picture:
    case assetgen::Group::Icon:
        return 0;
    case assetgen::Group::Song:
    case assetgen::Group::Loudness:
        return 1;
    case assetgen::Group::ModelTexture:
    case assetgen::Group::Model:
        return 2;
    }
    return 2;
}

class Run {
public:
    Run(std::filesystem::path outDirectory, size_t total) : outDirectory(std::move(outDirectory)), total(total) {}

    void runLane(const std::vector<Job>& jobs)
    {
        for (const Job& job : jobs) {
            if (failed)
                return;
            auto start = std::chrono::steady_clock::now();
            try {
                assetgen::Bytes bytes = assetgen::generate(*job.asset);
                double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                writeAtomically(outDirectory / job.asset->path, bytes);
                char line[64];
                std::snprintf(line, sizeof line, "%8.1f KiB %6.2f s", static_cast<double>(bytes.size()) / 1024.0, seconds);
                report(job, line);
                ++written;
            } catch (const std::exception& error) {
                std::lock_guard<std::mutex> lock(output);
                if (!failed.exchange(true))
                    failure = std::string(job.asset->path) + ": " + error.what();
                return;
            }
        }
    }

    std::atomic<bool> failed{false};
    std::string failure;
    std::atomic<int> written{0};

private:
    void report(const Job& job, const std::string& what)
    {
        std::lock_guard<std::mutex> lock(output);
        std::printf("%3zu/%zu %-52s %s\n", job.number, total, job.asset->path, what.c_str());
        std::fflush(stdout);
    }

    std::filesystem::path outDirectory;
    size_t total;
    std::mutex output;
};

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
    for (const std::string& name : only) {
        bool known = false;
        for (const assetgen::Asset& asset : assets)
            known = known || matches(asset, name);
        if (!known) {
            std::cerr << "assetgen: no asset is called " << name << "\n";
            return 2;
        }
    }

    std::vector<std::vector<Job>> lanes(3);
    for (size_t i = 0; i < assets.size(); ++i)
        if (selected(assets[i], only))
            lanes[laneOf(assets[i].group)].push_back({i + 1, &assets[i]});

    auto startAll = std::chrono::steady_clock::now();
    Run run(outDirectory, assets.size());
    std::vector<std::thread> threads;
    for (const std::vector<Job>& lane : lanes)
        if (!lane.empty())
            threads.emplace_back([&run, &lane] { run.runLane(lane); });
    for (std::thread& thread : threads)
        thread.join();

    if (run.failed) {
        std::fflush(stdout);
        std::cerr << "assetgen: " << run.failure << std::endl;
        return 1;
    }
    double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - startAll).count();
    std::printf("assetgen: %d files written, %.1f s\n", run.written.load(), total);
    return 0;
}
