// The settings file, the flags and the environment: every key at its bounds
// and just past them, bad lines among good ones, the precedence of the three
// sources, and files the game leaves out.
#include "app/settings.h"

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testing_support::makeTempDirectory;
using testing_support::writeFile;

// Every setting on one line, to compare whole outcomes.
std::string describe(const Settings& s)
{
    std::ostringstream out;
    out << "sensitivity " << s.mouseSensitivity << (s.invertMouse ? " inverted" : "") << " fov " << s.fieldOfView
        << " volume " << s.musicVolume << " vsync " << (s.vsync ? "on" : "off") << " scale "
        << (s.renderScale.automatic ? std::string("auto") : std::to_string(s.renderScale.scale).substr(0, 4))
        << " music " << (s.showMusic ? "on" : "off");
    return out.str();
}

const std::string defaults = describe(Settings());

std::string readText(const std::string& text, std::string& problems)
{
    Settings settings;
    std::ostringstream out;
    readSettingsText(text, "t.conf", settings, out);
    problems = out.str();
    return describe(settings);
}

TEST(SettingsFile, EachKeyAtItsBoundsAndJustPastThemAndBadLinesAmongGoodOnes)
{
    struct Case {
        std::string text;
        std::string settings; // "" for the defaults
        std::string problems;
    };
    const std::string fovWide = "t.conf:1: field-of-view must be a number from 30 to 110, not \"wide\"\n";
    const Case cases[] = {
        {"mouse-sensitivity = 0.1", "sensitivity 0.1 fov 50 volume 100 vsync on scale auto music off", ""},
        {"mouse-sensitivity=10", "sensitivity 10 fov 50 volume 100 vsync on scale auto music off", ""},
        {"mouse-sensitivity = 0.09", "", "t.conf:1: mouse-sensitivity must be a number from 0.1 to 10, not \"0.09\"\n"},
        {"mouse-sensitivity = 10.01", "", "t.conf:1: mouse-sensitivity must be a number from 0.1 to 10, not \"10.01\"\n"},
        {"mouse-sensitivity = 1e1", "", "t.conf:1: mouse-sensitivity must be a number from 0.1 to 10, not \"1e1\"\n"},
        {"invert-mouse = on", "sensitivity 1 inverted fov 50 volume 100 vsync on scale auto music off", ""},
        {"invert-mouse = on\ninvert-mouse = off", "", ""},
        {"invert-mouse = yes", "", "t.conf:1: invert-mouse must be on or off, not \"yes\"\n"},
        {"field-of-view = 30", "sensitivity 1 fov 30 volume 100 vsync on scale auto music off", ""},
        {"field-of-view = 110", "sensitivity 1 fov 110 volume 100 vsync on scale auto music off", ""},
        {"field-of-view = 29.9", "", "t.conf:1: field-of-view must be a number from 30 to 110, not \"29.9\"\n"},
        {"field-of-view = 110.1", "", "t.conf:1: field-of-view must be a number from 30 to 110, not \"110.1\"\n"},
        {"field-of-view = wide", "", fovWide},
        {"field-of-view = nan", "", "t.conf:1: field-of-view must be a number from 30 to 110, not \"nan\"\n"},
        {"music-volume = 0", "sensitivity 1 fov 50 volume 0 vsync on scale auto music off", ""},
        {"music-volume = 100", "", ""},
        {"music-volume = -1", "", "t.conf:1: music-volume must be a whole number from 0 to 100, not \"-1\"\n"},
        {"music-volume = 101", "", "t.conf:1: music-volume must be a whole number from 0 to 100, not \"101\"\n"},
        {"music-volume = 50.5", "", "t.conf:1: music-volume must be a whole number from 0 to 100, not \"50.5\"\n"},
        {"vsync = off", "sensitivity 1 fov 50 volume 100 vsync off scale auto music off", ""},
        {"vsync = ON", "", "t.conf:1: vsync must be on or off, not \"ON\"\n"},
        {"render-scale = 0.25", "sensitivity 1 fov 50 volume 100 vsync on scale 0.25 music off", ""},
        {"render-scale = 1\nrender-scale = auto", "", ""},
        {"render-scale = 0.24", "", "t.conf:1: render-scale must be auto or a number from 0.25 to 1, not \"0.24\"\n"},
        {"render-scale = 1.01", "", "t.conf:1: render-scale must be auto or a number from 0.25 to 1, not \"1.01\"\n"},
        {"show-music = on", "sensitivity 1 fov 50 volume 100 vsync on scale auto music on", ""},
        {"show-music =", "", "t.conf:1: show-music must be on or off, not \"\"\n"},
        // Comments, blanks, Windows line ends and a byte order mark are no problem.
        {"\xEF\xBB\xBF# mine\n\n   \r\nfield-of-view = 90 # wide\r\n\tvsync\t=\toff",
            "sensitivity 1 fov 90 volume 100 vsync off scale auto music off", ""},
        // A bad line among good ones: the good ones count, the bad one keeps its setting's default.
        {"field-of-view = wide\nmusic-volume = 40\nfov = 70\nmouse 2\n= 3\nField-Of-View = 60\n",
            "sensitivity 1 fov 50 volume 40 vsync on scale auto music off",
            fovWide + "t.conf:3: unknown setting \"fov\"\nt.conf:4: expected \"key = value\", not \"mouse 2\"\n"
                      "t.conf:5: expected \"key = value\", not \"= 3\"\n"
                      "t.conf:6: unknown setting \"Field-Of-View\"\n"},
        // Five problems at most, then how many more; nothing a file holds reaches the terminal raw.
        {"a=1\nb=1\nc=1\nd=1\ne=1\nf=1\nvsync = off\ng=1\n" + std::string("show-music = \x1b[2J\0", 19),
            "sensitivity 1 fov 50 volume 100 vsync off scale auto music off",
            "t.conf:1: unknown setting \"a\"\nt.conf:2: unknown setting \"b\"\nt.conf:3: unknown setting \"c\"\n"
            "t.conf:4: unknown setting \"d\"\nt.conf:5: unknown setting \"e\"\nt.conf: 3 more lines with problems\n"},
        {"show-music = \x1b[2J\"\\\xff" + std::string(80, 'x'), "",
            "t.conf:1: show-music must be on or off, not \"\\x1b[2J\\\"\\\\\\xff" + std::string(53, 'x') + "...\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string problems;
        EXPECT_EQ(readText(c.text, problems), c.settings.empty() ? defaults : c.settings);
        EXPECT_EQ(problems, c.problems);
    }
}

const char* lookIn(const char* name)
{
    static const std::map<std::string, std::string> environment = {
        {"CLANKORA_FIELD_OF_VIEW", "70"}, {"CLANKORA_MUSIC_VOLUME", "30"}, {"CLANKORA_VSYNC", ""},
        {"CLANKORA_RENDER_SCALE", "fast"}};
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
}

TEST(SettingsFile, FlagsWinOverTheEnvironmentWhichWinsOverTheFileAndUnusableFilesAreLeftOut)
{
    std::vector<std::string> arguments = {"clankora", "--field-of-view", "90", "--render-scale=0.5", "--invert-mouse",
        "--show-music", "off", "--vsync", "--mouse-sensitivity=3"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    SettingLayer flags;
    std::string problem;
    for (int i = 1; i < static_cast<int>(argv.size()); ++i)
        ASSERT_EQ(readSettingFlag(static_cast<int>(argv.size()), argv.data(), i, flags, problem), SettingFlag::read)
            << arguments[i] << ": " << problem;
    SettingLayer environment;
    // The bad CLANKORA_RENDER_SCALE is not read: the flag gave that setting.
    ASSERT_TRUE(readSettingEnvironment(lookIn, flags, environment, problem)) << problem;

    const std::string folder = makeTempDirectory("settings");
    const std::string path = folder + "/clankora.conf";
    writeFile(path, "field-of-view = 40\nmusic-volume = 20\nmouse-sensitivity = 2\nshow-music = on\nvsync = off\n");
    Settings settings;
    std::ostringstream problems;
    readSettingsFile(path, settings, problems);
    layOver(settings, environment);
    layOver(settings, flags);
    EXPECT_EQ(describe(settings), "sensitivity 3 inverted fov 90 volume 30 vsync on scale 0.50 music off");
    EXPECT_EQ(problems.str(), "");

    SettingLayer unflagged;
    EXPECT_FALSE(readSettingEnvironment(lookIn, unflagged, environment, problem));
    EXPECT_EQ(problem, "CLANKORA_RENDER_SCALE must be auto or a number from 0.25 to 1, not \"fast\"");
    for (std::vector<std::string> bad : {std::vector<std::string>{"--field-of-view"},
             {"--field-of-view", "--vsync"}, {"--vsync=maybe"}, {"--music-volume=", "5"}}) {
        bad.insert(bad.begin(), "clankora");
        std::vector<char*> badArgv;
        for (std::string& argument : bad)
            badArgv.push_back(argument.data());
        int index = 1;
        EXPECT_EQ(readSettingFlag(static_cast<int>(badArgv.size()), badArgv.data(), index, unflagged, problem),
            SettingFlag::bad)
            << bad[1];
    }
    EXPECT_EQ(problem, "--music-volume must be a whole number from 0 to 100, not \"\"");
    int index = 1;
    char* unknown[] = {arguments[0].data(), const_cast<char*>("--vsync-off")};
    EXPECT_EQ(readSettingFlag(2, unknown, index, unflagged, problem), SettingFlag::none);

    // A missing file is no problem; anything else that cannot be read is
    // one line, and none of its settings count.
    const long limit = settingsFileLimit;
    writeFile(folder + "/exact.conf", "vsync = off\n" + std::string(limit - 12, '#'));
    writeFile(folder + "/large.conf", "vsync = off\n" + std::string(limit - 11, '#'));
    mkdir((folder + "/folder.conf").c_str(), 0755);
    mkfifo((folder + "/pipe.conf").c_str(), 0644);
    symlink("loop.conf", (folder + "/loop.conf").c_str());
    const struct {
        std::string name;
        std::string line;
        bool vsync;
    } files[] = {
        {"none.conf", "", true},
        {"exact.conf", "", false},
        {"large.conf", "large.conf: larger than 64 KiB; its settings are left out\n", true},
        {"folder.conf", "folder.conf: a folder, not a file; its settings are left out\n", true},
        {"pipe.conf", "pipe.conf: not a plain file; its settings are left out\n", true},
        {"loop.conf", "loop.conf: cannot be read (Too many levels of symbolic links); its settings are left out\n",
            true},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        Settings read;
        std::ostringstream lines;
        readSettingsFile(folder + "/" + file.name, read, lines);
        EXPECT_EQ(lines.str(), file.line.empty() ? "" : folder + "/" + file.line);
        EXPECT_EQ(read.vsync, file.vsync);
    }
    if (geteuid() != 0) {
        chmod(path.c_str(), 0);
        Settings read;
        std::ostringstream lines;
        readSettingsFile(path, read, lines);
        EXPECT_EQ(lines.str(), path + ": cannot be read (Permission denied); its settings are left out\n");
        EXPECT_EQ(describe(read), defaults);
    }

    EXPECT_EQ(settingsFolder("/x/config", "/home/p"), "/x/config/clankora");
    EXPECT_EQ(settingsFolder("", "/home/p"), "/home/p/.config/clankora");
    EXPECT_EQ(settingsFolder("relative", "/home/p"), "/home/p/.config/clankora") << "the base directory rules";
    EXPECT_EQ(settingsFolder(nullptr, "/home/p"), "/home/p/.config/clankora");
    EXPECT_EQ(settingsFolder(nullptr, nullptr), "");
}

} // namespace
