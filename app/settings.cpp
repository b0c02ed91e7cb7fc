#include "app/settings.h"

#include "platform/plainFile.h"

#include <cstdlib>
#include <cstring>

namespace {

enum Key { mouseSensitivityKey, invertMouseKey, fieldOfViewKey, musicVolumeKey, vsyncKey, renderScaleKey, showMusicKey, keyCount };

struct KeyRule {
    const char* name;     // in the file, and the flag after "--"
    const char* variable; // in the environment
    const char* rule;     // what a value must be
    bool isSwitch;        // on or off
    bool (*read)(const std::string& text, Settings& settings);
    void (*copy)(const Settings& from, Settings& to);
};

constexpr int maxShownProblems = 5;
constexpr size_t maxShownValue = 60;

// Plain decimals only: strtod alone would also take hexadecimal, exponents,
// "inf", "nan" and leading blanks.
bool readDecimal(const std::string& text, double low, double high, double& value)
{
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    size_t digits = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    if (digits == 0)
        return false;
    value = std::strtod(text.c_str(), nullptr);
    return value >= low && value <= high;
}

bool readWhole(const std::string& text, int low, int high, int& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    const long number = std::strtol(text.c_str(), nullptr, 10);
    if (number < low || number > high)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool readSwitch(const std::string& text, bool& value)
{
    if (text != "on" && text != "off")
        return false;
    value = text == "on";
    return true;
}

bool readFloat(const std::string& text, double low, double high, float& value)
{
    double number = 0.0;
    if (!readDecimal(text, low, high, number))
        return false;
    value = static_cast<float>(number);
    return true;
}

const KeyRule keys[keyCount] = {
    {"mouse-sensitivity", "CLANKORA_MOUSE_SENSITIVITY", "a number from 0.1 to 10", false,
        [](const std::string& t, Settings& s) { return readFloat(t, 0.1, 10.0, s.mouseSensitivity); },
        [](const Settings& f, Settings& t) { t.mouseSensitivity = f.mouseSensitivity; }},
    {"invert-mouse", "CLANKORA_INVERT_MOUSE", "on or off", true,
        [](const std::string& t, Settings& s) { return readSwitch(t, s.invertMouse); },
        [](const Settings& f, Settings& t) { t.invertMouse = f.invertMouse; }},
    {"field-of-view", "CLANKORA_FIELD_OF_VIEW", "a number from 30 to 110", false,
        [](const std::string& t, Settings& s) { return readFloat(t, 30.0, 110.0, s.fieldOfView); },
        [](const Settings& f, Settings& t) { t.fieldOfView = f.fieldOfView; }},
    {"music-volume", "CLANKORA_MUSIC_VOLUME", "a whole number from 0 to 100", false,
        [](const std::string& t, Settings& s) { return readWhole(t, 0, 100, s.musicVolume); },
        [](const Settings& f, Settings& t) { t.musicVolume = f.musicVolume; }},
    {"vsync", "CLANKORA_VSYNC", "on or off", true,
        [](const std::string& t, Settings& s) { return readSwitch(t, s.vsync); },
        [](const Settings& f, Settings& t) { t.vsync = f.vsync; }},
    {"render-scale", "CLANKORA_RENDER_SCALE", "auto or a number from 0.25 to 1", false,
        [](const std::string& t, Settings& s) { return parseRenderScale(t, s.renderScale); },
        [](const Settings& f, Settings& t) { t.renderScale = f.renderScale; }},
    {"show-music", "CLANKORA_SHOW_MUSIC", "on or off", true,
        [](const std::string& t, Settings& s) { return readSwitch(t, s.showMusic); },
        [](const Settings& f, Settings& t) { t.showMusic = f.showMusic; }},
};

// A value as a message shows it: in quotes, bytes that are not printable
// ASCII escaped so that nothing in a file can drive the terminal, and cut
// short.
std::string quoted(const std::string& text)
{
    static const char hex[] = "0123456789abcdef";
    std::string shown = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == maxShownValue) {
            shown += "...";
            break;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            shown += '\\';
            shown += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            shown += static_cast<char>(c);
        } else {
            shown += "\\x";
            shown += hex[c >> 4];
            shown += hex[c & 15];
        }
    }
    return shown + "\"";
}

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

const KeyRule* ruleNamed(const std::string& name)
{
    for (const KeyRule& key : keys)
        if (name == key.name)
            return &key;
    return nullptr;
}

unsigned bitOf(const KeyRule& key)
{
    return 1u << (&key - keys);
}

std::string mustBe(const std::string& what, const KeyRule& key, const std::string& value)
{
    return what + " must be " + key.rule + ", not " + quoted(value);
}

