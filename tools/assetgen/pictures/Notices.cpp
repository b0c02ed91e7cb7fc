#include "pictures/Notices.h"

#include "pictures/NoticeStyle.h"
#include "pictures/Shapes.h"

#include <algorithm>
#include <vector>

namespace assetgen::pictures {

using namespace noticeStyle;

namespace {

const float margin = 90.0f; // inside the card's edge

// A small robot head: the game's mascot beside its name.
void drawRobotHead(Canvas& canvas, Point c, float unit)
{
    auto shape = [&](std::function<float(Point)> f, Color colour, float opacity = 1.0f) {
        canvas.fillShape([&](float x, float y) { return f({(x - c.x) / unit, (y - c.y) / unit}) * unit; },
            c.x - 1.4f * unit, c.y - 1.6f * unit, c.x + 1.4f * unit, c.y + 1.2f * unit, colour, opacity);
    };
    shape([](Point p) { return segment(p, {0, -0.75f}, {0, -1.2f}, 0.06f); }, dimInk);
    shape([](Point p) { return circle(p, {0, -1.28f}, 0.14f); }, yellow);
    shape([](Point p) { return box(p, {0, 0}, 1.0f, 0.8f, 0.25f); }, hex(0x8d949c));
    shape([](Point p) { return box(p, {0, 0}, 0.82f, 0.62f, 0.18f); }, hex(0x3d2a6e));
    shape([](Point p) { return unite(circle(p, {-0.38f, -0.12f}, 0.2f), circle(p, {0.38f, -0.12f}, 0.2f)); }, cyan);
    shape([](Point p) { return box(p, {0, 0.35f}, 0.42f, 0.07f, 0.07f); }, pink);
    shape([](Point p) { return unite(box(p, {-1.1f, 0}, 0.1f, 0.3f, 0.05f), box(p, {1.1f, 0}, 0.1f, 0.3f, 0.05f)); }, dimInk);
}

// Small rounded squares in the corners, outside the frame, around each
// swatch the house samples.
void paintHouseSwatches(Canvas& canvas)
{
    const float width = float(canvas.width()), height = float(canvas.height());
    auto paint = [&](const Swatch& swatch, Color colour) {
        float left = swatch.u0 * width, right = swatch.u1 * width;
        float top = (1.0f - swatch.v1) * height, bottom = (1.0f - swatch.v0) * height;
        const float pad = 6.0f;
        Point middle{(left + right) / 2, (top + bottom) / 2};
        float hw = (right - left) / 2 + pad, hh = (bottom - top) / 2 + pad;
        canvas.fillShape([&](float x, float y) { return box({x, y}, middle, hw, hh, 3.0f); }, middle.x - hw - 1,
            middle.y - hh - 1, middle.x + hw + 1, middle.y + hh + 1, colour);
    };
    paint(titleWallSwatch, hex(0xb4a9cc));
    paint(titleTrimSwatch, hex(0xf0e8d6));
    paint(titleRoofSwatch, hex(0x8c2f6c));
    paint(titleStoneSwatch, hex(0x7d7a88));
}

} // namespace

Canvas makeTitleNotice()
{
    Canvas canvas(noticeLayoutWidth, noticeLayoutHeight, night);
    const Window w = paintBackdrop(canvas);
    const float centre = (w.left + w.right) / 2, width = w.right - w.left - 2 * margin;

    Font title("DejaVuSans-Bold.ttf", 190);
    const float robotUnit = 72.0f, robotWidth = 2.4f * robotUnit, gap = 56.0f;
    float titleWidth = title.measure("Clankora");
    float titleBaseline = w.top + margin + 230.0f;
    float groupLeft = centre - (robotWidth + gap + titleWidth) / 2;
    float titleLeft = groupLeft + robotWidth + gap;
    drawRobotHead(canvas, {groupLeft + robotWidth / 2, titleBaseline - 75.0f}, robotUnit);
    title.draw(canvas, "Clankora", titleLeft + 9, titleBaseline + 9, {0, 0, 0}, 0.45f);
    title.draw(canvas, "Clankora", titleLeft, titleBaseline, pink);

    const std::string premise[] = {"The robots of this house have lost their music.",
        "Rebuild every song from the pillars to escape!"};
    auto premiseFont = fitting("DejaVuSans.ttf", premise[0].size() > premise[1].size() ? premise[0] : premise[1], 50, width);
    float y = titleBaseline + 150.0f;
    for (const std::string& line : premise) {
        premiseFont->drawCentred(canvas, line, centre, y, ink);
        y += premiseFont->lineHeight() * 1.25f;
    }
    Font button("DejaVuSans-Bold.ttf", 64);
    float bottom = drawButton(canvas, button, "Press Enter to start", centre, y + 40.0f, pink, night);
    Font help("DejaVuSans.ttf", 46);
    help.drawCentred(canvas, "F1: help", centre, bottom + 100.0f, dimInk);
    paintHouseSwatches(canvas);
    return forFile(canvas);
}

Canvas makeHelpNotice()
{
    Canvas canvas(noticeLayoutWidth, noticeLayoutHeight, night);
    const Window w = paintBackdrop(canvas);
    const float left = w.left + margin, right = w.right - margin, centre = (w.left + w.right) / 2;

    Font title("DejaVuSans-Bold.ttf", 72);
    float y = w.top + margin + 40.0f;
    title.drawCentred(canvas, "How to play", centre, y, yellow);

    struct Row {
        const char* keys;
        const char* action;
    };
    const std::vector<Row> play = {
        {"W A S D", "walk"},
        {"Mouse", "look around"},
        {"E / Space", "stand taller"},
        {"Q / Shift", "crouch"},
        {"Left click", "switch a pillar"},
        {"R", "all pillars off"},
        {"F7", "save the music playing"},
        {"Enter", "start, close notices"},
        {"T", "controls back on"},
        {"Right mouse", "hold: time played"},
        {"Esc", "quit"},
    };
    const std::vector<Row> extras = {
        {"F6", "fly mode: X up, Y down"},
        {"1", "light where you stand"},
        {"2 3 4", "light: yellow, green, white"},
        {"F1", "this help on / off"},
        {"F2", "frame time (console)"},
        {"F3", "wireframe on / off"},
        {"F4", "sharp / smooth textures"},
        {"F5", "mipmaps on / off"},
        {"F8", "frustum culling on / off"},
        {"F9", "hold: solid pillar poles"},
    };
    Font heading("DejaVuSans-Bold.ttf", 38);
    Font keys("DejaVuSans-Bold.ttf", 27);
    const float columnGap = 56.0f, keyGap = 22.0f;
    const float columnWidth = (right - left - columnGap) / 2;
    auto keyWidth = [&](const std::vector<Row>& rows) {
        float widest = 0.0f;
        for (const Row& row : rows)
            widest = std::max(widest, keys.measure(row.keys));
        return widest + keys.lineHeight() * 0.7f + keyGap;
    };
    // One size of text for both columns: the largest at which every action fits.
    int textSize = 32;
    for (; textSize > 16; --textSize) {
        Font candidate("DejaVuSans.ttf", textSize);
        bool fits = true;
        for (const auto* rows : {&play, &extras})
            for (const Row& row : *rows)
                fits = fits && candidate.measure(row.action) <= columnWidth - keyWidth(*rows);
        if (fits)
            break;
    }
    Font text("DejaVuSans.ttf", textSize);
    y += 92.0f;
    auto drawColumn = [&](const char* name, const std::vector<Row>& rows, float x) {
        heading.draw(canvas, name, x, y, cyan);
        float actionX = x + keyWidth(rows);
        float rowY = y + 64.0f;
        for (const Row& row : rows) {
            drawKeyCap(canvas, keys, row.keys, x, rowY);
            text.draw(canvas, row.action, actionX, rowY, ink);
            rowY += 45.0f;
        }
        return rowY;
    };
    float leftEnd = drawColumn("Walk and play", play, left);
    float rightEnd = drawColumn("Extras", extras, left + columnWidth + columnGap);
    y = std::max(leftEnd, rightEnd) + 18.0f;

    const std::string tips[] = {"Click the jukebox to hear the song to rebuild. Aim at a pillar and",
        "click it: crouch for the bottom one, stand for the middle one, stretch", "up for the top one."};
    auto tipFont = fitting("DejaVuSans-Oblique.ttf", tips[1], 30, right - left);
    for (const std::string& line : tips) {
        tipFont->drawCentred(canvas, line, centre, y, yellow);
        y += tipFont->lineHeight() * 1.1f;
    }
    return forFile(canvas);
}

Canvas makeLevelNotice()
{
    Canvas canvas(noticeLayoutWidth, noticeLayoutHeight, night);
    const Window w = paintBackdrop(canvas);
    const float centre = (w.left + w.right) / 2, width = w.right - w.left - 2 * margin;

    Font title("DejaVuSans-Bold.ttf", 150);
    float y = w.top + margin + 200.0f;
    title.draw(canvas, "A new level!", centre - title.measure("A new level!") / 2 + 8, y + 8, {0, 0, 0}, 0.45f);
    title.drawCentred(canvas, "A new level!", centre, y, yellow);

    const std::string steps[] = {"1.  Click the jukebox and listen to its song.",
        "2.  Switch pillars on and off to rebuild it.", "3.  A door appears: walk through it."};
    auto stepFont = fitting("DejaVuSans.ttf", steps[0], 52, width - 80.0f);
    float stepsLeft = centre - stepFont->measure(steps[0]) / 2;
    y += 170.0f;
    for (const std::string& line : steps) {
        stepFont->draw(canvas, line, stepsLeft, y, ink);
        y += stepFont->lineHeight() * 1.45f;
    }
    Font button("DejaVuSans-Bold.ttf", 64);
    drawButton(canvas, button, "Press Enter", centre, y + 30.0f, pink, night);
    return forFile(canvas);
}

} // namespace assetgen::pictures
