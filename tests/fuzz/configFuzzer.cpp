// Feeds any bytes to the window-settings reader as its file: it must never
// crash, must agree with the in-memory parser, and every setting must be what
// a plain decimal reading of its line gives.
#include "app/config.h"

#include <GLFW/glfw3.h>

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

int inputDescriptor = -1;
std::string inputPath;
int hintsBeforeInit = 0;

void require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "config fuzzer: %s\n", what);
    std::abort();
}

// glfwWindowHint before glfwInit reports GLFW_NOT_INITIALIZED and does
// nothing else, which makes the refresh-rate hint observable without a window.
void countHint(int code, const char*)
{
    if (code == GLFW_NOT_INITIALIZED)
        ++hintsBeforeInit;
}

// The four lines as std::getline hands them out, worked out by splitting on
// line ends: once the text runs out, the last piece repeats.
std::vector<std::string> fourLines(const std::string& text)
{
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    pieces.resize(4, pieces.back());
    return pieces;
}

// What a decimal reading implies about a line, from its characters alone:
// the sign, zero without significant digits, the digits themselves when they
// fit an int, and the nearest end of the int range when they do not.
struct Decimal {
    bool negative = false;
    std::string digits; // significant digits, no leading zeros
};

Decimal readDecimal(const std::string& line)
{
    Decimal result;
    std::string::size_type i = 0;
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
        ++i;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        result.negative = line[i++] == '-';
    while (i < line.size() && line[i] == '0')
        ++i;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])))
        result.digits += line[i++];
    return result;
}

void checkValue(const std::string& line, int value)
{
    const Decimal decimal = readDecimal(line);
    if (decimal.digits.empty()) {
        require(value == 0, "a line without significant digits must read as 0");
        return;
    }
    const std::string limit = decimal.negative ? "2147483648" : "2147483647";
    const bool beyond =
        decimal.digits.size() > limit.size() || (decimal.digits.size() == limit.size() && decimal.digits > limit);
    if (beyond) {
        require(value == (decimal.negative ? INT_MIN : INT_MAX), "a value beyond int must saturate");
        return;
    }
    require(decimal.negative ? value < 0 : value > 0, "the sign must follow the text");
    std::string shown = std::to_string(value);
    if (shown[0] == '-')
        shown.erase(0, 1);
    require(shown == decimal.digits, "the value must show the line's digits");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A file that lives in memory only, so a crash leaves nothing behind.
    inputDescriptor = memfd_create("Resolution.ini", 0);
    require(inputDescriptor >= 0, "cannot create the input file");
    inputPath = "/proc/self/fd/" + std::to_string(inputDescriptor);
    glfwSetErrorCallback(countHint);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    require(ftruncate(inputDescriptor, 0) == 0 && pwrite(inputDescriptor, data, size, 0) == ssize_t(size),
        "cannot write the input file");

    std::ostringstream console;
    std::streambuf* previous = std::cout.rdbuf(console.rdbuf());
    hintsBeforeInit = 0;
    readConfiguration(inputPath);
    std::cout.rdbuf(previous);
    require(console.str().empty(), "an existing file must not print anything");

    const std::vector<std::string> lines = fourLines(text);
    require(fullScreen == !readDecimal(lines[0]).digits.empty(), "line 1 must be non-zero exactly for full screen");
    checkValue(lines[1], windowWidth);
    checkValue(lines[2], windowHeight);
    const Decimal refresh = readDecimal(lines[3]);
    require((hintsBeforeInit == 1) == (!refresh.negative && refresh.digits == "1"),
        "the refresh hint must be given exactly when line 4 reads as 1");

    std::istringstream memory(text);
    const Configuration parsed = parseConfiguration(memory);
    require(parsed.fullScreen == fullScreen && parsed.width == windowWidth && parsed.height == windowHeight
            && parsed.refreshRateHint == (hintsBeforeInit == 1),
        "the file reader and the stream parser must agree");

    return 0;
}
