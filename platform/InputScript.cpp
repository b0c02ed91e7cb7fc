#include "platform/InputScript.h"

#include "platform/KeyNames.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

constexpr long maxFramesPerCommand = 10000000;

// A held input is a key, a mouse button or a gamepad button.
struct Held {
    enum Kind { key, mouseButton, padButton } kind;
    int code;
};

struct NamedPadButton {
    const char* name;
    int button;
};

const NamedPadButton padButtons[] = {
    {"PAD_A", GLFW_GAMEPAD_BUTTON_A}, {"PAD_B", GLFW_GAMEPAD_BUTTON_B}, {"PAD_X", GLFW_GAMEPAD_BUTTON_X},
    {"PAD_Y", GLFW_GAMEPAD_BUTTON_Y}, {"PAD_LB", GLFW_GAMEPAD_BUTTON_LEFT_BUMPER},
    {"PAD_RB", GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER}, {"PAD_BACK", GLFW_GAMEPAD_BUTTON_BACK},
    {"PAD_START", GLFW_GAMEPAD_BUTTON_START}, {"PAD_GUIDE", GLFW_GAMEPAD_BUTTON_GUIDE},
    {"PAD_LSTICK", GLFW_GAMEPAD_BUTTON_LEFT_THUMB}, {"PAD_RSTICK", GLFW_GAMEPAD_BUTTON_RIGHT_THUMB},
    {"PAD_UP", GLFW_GAMEPAD_BUTTON_DPAD_UP}, {"PAD_RIGHT", GLFW_GAMEPAD_BUTTON_DPAD_RIGHT},
    {"PAD_DOWN", GLFW_GAMEPAD_BUTTON_DPAD_DOWN}, {"PAD_LEFT", GLFW_GAMEPAD_BUTTON_DPAD_LEFT},
};

bool heldFromName(const std::string& name, Held& held)
{
    std::string upper;
    for (char c : name)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "LMB" || upper == "LEFT_BUTTON") {
        held = {Held::mouseButton, GLFW_MOUSE_BUTTON_LEFT};
        return true;
    }
    if (upper == "RMB" || upper == "RIGHT_BUTTON") {
        held = {Held::mouseButton, GLFW_MOUSE_BUTTON_RIGHT};
        return true;
    }
    if (upper == "MMB" || upper == "MIDDLE_BUTTON") {
        held = {Held::mouseButton, GLFW_MOUSE_BUTTON_MIDDLE};
        return true;
    }
    for (const NamedPadButton& pad : padButtons)
        if (upper == pad.name) {
            held = {Held::padButton, pad.button};
            return true;
        }
    int code = keyCodeFromName(name);
    if (code < 0)
        return false;
    held = {Held::key, code};
    return true;
}

// Where a stick command puts the sticks; unset axes stay centred.
struct StickPosition {
    float axes[GamepadState::axisCount] = {0.0f, 0.0f, 0.0f, 0.0f, -1.0f, -1.0f};
};

bool parseCount(const std::string& word, long& count)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || value < 0 || value > maxFramesPerCommand)
        return false;
    count = value;
    return true;
}

bool parseNumber(const std::string& word, double& number)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    number = std::strtod(word.c_str(), &end);
    return *end == '\0' && number == number && number > -1e9 && number < 1e9;
}

class Expander {
public:
    explicit Expander(std::vector<FrameInput>& frames) : frames(frames) {}

    void setHeld(const Held& held, bool down, FrameInput& input)
    {
        if (held.kind == Held::mouseButton)
            input.buttons.set(static_cast<size_t>(held.code), down);
        else if (held.kind == Held::padButton)
            input.pad.buttons[held.code] = down;
        else
            input.keys.set(static_cast<size_t>(held.code), down);
    }

    // Appends count frames holding the persistent inputs plus extra ones.
    void emit(long count, const std::vector<Held>& extra, double dx = 0.0, double dy = 0.0,
        const StickPosition* sticks = nullptr)
    {
        for (long i = 0; i < count; ++i) {
            FrameInput input = persistent;
            for (const Held& held : extra)
                setHeld(held, true, input);
            input.mouseDx = dx;
            input.mouseDy = dy;
            if (sticks)
                for (int axis = 0; axis < GamepadState::axisCount; ++axis)
                    input.pad.axes[axis] = sticks->axes[axis];
            input.mark = std::move(pendingMark);
            pendingMark.clear();
            input.resizeWidth = pendingWidth;
            input.resizeHeight = pendingHeight;
            pendingWidth = pendingHeight = 0;
            frames.push_back(input);
        }
    }

    // The picture drawn right after the frames emitted so far.
    void shotAfterLastFrame(const std::string& name)
    {
        if (frames.empty() || !frames.back().shot.empty())
            emit(1, {});
        frames.back().shot = name;
    }

    // The next frame emitted starts a phase of that name.
    void markNextFrame(const std::string& name) { pendingMark = name; }
    // The window takes that size before the next frame emitted.
    void resizeBeforeNextFrame(int width, int height)
    {
        pendingWidth = width;
        pendingHeight = height;
    }

    FrameInput persistent;

private:
    std::string pendingMark;
    int pendingWidth = 0;
    int pendingHeight = 0;
    std::vector<FrameInput>& frames;
};

} // namespace

