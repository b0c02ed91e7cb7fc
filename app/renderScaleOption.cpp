#include "app/renderScaleOption.h"

#include <cmath>
#include <cstdlib>

bool parseRenderScale(const std::string& text, RenderScaleSetting& setting)
{
    if (text == "auto") {
        setting = RenderScaleSetting();
        return true;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    // strtod also takes "nan", "inf" and leading blanks, and stops at a NUL; none is a scale.
    if (text.empty() || end != text.c_str() + text.size() || std::isspace(static_cast<unsigned char>(text[0]))
        || !std::isfinite(value) || value < 0.25 || value > 1.0)
        return false;
    setting.automatic = false;
    setting.scale = static_cast<float>(value);
    return true;
}
