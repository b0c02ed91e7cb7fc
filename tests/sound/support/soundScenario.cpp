// soundScenario: plays what its arguments say with the game's own sound
// system (started before main, as in the game) and reports on standard output
// what the tests check: "event NAME SECONDS" marks when it acted, counted from
// its first play; other lines carry answers of the layer.
#include "sound/SoundSystem.h"
#include "sound/songs.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point firstPlay;
bool played = false;

double sinceFirstPlay()
{
    return std::chrono::duration<double>(Clock::now() - firstPlay).count();
}

void event(const char* name)
{
    if (!played) {
        firstPlay = Clock::now();
        played = true;
    }
    std::printf("event %s %.4f\n", name, sinceFirstPlay());
}

// The game's frame loop as far as sound goes: one update per frame.
void runFrames(double seconds, double framesPerSecond, const std::function<void()>& eachFrame = {})
{
    Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < end) {
        soundSystem.update();
        if (eachFrame)
            eachFrame();
        std::this_thread::sleep_for(std::chrono::duration<double>(1.0 / framesPerSecond));
    }
}

unsigned int positionMs(FMOD::Channel* channel)
{
    unsigned int position = 0;
    if (!channel || channel->getPosition(&position, FMOD_TIMEUNIT_MS) != FMOD_OK)
        return ~0u;
    return position;
}

int openMp3Files()
{
    int count = 0;
    DIR* folder = opendir("/proc/self/fd");
    if (!folder)
        return -1;
    while (dirent* entry = readdir(folder)) {
        char target[4096];
        std::string link = std::string("/proc/self/fd/") + entry->d_name;
        ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
        if (length > 4 && std::string(target + length - 4, 4) == ".mp3")
            ++count;
    }
    closedir(folder);
    return count;
}

// Stands in for the device when SCENARIO_RELEASE_PROBE is set and reports, at
// the moment the layer is released, how many song files are still open.
class ReleaseProbe : public FMOD::Output {
public:
    std::vector<FMOD::DriverInfo> listDrivers() override { return {FMOD::DriverInfo{"Release probe"}}; }
    FMOD_RESULT open(const FMOD::DriverInfo&, const FMOD::OutputSettings&) override { return FMOD_OK; }
    bool audible() const override { return false; }
    void close() override
    {
        std::printf("song files open when the layer closes: %d\n", openMp3Files());
        std::fflush(stdout);
    }
    void abandon() override {}
};

struct InstallReleaseProbe {
    InstallReleaseProbe()
    {
        if (std::getenv("SCENARIO_RELEASE_PROBE"))
            FMOD::setOutputFactory([] { return std::make_unique<ReleaseProbe>(); });
    }
};

// Ahead of every ordinary global, so ahead of the game's sound system.
__attribute__((init_priority(101))) InstallReleaseProbe installReleaseProbe;

SFMOD::Song* const globalSongs[] = {&triphopDrumSong, &funkDrumSong, &tropicalSoundSong, &guitarSoundSong,
    &noiseSound1Song, &synthBassSong, &coolSynthSong, &smoothSynthSong, &drum1Song, &guitar1Song, &voice1Song,
    &voice2Song, &completeSong2, &evilLaughSong, &outroSong};

int drivers()
{
    int count = 0;
    soundSystem.system->getNumDrivers(&count);
    std::printf("drivers %d\n", count);
    for (int i = 0; i < count; ++i) {
        char name[256] = {};
        soundSystem.system->getDriverInfo(i, name, sizeof name, nullptr);
        std::printf("driver %s\n", name);
    }
    FMOD_OUTPUTTYPE output = FMOD_OUTPUTTYPE_AUTODETECT;
    soundSystem.system->getOutput(&output);
    std::printf("output %s\n", output == FMOD_OUTPUTTYPE_NOSOUND ? "nosound" : "device");
    return 0;
}

int play(const std::vector<std::string>& files, double seconds)
{
    for (size_t i = 0; i < files.size(); ++i)
        *globalSongs[i] = soundSystem.createSong(files[i]);
    event("play");
    for (size_t i = 0; i < files.size(); ++i)
        globalSongs[i]->play();
    // Five frames per second: the streams must not depend on the frame rate.
    runFrames(seconds, 5.0, [] { std::printf("position %u\n", positionMs(triphopDrumSong.getChannel())); });
    return 0;
}

