#include "app/renderScaleOption.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

constexpr const char* flag = "--render-scale";
constexpr const char* variable = "CLANKORA_RENDER_SCALE";

[[noreturn]] void refuse(const char* program, const std::string& source, const std::string& value)
{
    std::cerr << program << ": " << source << " must be auto or a number from 0.25 to 1, not \"" << value << "\""
              << std::endl;
    std::exit(2);
}

} // namespace

bool parseRenderScale(const std::string& text, RenderScaleSetting& setting)
{
    if (text == "auto") {
        setting = RenderScaleSetting();
        return true;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    // strtod also takes "nan", "inf" and leading blanks; none is a scale.
    if (text.empty() || *end != '\0' || std::isspace(static_cast<unsigned char>(text[0])) || !std::isfinite(value)
        || value < 0.25 || value > 1.0)
        return false;
    setting.automatic = false;
    setting.scale = static_cast<float>(value);
    return true;
}

RenderScaleSetting readRenderScale(int argc, char** argv, const char* program, RenderScaleSetting fallback,
    bool useEnvironment)
{
    const size_t flagLength = std::strlen(flag);
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        std::string value;
        if (std::strcmp(argument, flag) == 0) {
            if (i + 1 >= argc)
                refuse(program, flag, "");
            value = argv[i + 1];
        } else if (std::strncmp(argument, flag, flagLength) == 0 && argument[flagLength] == '=') {
            value = argument + flagLength + 1;
        } else {
            continue;
        }
        RenderScaleSetting setting;
        if (!parseRenderScale(value, setting))
            refuse(program, flag, value);
        return setting;
    }
    const char* environment = useEnvironment ? std::getenv(variable) : nullptr;
    // An empty variable counts as unset, as shells make it easy to leave one so.
    if (environment && *environment) {
        RenderScaleSetting setting;
        if (!parseRenderScale(environment, setting))
            refuse(program, variable, environment);
        return setting;
    }
    return fallback;
}
