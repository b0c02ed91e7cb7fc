#include "app/GameState.h"
#include "app/adaptiveScale.h"
#include "app/shell.h"
#include "platform/GlfwPlatform.h"

#include <cstring>
#include <iostream>

namespace {

const char* usage =
    "usage: clankora [--render-scale auto|S] [--show-music] [--help] [--version]\n"
    "  --render-scale auto|S  draw the 3D view at S (0.25 to 1) of the window's size;\n"
    "                         auto (the default) adapts it on a software renderer\n"
    "  --show-music           the glow of each switched-on pillar and of the jukebox\n"
    "                         follows the loudness of its music\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n"
    "The game reads Resolution.ini (window settings) and its files from the\n"
    "working directory; installed, the clankora command starts it in\n"
    "~/.local/share/clankora. F7 saves the music playing as recordings/mix-*.wav\n"
    "there. See clankora(6).\n";

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << usage;
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "clankora " CLANKORA_VERSION "\n";
            return 0;
        }
        // Its value is checked below, with the environment variable's.
        if (std::strcmp(argv[i], "--render-scale") == 0) {
            ++i;
            continue;
        }
        if (std::strncmp(argv[i], "--render-scale=", 15) == 0)
            continue;
        if (std::strcmp(argv[i], "--show-music") == 0) {
            showMusic = true;
            continue;
        }
        std::cerr << "clankora: unknown option " << argv[i] << "\n" << usage;
        return 2;
    }
    setRenderScaleSetting(readRenderScale(argc, argv, "clankora", RenderScaleSetting()));
    platform::GlfwPlatform input;
    // Vertical sync: without it a driver that leaves it off draws thousands of frames a second.
    return runClankora(input, 1);
}