// Songs started one by one at the times given ("FILE@SECONDS", the first at
// 0): the first from its start, each later one in time with the first.
// Reports how long each start took and where the channels stand.
int inTime(const std::vector<std::string>& entries, double seconds)
{
    struct Entry {
        std::string file;
        double at;
    };
    std::vector<Entry> parts;
    for (const std::string& entry : entries) {
        size_t split = entry.rfind('@');
        parts.push_back({entry.substr(0, split), std::atof(entry.c_str() + split + 1)});
    }
    for (size_t i = 0; i < parts.size(); ++i)
        *globalSongs[i] = soundSystem.createSong(parts[i].file);
    event("play");
    size_t started = 0;
    runFrames(seconds, 30.0, [&] {
        while (started < parts.size() && sinceFirstPlay() >= parts[started].at) {
            Clock::time_point before = Clock::now();
            if (started == 0)
                globalSongs[0]->play();
            else
                globalSongs[started]->playInTimeWith(*globalSongs[0]);
            double took = std::chrono::duration<double, std::milli>(Clock::now() - before).count();
            std::printf("start %zu took %.3f ms\n", started, took);
            if (started > 0) {
                std::string name = "join" + std::to_string(started);
                event(name.c_str());
            }
            ++started;
        }
    });
    return 0;
}

// The songs started in time with the first, a group volume, then F7's save
// and frames until the save has said how it ended (at most ten seconds).
// Reports how long it took and the longest frame meanwhile. "unprivileged"
// first gives up root, which may write where permissions say no.
int saveMix(const std::vector<std::string>& arguments)
{
    std::vector<std::string> files = arguments;
    if (!files.empty() && files[0] == "unprivileged") {
        files.erase(files.begin());
        // For every thread of the process, the sound system's among them.
        if (geteuid() == 0 && (setegid(65534) != 0 || seteuid(65534) != 0))
            std::printf("cannot give up root\n");
    }
    std::vector<const SFMOD::Song*> songs;
    for (size_t i = 0; i < files.size(); ++i) {
        *globalSongs[i] = soundSystem.createSong(files[i]);
        if (i == 0)
            globalSongs[i]->play();
        else
            globalSongs[i]->playInTimeWith(*globalSongs[0]);
        songs.push_back(globalSongs[i]);
    }
    soundSystem.musicGroup->setVolume(0.5f);
    runFrames(0.2, 30.0);
    Clock::time_point asked = Clock::now();
    soundSystem.saveMix(songs.data(), static_cast<int>(songs.size()));
    // A second press while the first save runs starts none.
    soundSystem.saveMix(songs.data(), static_cast<int>(songs.size()));
    std::fflush(stdout);
    double longest = 0.0;
    Clock::time_point giveUp = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < giveUp) {
        Clock::time_point before = Clock::now();
        soundSystem.update();
        longest = std::max(longest, std::chrono::duration<double, std::milli>(Clock::now() - before).count());
        if (!soundSystem.isSavingMix())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    std::printf("saving took %.0f ms, its longest frame %.3f ms\n",
        std::chrono::duration<double, std::milli>(Clock::now() - asked).count(), longest);
    // Root back, as it was: LeakSanitizer stops the process's threads at exit
    // through ptrace, which a process running as another user may not do to
    // itself.
    if (getuid() == 0 && (seteuid(0) != 0 || setegid(0) != 0))
        std::printf("cannot take root back\n");
    return 0;
}

int stopAfter(const std::string& file, double before, double after)
{
    triphopDrumSong = soundSystem.createSong(file);
    event("play");
    triphopDrumSong.play();
    runFrames(before, 30.0);
    event("stop");
    triphopDrumSong.stop();
    std::printf("channel after stop %s\n", triphopDrumSong.getChannel() ? "kept" : "null");
    runFrames(after, 30.0);
    return 0;
}