// What is wrong with one line of the file, or "" when it is a setting (read
// into settings), blank or a comment.
std::string readLine(const std::string& raw, Settings& settings)
{
    std::string line = raw.substr(0, raw.find('#'));
    line = trimmed(line);
    if (line.empty())
        return "";
    const size_t equals = line.find('=');
    const std::string key = equals == std::string::npos ? "" : trimmed(line.substr(0, equals));
    if (key.empty())
        return "expected \"key = value\", not " + quoted(line);
    const KeyRule* rule = ruleNamed(key);
    if (!rule)
        return "unknown setting " + quoted(key);
    const std::string value = trimmed(line.substr(equals + 1));
    if (!rule->read(value, settings))
        return mustBe(key, *rule, value);
    return "";
}

} // namespace

const char* const settingFlagsUsage =
    "  --mouse-sensitivity N   turn N times 0.1 degree a pixel of mouse motion\n"
    "                          (0.1 to 10; 1)\n"
    "  --invert-mouse [on|off] moving the mouse up looks down (off)\n"
    "  --field-of-view DEG     the view's vertical angle in degrees (30 to 110; 50)\n"
    "  --music-volume P        the music's volume in per cent (0 to 100; 100)\n"
    "  --vsync [on|off]        wait for the display between frames (on)\n"
    "  --render-scale auto|S   draw the 3D view at S (0.25 to 1) of the window's size;\n"
    "                          auto (the default) adapts it on a software renderer\n"
    "  --show-music [on|off]   the pillars and the jukebox glow with their music (off)\n";

void layOver(Settings& base, const SettingLayer& layer)
{
    for (const KeyRule& key : keys)
        if (layer.given & bitOf(key))
            key.copy(layer.values, base);
}

std::string settingsFolder(const char* xdgConfigHome, const char* home)
{
    // The base directory rules ignore a relative path.
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        return std::string(xdgConfigHome) + "/clankora";
    if (home && *home)
        return std::string(home) + "/.config/clankora";
    return "";
}

void readSettingsText(const std::string& text, const std::string& name, Settings& settings, std::ostream& problems)
{
    long problemCount = 0;
    long lineNumber = 0;
    // Some editors begin a UTF-8 file with a byte order mark.
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++lineNumber;
        const std::string problem = readLine(text.substr(start, end - start), settings);
        if (!problem.empty() && ++problemCount <= maxShownProblems)
            problems << name << ':' << lineNumber << ": " << problem << '\n';
        start = end + 1;
    }
    if (problemCount > maxShownProblems) {
        const long more = problemCount - maxShownProblems;
        problems << name << ": " << more << (more == 1 ? " more line" : " more lines") << " with problems\n";
    }
    problems.flush();
}

void readSettingsFile(const std::string& path, Settings& settings, std::ostream& problems)
{
    std::string text;
    std::string problem;
    switch (platform::readPlainFile(path, settingsFileLimit, text, problem)) {
    case platform::FileRead::missing:
        return;
    case platform::FileRead::refused:
        problems << path << ": " << problem << "; its settings are left out" << std::endl;
        return;
    case platform::FileRead::read:
        readSettingsText(text, path, settings, problems);
        return;
    }
}

SettingFlag readSettingFlag(int argc, char** argv, int& index, SettingLayer& layer, std::string& problem)
{
    const char* argument = argv[index];
    if (std::strncmp(argument, "--", 2) != 0)
        return SettingFlag::none;
    for (const KeyRule& key : keys) {
        const size_t length = std::strlen(key.name);
        if (std::strncmp(argument + 2, key.name, length) != 0)
            continue;
        const char after = argument[2 + length];
        std::string value;
        int next = index;
        if (after == '=') {
            value = argument + 3 + length;
        } else if (after != '\0') {
            continue;
        } else if (key.isSwitch) {
            // Alone it means on; "on" or "off" after it is its value.
            value = "on";
            if (index + 1 < argc && (std::strcmp(argv[index + 1], "on") == 0 || std::strcmp(argv[index + 1], "off") == 0))
                value = argv[++next];
        } else if (index + 1 < argc) {
            value = argv[++next];
        }
        if (!key.read(value, layer.values)) {
            problem = mustBe(std::string("--") + key.name, key, value);
            return SettingFlag::bad;
        }
        layer.given |= bitOf(key);
        index = next;
        return SettingFlag::read;
    }
    return SettingFlag::none;
}

bool readSettingEnvironment(const char* (*lookup)(const char*), const SettingLayer& skip, SettingLayer& layer,
    std::string& problem)
{
    for (const KeyRule& key : keys) {
        if (skip.given & bitOf(key))
            continue;
        const char* value = lookup(key.variable);
        // An empty variable counts as unset, as shells make it easy to leave one so.
        if (!value || !*value)
            continue;
        if (!key.read(value, layer.values)) {
            problem = mustBe(key.variable, key, value);
            return false;
        }
        layer.given |= bitOf(key);
    }
    return true;
}
