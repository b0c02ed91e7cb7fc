#include "pictures/NoticeStyle.h"

#include "Noise.h"
#include "pictures/Shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen::pictures {

Window noticeWindow()
{
    return {0.0f, 0.0f, float(noticeLayoutWidth), float(noticeLayoutHeight)};
}

namespace noticeStyle {

Window paintBackdrop(Canvas& canvas)
{
    const Window card = noticeWindow();
    const Point centre{card.right / 2, card.bottom / 2};
    const Color inner = hex(0x2a1656);
    canvas.paint([&](float x, float y) {
        float dx = (x - centre.x) / centre.x, dy = (y - centre.y) / centre.y * 0.8f;
        float d = std::sqrt(dx * dx + dy * dy);
        return mix(inner, night, std::clamp(d, 0.0f, 1.0f));
    });
    // Faint notes drifting over the backdrop.
    noise::PeriodicNoise noise(31);
    Font notes("DejaVuSans.ttf", 90);
    const char* glyphs[] = {"\u266A", "\u266B", "\u2669", "\u266C"};
    for (int i = 0; i < 90; ++i) {
        float x = noise.hash(i, 1) * card.right;
        float y = noise.hash(i, 2) * card.bottom;
        notes.drawCentred(canvas, glyphs[i % 4], x, y, ink, 0.05f);
    }
    // A frame just inside the card's edge.
    const float inset = 26.0f;
    Window frame{card.left + inset, card.top + inset, card.right - inset, card.bottom - inset};
    Point middle{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    float hw = (frame.right - frame.left) / 2, hh = (frame.bottom - frame.top) / 2;
    canvas.fillShape([&](float x, float y) { return std::fabs(box({x, y}, middle, hw, hh, 28.0f)) - 2.5f; },
        frame.left - 4, frame.top - 4, frame.right + 4, frame.bottom + 4, pink, 0.85f);
    return card;
}

Canvas forFile(const Canvas& layout)
{
    return layout.resampled(noticeFileWidth, noticeFileHeight);
}

std::unique_ptr<Font> fitting(const std::string& file, const std::string& text, int preferred, float maxWidth)
{
    for (int size = preferred;; size -= 2) {
        auto font = std::make_unique<Font>(file, size);
        if (font->measure(text) <= maxWidth || size <= 12)
            return font;
    }
}

float drawButton(Canvas& canvas, const Font& font, const std::string& text, float centreX, float top, Color fill,
    Color textColour)
{
    float width = font.measure(text) + font.lineHeight() * 1.4f;
    float height = font.lineHeight() * 1.45f;
    Point middle{centreX, top + height / 2};
    canvas.fillShape([&](float x, float y) { return box({x, y}, {middle.x + 6, middle.y + 8}, width / 2, height / 2, height / 2); },
        centreX - width / 2, top, centreX + width / 2 + 12, top + height + 12, {0, 0, 0}, 0.35f);
    canvas.fillShape([&](float x, float y) { return box({x, y}, middle, width / 2, height / 2, height / 2); },
        centreX - width / 2, top, centreX + width / 2, top + height, fill);
    font.drawCentred(canvas, text, centreX, middle.y + font.ascender() * 0.36f, textColour);
    return top + height;
}

float drawKeyCap(Canvas& canvas, const Font& font, const std::string& label, float x, float baseline)
{
    float pad = font.lineHeight() * 0.35f;
    float width = font.measure(label) + 2 * pad;
    float top = baseline - font.ascender() - pad * 0.5f, bottom = baseline + pad * 0.9f;
    Point middle{x + width / 2, (top + bottom) / 2};
    canvas.fillShape([&](float px, float py) { return box({px, py}, middle, width / 2, (bottom - top) / 2, 10.0f); },
        x, top, x + width, bottom, hex(0x3d2a6e));
    canvas.fillShape([&](float px, float py) { return std::fabs(box({px, py}, middle, width / 2, (bottom - top) / 2, 10.0f)) - 1.5f; },
        x - 2, top - 2, x + width + 2, bottom + 2, dimInk, 0.8f);
    font.draw(canvas, label, x + pad, baseline, ink);
    return x + width;
}

} // namespace noticeStyle

} // namespace assetgen::pictures
