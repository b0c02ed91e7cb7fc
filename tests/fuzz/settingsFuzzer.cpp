// Feeds any bytes to the settings reader as the player's settings file, and
// its lines as command-line arguments: it must never crash, every setting
// must stay in its range, every message must be one printable line of the
// agreed form and at most six of them, the file reader must agree with the
// text reader, and the settings written back as a file must read the same
// without a message.
#include "app/settings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

int inputDescriptor = -1;
std::string inputPath;

void require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "settings fuzzer: %s\n", what);
    std::abort();
}

bool sameSettings(const Settings& a, const Settings& b)
{
    return a.mouseSensitivity == b.mouseSensitivity && a.invertMouse == b.invertMouse
        && a.fieldOfView == b.fieldOfView && a.musicVolume == b.musicVolume && a.vsync == b.vsync
        && a.renderScale.automatic == b.renderScale.automatic && a.renderScale.scale == b.renderScale.scale
        && a.showMusic == b.showMusic;
}

void requireInRange(const Settings& s)
{
    require(s.mouseSensitivity >= 0.1f && s.mouseSensitivity <= 10.0f, "mouse sensitivity out of range");
    require(s.fieldOfView >= 30.0f && s.fieldOfView <= 110.0f, "field of view out of range");
    require(s.musicVolume >= 0 && s.musicVolume <= 100, "music volume out of range");
    require(s.renderScale.automatic ? s.renderScale.scale == 1.0f
                                    : s.renderScale.scale >= 0.25f && s.renderScale.scale <= 1.0f,
        "render scale out of range");
}

std::string asFile(const Settings& s)
{
    char text[512];
    std::snprintf(text, sizeof text,
        "mouse-sensitivity = %.9g\ninvert-mouse = %s\nfield-of-view = %.9g\nmusic-volume = %d\nvsync = %s\n"
        "show-music = %s\n",
        static_cast<double>(s.mouseSensitivity), s.invertMouse ? "on" : "off", static_cast<double>(s.fieldOfView),
        s.musicVolume, s.vsync ? "on" : "off", s.showMusic ? "on" : "off");
    std::string file = text;
    if (s.renderScale.automatic) {
        file += "render-scale = auto\n";
    } else {
        std::snprintf(text, sizeof text, "render-scale = %.9g\n", static_cast<double>(s.renderScale.scale));
        file += text;
    }
    return file;
}

// Every message a line of its own, printable, naming the file and a line of
// it, or the count of those not shown last.
void requireMessages(const std::string& messages, const std::string& name)
{
    std::vector<std::string> lines;
    std::istringstream in(messages);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    require(messages.empty() || messages.back() == '\n', "a message must end its line");
    require(lines.size() <= 6, "at most five problems and the count of the rest");
    for (size_t i = 0; i < lines.size(); ++i) {
        for (char c : lines[i])
            require(c >= 0x20 && c < 0x7f, "a message must hold printable characters only");
        require(lines[i].compare(0, name.size() + 1, name + ":") == 0, "a message must name the file");
        const char after = lines[i].size() > name.size() + 1 ? lines[i][name.size() + 1] : '\0';
        if (i < 5) {
            require(after >= '1' && after <= '9', "a message must give the line number");
            continue;
        }
        long more = 0;
        char rest[64] = {};
        require(std::sscanf(lines[i].c_str() + name.size() + 1, " %ld more line%63[^\n]", &more, rest) == 2
                && more >= 1 && std::string(rest) == (more == 1 ? " with problems" : "s with problems"),
            "the sixth message must count the problems not shown");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A file that lives in memory only, so a crash leaves nothing behind.
    inputDescriptor = memfd_create("clankora.conf", 0);
    require(inputDescriptor >= 0, "cannot create the input file");
    inputPath = "/proc/self/fd/" + std::to_string(inputDescriptor);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    Settings fromText;
    std::ostringstream textMessages;
    readSettingsText(text, "f.conf", fromText, textMessages);
    requireInRange(fromText);
    requireMessages(textMessages.str(), "f.conf");

    require(ftruncate(inputDescriptor, 0) == 0 && pwrite(inputDescriptor, data, size, 0) == ssize_t(size),
        "cannot write the input file");
    Settings fromFile;
    std::ostringstream fileMessages;
    readSettingsFile(inputPath, fromFile, fileMessages);
    if (static_cast<long>(size) <= settingsFileLimit) {
        require(sameSettings(fromFile, fromText), "the file reader and the text reader must agree");
        std::string expected;
        std::istringstream lines(textMessages.str());
        for (std::string line; std::getline(lines, line);)
            expected += inputPath + line.substr(6) + "\n";
        require(fileMessages.str() == expected, "the file reader must say what the text reader says");
    } else {
        require(sameSettings(fromFile, Settings()), "an oversized file must be left out");
    }

    Settings again;
    std::ostringstream none;
    readSettingsText(asFile(fromText), "back.conf", again, none);
    require(none.str().empty(), "the settings written back must read without a message");
    require(sameSettings(again, fromText), "the settings written back must read the same");

    // The lines as arguments, the way the programs walk them.
    std::vector<std::string> arguments = {"clankora"};
    std::istringstream words(text);
    for (std::string word; arguments.size() < 12 && std::getline(words, word);)
        arguments.push_back(word);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    const int argc = static_cast<int>(argv.size());
    SettingLayer flags;
    for (int i = 1; i < argc; ++i) {
        const int before = i;
        std::string problem;
        const SettingFlag result = readSettingFlag(argc, argv.data(), i, flags, problem);
        require(i >= before && i < argc, "a flag must stay within the arguments");
        require(result == SettingFlag::read || i == before, "only a flag read moves past its value");
        require((result == SettingFlag::bad) == !problem.empty(), "a bad flag, and only that, says why");
        for (char c : problem)
            require(c >= 0x20 && c < 0x7f, "a flag's problem must hold printable characters only");
        if (result == SettingFlag::bad)
            break;
    }
    Settings flagged;
    layOver(flagged, flags);
    requireInRange(flagged);
    return 0;
}
