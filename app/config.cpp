#include "app/config.h"

#include <GLFW/glfw3.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>

bool fullScreen = true;
int windowWidth = 800;
int windowHeight = 600;
int largestViewWidth = 0;
int largestViewHeight = 0;

int toIntSaturating(const std::string& text)
{
    // strtol saturates at LONG_MIN/LONG_MAX where atoi would be undefined.
    errno = 0;
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool windowSizeIsUsable(int width, int height)
{
    return width > 0 && height > 0 && width <= largestWindowSide && height <= largestWindowSide;
}

Configuration parseConfiguration(std::istream& in)
{
    Configuration config;
    if (!in.good())
        return config;
    std::string line;
    std::getline(in, line);
    config.fullScreen = toIntSaturating(line) != 0;
    std::getline(in, line);
    config.width = toIntSaturating(line);
    std::getline(in, line);
    config.height = toIntSaturating(line);
    std::getline(in, line);
    config.refreshRateHint = toIntSaturating(line) == 1;
    return config;
}

void readConfiguration(std::string fileName)
{
    std::ifstream file(fileName);
    if (!file.is_open()) {
        std::cout << "Configfile not found";
        return;
    }
    Configuration config = parseConfiguration(file);
    fullScreen = config.fullScreen;
    windowWidth = config.width;
    windowHeight = config.height;
    if (config.refreshRateHint)
        glfwWindowHint(GLFW_REFRESH_RATE, 60);
    file.close();
}
