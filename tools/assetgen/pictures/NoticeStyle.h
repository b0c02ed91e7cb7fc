#pragma once

#include "Canvas.h"
#include "pictures/Font.h"
#include "pictures/Notices.h"

#include <memory>
#include <string>

// What the three notices share: the backdrop and its frame, the colours
// and text helpers.
namespace assetgen::pictures::noticeStyle {

const Color ink = {0.96f, 0.93f, 0.86f};
const Color dimInk = {0.72f, 0.70f, 0.80f};
const Color pink = {1.0f, 0.37f, 0.75f};
const Color yellow = {1.0f, 0.85f, 0.37f};
const Color cyan = {0.37f, 0.9f, 1.0f};
const Color night = {0.07f, 0.04f, 0.18f};

// The backdrop with its frame over the whole layout card; returns the card.
Window paintBackdrop(Canvas& canvas);

// The finished layout card at the notices' file size.
Canvas forFile(const Canvas& layout);

// The font of the file at the preferred size, or smaller so that text fits maxWidth.
std::unique_ptr<Font> fitting(const std::string& file, const std::string& text, int preferred, float maxWidth);

// A rounded button with centred text; returns its bottom edge.
float drawButton(Canvas& canvas, const Font& font, const std::string& text, float centreX, float top, Color fill,
    Color textColour);

// A key cap with its label, left edge at x; returns its right edge.
float drawKeyCap(Canvas& canvas, const Font& font, const std::string& label, float x, float baseline);

} // namespace assetgen::pictures::noticeStyle
