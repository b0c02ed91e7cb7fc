#pragma once

#include "platform/FrameInput.h"

#include <string>
#include <vector>

namespace platform {

// A plain-text script of per-frame input (docs/bot.md), expanded into one
// FrameInput per frame and played back in order.
class InputScript : public InputDriver {
public:
    // Parses the script; on failure returns false and describes the first
    // error as "line N: ...".
    bool parse(const std::string& text, std::string& error);
    bool load(const std::string& path, std::string& error);

    bool nextFrame(FrameInput& input) override;

    const std::vector<FrameInput>& frames() const { return expanded; }

private:
    std::vector<FrameInput> expanded;
    size_t next = 0;
};

} // namespace platform
