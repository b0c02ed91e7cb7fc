#pragma once

#include "app/renderScaleOption.h"

#include <ostream>
#include <string>

// What a player can tune. Each setting comes from the settings file, the
// environment or the command line; the command line wins over the
// environment, which wins over the file. Without any of them every value is
// the game's own.
struct Settings {
    float mouseSensitivity = 1.0f; // times 0.1 degree a pixel
    bool invertMouse = false;      // mouse up looks down
    float fieldOfView = 50.0f;     // vertical, degrees
    int musicVolume = 100;         // the music group's volume, per cent
    bool vsync = true;             // swap interval 1, else 0
    RenderScaleSetting renderScale;
    bool showMusic = false;
};

// Settings given by one source, and which of them it gave.
struct SettingLayer {
    Settings values;
    unsigned given = 0; // one bit per setting
};

// Copies the settings the layer gave over the base.
void layOver(Settings& base, const SettingLayer& layer);

constexpr const char* settingsFileName = "clankora.conf";
constexpr const char* gamepadMappingsFileName = "gamecontrollerdb.txt";
constexpr long settingsFileLimit = 64 * 1024;

// $XDG_CONFIG_HOME/clankora, or HOME/.config/clankora where the variable is
// unset, empty or relative; empty without either.
std::string settingsFolder(const char* xdgConfigHome, const char* home);

// Reads "key = value" lines ('#' starts a comment) into settings. A line that
// is no setting leaves the settings as they were and writes one line to
// problems, "NAME:LINE: what is wrong"; after five such lines one more says
// how many were not shown.
void readSettingsText(const std::string& text, const std::string& name, Settings& settings, std::ostream& problems);

// The file at path read as above. A missing file is no problem. One that
// cannot be read, a folder or anything but a plain file in its place, or a
// file over 64 KiB writes one line and is left out.
void readSettingsFile(const std::string& path, Settings& settings, std::ostream& problems);

enum class SettingFlag { none, read, bad };

// When argv[index] is a setting's flag ("--field-of-view 90",
// "--field-of-view=90", or an on/off setting alone for on), reads it into the
// layer and moves index past its value. A bad value gives bad and the line
// to print in problem. Anything else gives none and leaves index alone.
SettingFlag readSettingFlag(int argc, char** argv, int& index, SettingLayer& layer, std::string& problem);

// Reads CLANKORA_FIELD_OF_VIEW and the like for each setting that skip does
// not hold already; an empty variable counts as unset. False with the line
// to print in problem for a bad value.
bool readSettingEnvironment(const char* (*lookup)(const char*), const SettingLayer& skip, SettingLayer& layer,
    std::string& problem);

// The settings' part of the programs' usage texts: one line per flag.
extern const char* const settingFlagsUsage;

// Hands the settings to the game: mouse look, the camera's field of view,
// the music group's volume, the render scale and the music glow. The swap
// interval is the caller's, for the window it opens.
void applySettings(const Settings& settings);