int replay(const std::string& first, const std::string& second)
{
    triphopDrumSong = soundSystem.createSong(first);
    funkDrumSong = soundSystem.createSong(second);
    event("play");
    triphopDrumSong.play();
    funkDrumSong.play();
    runFrames(0.5, 30.0);
    FMOD::Channel* old = triphopDrumSong.getChannel();
    event("replay");
    FMOD::Channel* renewed = triphopDrumSong.play();
    bool paused = false;
    std::printf("old channel answers %d\n", static_cast<int>(old->getPaused(&paused)));
    std::printf("new channel differs %d\n", renewed != old ? 1 : 0);
    runFrames(0.7, 30.0);
    event("stop");
    triphopDrumSong.stop();
    runFrames(0.5, 30.0);
    bool playing = false;
    std::printf("other song answers %d\n", static_cast<int>(funkDrumSong.getChannel()->isPlaying(&playing)));
    return 0;
}

int pauseGroup(const std::string& first, const std::string& second)
{
    triphopDrumSong = soundSystem.createSong(first);
    funkDrumSong = soundSystem.createSong(second);
    event("play");
    triphopDrumSong.play();
    funkDrumSong.play();
    runFrames(0.5, 30.0);
    event("pause");
    soundSystem.musicGroup->setPaused(true);
    std::printf("song reports paused %d\n", triphopDrumSong.isPaused() ? 1 : 0);
    runFrames(0.5, 30.0);
    event("resume");
    soundSystem.musicGroup->setPaused(false);
    runFrames(0.6, 30.0);
    event("half");
    soundSystem.musicGroup->setVolume(0.5f);
    runFrames(0.4, 30.0);
    return 0;
}

int exitOrder(const std::vector<std::string>& files, bool leakAStream)
{
    for (size_t i = 0; i < files.size(); ++i) {
        *globalSongs[i] = soundSystem.createSong(files[i]);
        globalSongs[i]->play();
    }
    if (leakAStream) {
        FMOD::Sound* unreleased = nullptr;
        soundSystem.system->createStream(files[0].c_str(), FMOD_LOOP_NORMAL, nullptr, &unreleased);
    }
    soundSystem.update();
    return 0;
}

// Everything the game does to songs, at random and at changing frame rates,
// while the stream thread refills: meant to be run under ThreadSanitizer.
int stress(const std::vector<std::string>& files, double seconds)
{
    size_t count = std::min(files.size(), std::size(globalSongs));
    for (size_t i = 0; i < count; ++i)
        *globalSongs[i] = soundSystem.createSong(files[i]);
    std::mt19937 random(7);
    long operations = 0;
    Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < end) {
        for (int step = 0; step < 20; ++step, ++operations) {
            SFMOD::Song& song = *globalSongs[random() % count];
            FMOD::Channel* channel = song.getChannel();
            switch (random() % 9) {
            case 0:
            case 1:
                song.play();
                break;
            case 2:
                song.stop();
                break;
            case 3:
                if (channel)
                    channel->setPaused(random() % 2 == 0);
                break;
            case 4:
                if (channel)
                    channel->setPosition(random() % 800, FMOD_TIMEUNIT_MS);
                break;
            case 5:
                soundSystem.musicGroup->setPaused(random() % 4 == 0);
                break;
            case 6:
                soundSystem.musicGroup->setVolume(static_cast<float>(random() % 100) / 100.0f);
                break;
            case 7:
                positionMs(channel);
                song.isPaused();
                break;
            case 8:
                song = soundSystem.createSong(files[random() % count]);
                break;
            }
        }
        soundSystem.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 60));
    }
    std::printf("stress operations %ld\n", operations);
    return 0;
}

// A stream played once to its end on a device: the channel advances, ends,
// and the next update frees it.
int once(const std::string& file)
{
    FMOD::Sound* sound = nullptr;
    SFMOD::SoundSystem::checkResult(soundSystem.system->createStream(file.c_str(), FMOD_LOOP_NORMAL, nullptr, &sound));
    FMOD::Channel* channel = nullptr;
    SFMOD::SoundSystem::checkResult(soundSystem.system->playSound(FMOD_CHANNEL_FREE, sound, true, &channel));
    channel->setLoopCount(0);
    channel->setPaused(false);
    unsigned int previous = 0;
    int advances = 0;
    bool playing = true;
    FMOD_RESULT result = FMOD_OK;
    Clock::time_point giveUp = Clock::now() + std::chrono::seconds(5);
    while (result == FMOD_OK && Clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        soundSystem.update();
        unsigned int position = positionMs(channel);
        if (position != ~0u) {
            advances += position > previous;
            previous = position;
        }
        result = channel->isPlaying(&playing);
    }
    std::printf("advanced %s, then answers %d\n", advances >= 3 ? "yes" : "no", static_cast<int>(result));
    sound->release();
    return 0;
}

