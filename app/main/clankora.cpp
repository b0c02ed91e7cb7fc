#include "app/settings.h"
#include "app/shell.h"
#include "platform/GlfwPlatform.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace {

const std::string usage = std::string("usage: clankora [OPTION...]\n") + settingFlagsUsage
    + "  --help                  show this help and exit\n"
      "  --version               show the version and exit\n"
      "An on/off option alone means on. Each option can also be set in the\n"
      "environment (CLANKORA_MOUSE_SENSITIVITY=1.5) or in the settings file\n"
      "~/.config/clankora/clankora.conf (mouse-sensitivity = 1.5); an option\n"
      "given here wins over the environment, which wins over the file.\n"
      "The game reads Resolution.ini (window settings) and its files from the\n"
      "working directory; installed, the clankora command starts it in\n"
      "~/.local/share/clankora. F7 saves the music playing as recordings/mix-*.wav\n"
      "there. See clankora(6).\n";

const char* environmentValue(const char* name)
{
    return std::getenv(name);
}

// HOME, or the account's home when HOME is unset (as for some services).
const char* homeFolder()
{
    if (const char* home = std::getenv("HOME"))
        return home;
    const passwd* account = getpwuid(getuid());
    return account ? account->pw_dir : nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    SettingLayer flags;
    std::string problem;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << usage;
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "clankora " CLANKORA_VERSION "\n";
            return 0;
        }
        const SettingFlag flag = readSettingFlag(argc, argv, i, flags, problem);
        if (flag == SettingFlag::read)
            continue;
        if (flag == SettingFlag::bad) {
            std::cerr << "clankora: " << problem << std::endl;
            return 2;
        }
        std::cerr << "clankora: unknown option " << argv[i] << "\n" << usage;
        return 2;
    }
    SettingLayer environment;
    if (!readSettingEnvironment(environmentValue, flags, environment, problem)) {
        std::cerr << "clankora: " << problem << std::endl;
        return 2;
    }
    Settings settings;
    const std::string folder = settingsFolder(std::getenv("XDG_CONFIG_HOME"), homeFolder());
    if (!folder.empty())
        readSettingsFile(folder + "/" + settingsFileName, settings, std::cerr);
    layOver(settings, environment);
    layOver(settings, flags);
    applySettings(settings);

    platform::GlfwPlatform input(folder.empty() ? "" : folder + "/" + gamepadMappingsFileName);
    // Vertical sync: without it a driver that leaves it off draws thousands of frames a second.
    return runClankora(input, settings.vsync ? 1 : 0);
}