bool InputScript::parse(const std::string& text, std::string& error)
{
    expanded.clear();
    next = 0;
    Expander expander(expanded);
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& message) {
        error = "line " + std::to_string(lineNumber) + ": " + message;
        expanded.clear();
        return false;
    };

    while (std::getline(lines, line)) {
        ++lineNumber;
        size_t hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> args;
        for (std::string word; words >> word;)
            args.push_back(word);
        if (args.empty())
            continue;
        const std::string command = args[0];
        args.erase(args.begin());

        // An optional trailing "for N" or "over N" gives a frame count.
        long count = 1;
        if (args.size() >= 2 && (args[args.size() - 2] == "for" || args[args.size() - 2] == "over")) {
            if (!parseCount(args.back(), count))
                return fail("bad frame count '" + args.back() + "'");
            args.resize(args.size() - 2);
        }

        std::vector<Held> held;
        bool needsPad = false;
        auto parseHeld = [&](size_t first) {
            for (size_t i = first; i < args.size(); ++i) {
                Held h;
                if (!heldFromName(args[i], h))
                    return false;
                needsPad = needsPad || h.kind == Held::padButton;
                held.push_back(h);
            }
            return true;
        };
        const std::string plugFirst = "plug the gamepad in first ('plug')";

        if (command == "wait") {
            if (args.size() != 1 || !parseCount(args[0], count))
                return fail("wait needs a frame count");
            expander.emit(count, {});
        } else if (command == "hold" || command == "press" || command == "down" || command == "up") {
            if (args.empty())
                return fail(command + " needs at least one key");
            if (!parseHeld(0))
                return fail("unknown key in '" + line + "'");
            if (needsPad && !expander.persistent.pad.connected && command != "up")
                return fail(plugFirst);
            if (command == "hold") {
                expander.emit(count, held);
            } else if (command == "press") {
                expander.emit(count, held);
                expander.emit(1, {});
            } else {
                for (const Held& h : held)
                    expander.setHeld(h, command == "down", expander.persistent);
            }
        } else if (command == "click") {
            Held button{Held::mouseButton, GLFW_MOUSE_BUTTON_LEFT};
            if (args.size() > 1 || (args.size() == 1 && !heldFromName(args[0] + "MB", button)
                                       && !heldFromName(args[0] + "_BUTTON", button)))
                return fail("click takes left, right or middle");
            expander.emit(count, {button});
            expander.emit(1, {});
        } else if (command == "mouse") {
            double dx = 0.0;
            double dy = 0.0;
            if (args.size() != 2 || !parseNumber(args[0], dx) || !parseNumber(args[1], dy))
                return fail("mouse needs DX DY");
            if (count == 0)
                return fail("mouse needs at least one frame");
            expander.emit(count, {}, dx / static_cast<double>(count), dy / static_cast<double>(count));
        } else if (command == "plug" || command == "unplug") {
            if (!args.empty())
                return fail(command + " takes nothing");
            const bool plugging = command == "plug";
            expander.persistent.pad = GamepadState();
            expander.persistent.pad.connected = plugging;
        } else if (command == "stick") {
            if (!expander.persistent.pad.connected)
                return fail(plugFirst);
            StickPosition sticks;
            if (args.empty() || args.size() % 3 != 0)
                return fail("stick needs left or right, X and Y");
            for (size_t i = 0; i < args.size(); i += 3) {
                double x = 0.0;
                double y = 0.0;
                const int xAxis = args[i] == "left" ? GLFW_GAMEPAD_AXIS_LEFT_X
                    : args[i] == "right"            ? GLFW_GAMEPAD_AXIS_RIGHT_X
                                                    : -1;
                if (xAxis < 0 || !parseNumber(args[i + 1], x) || !parseNumber(args[i + 2], y) || x < -1.0 || x > 1.0
                    || y < -1.0 || y > 1.0)
                    return fail("stick needs left or right, X and Y from -1 to 1");
                sticks.axes[xAxis] = static_cast<float>(x);
                sticks.axes[xAxis + 1] = static_cast<float>(y);
            }
            expander.emit(count, {}, 0.0, 0.0, &sticks);
        } else if (command == "shot" || command == "mark") {
            if (args.size() != 1)
                return fail(command + " needs one name");
            for (char c : args[0])
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
                    return fail(command + " names use letters, digits, '-' and '_'");
            if (command == "shot")
                expander.shotAfterLastFrame(args[0]);
            else
                expander.markNextFrame(args[0]);
        } else if (command == "resize") {
            long width = 0;
            long height = 0;
            if (args.size() != 2 || !parseCount(args[0], width) || !parseCount(args[1], height) || width < 1
                || height < 1 || width > 16384 || height > 16384)
                return fail("resize needs WIDTH HEIGHT, 1 to 16384 pixels each");
            expander.resizeBeforeNextFrame(static_cast<int>(width), static_cast<int>(height));
        } else if (command == "minimise" || command == "restore") {
            if (!args.empty())
                return fail(command + " takes nothing");
            expander.persistent.minimised = command == "minimise";
        } else if (command == "focus") {
            if (args.size() != 1 || (args[0] != "off" && args[0] != "on"))
                return fail("focus takes off or on");
            expander.persistent.unfocused = args[0] == "off";
        } else if (command == "quit") {
            break;
        } else {
            return fail("unknown command '" + command + "'");
        }
    }
    return true;
}

bool InputScript::load(const std::string& path, std::string& error)
{
    std::ifstream file(path);
    if (!file.is_open()) {
        error = "cannot open " + path;
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    return parse(text.str(), error);
}

bool InputScript::nextFrame(FrameInput& input)
{
    if (next >= expanded.size())
        return false;
    input = expanded[next++];
    return true;
}

} // namespace platform