// fork() while a device plays and the stream thread runs: the child carries
// on silently and exits cleanly, the parent keeps its sound. Positions loop,
// so "advanced" means "moved".
int forkWhilePlaying(const std::string& file)
{
    triphopDrumSong = soundSystem.createSong(file);
    triphopDrumSong.play();
    runFrames(0.2, 30.0);
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        funkDrumSong = soundSystem.createSong(file);
        funkDrumSong.play();
        triphopDrumSong.play();
        unsigned int before = positionMs(triphopDrumSong.getChannel());
        runFrames(0.2, 30.0);
        unsigned int after = positionMs(triphopDrumSong.getChannel());
        std::printf("child advanced %s\n", after != before ? "yes" : "no");
        std::fflush(stdout);
        std::exit(0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    std::printf("child exited %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    unsigned int before = positionMs(triphopDrumSong.getChannel());
    runFrames(0.2, 30.0);
    std::printf("parent advanced %s\n", positionMs(triphopDrumSong.getChannel()) != before ? "yes" : "no");
    return 0;
}

double cpuSeconds()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec * 1e-6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec * 1e-6;
}

// CPU time of decoding and mixing while the songs play, at 60 frames per second.
int cost(const std::vector<std::string>& files, double seconds)
{
    size_t count = std::min(files.size(), std::size(globalSongs));
    for (size_t i = 0; i < count; ++i)
        *globalSongs[i] = soundSystem.createSong(files[i]);
    for (size_t i = 0; i < count; ++i)
        globalSongs[i]->play();
    runFrames(0.5, 60.0);
    double cpuBefore = cpuSeconds();
    Clock::time_point wallBefore = Clock::now();
    runFrames(seconds, 60.0);
    double cpu = cpuSeconds() - cpuBefore;
    double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf("songs %zu cpu %.3f s wall %.3f s cpu percent %.2f\n", count, cpu, wall, 100.0 * cpu / wall);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fprintf(stderr, "usage: soundScenario COMMAND ...\n");
        return 2;
    }
    const std::string& command = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    int status = 2;
    if (command == "start")
        status = 0;
    else if (command == "drivers")
        status = drivers();
    else if (command == "play" && rest.size() >= 2)
        status = play(std::vector<std::string>(rest.begin() + 1, rest.end()), std::atof(rest[0].c_str()));
    else if (command == "intime" && rest.size() >= 2)
        status = inTime(std::vector<std::string>(rest.begin() + 1, rest.end()), std::atof(rest[0].c_str()));
    else if (command == "savemix")
        status = saveMix(rest);
    else if (command == "stop" && rest.size() == 3)
        status = stopAfter(rest[0], std::atof(rest[1].c_str()), std::atof(rest[2].c_str()));
    else if (command == "replay" && rest.size() == 2)
        status = replay(rest[0], rest[1]);
    else if (command == "pausegroup" && rest.size() == 2)
        status = pauseGroup(rest[0], rest[1]);
    else if ((command == "exitorder" || command == "exitorder-leak") && !rest.empty())
        status = exitOrder(rest, command == "exitorder-leak");
    else if (command == "stress" && rest.size() >= 2)
        status = stress(std::vector<std::string>(rest.begin() + 1, rest.end()), std::atof(rest[0].c_str()));
    else if (command == "once" && rest.size() == 1)
        status = once(rest[0]);
    else if (command == "fork" && rest.size() == 1)
        status = forkWhilePlaying(rest[0]);
    else if (command == "cost" && rest.size() >= 2)
        status = cost(std::vector<std::string>(rest.begin() + 1, rest.end()), std::atof(rest[0].c_str()));
    else
        std::fprintf(stderr, "soundScenario: unknown command or arguments\n");
    std::fflush(stdout);
    return status;
}
