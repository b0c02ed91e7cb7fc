#pragma once

#include "Canvas.h"

#include <string>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace assetgen::pictures {

// One DejaVu face at one pixel size, drawing UTF-8 text with kerning and
// anti-aliasing through FreeType.
class Font {
public:
    static constexpr const char* directory = "/usr/share/fonts/truetype/dejavu/";

    // file is a name in the DejaVu directory, e.g. "DejaVuSans-Bold.ttf".
    Font(const std::string& file, int pixelHeight);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Width of the text's advance in pixels.
    float measure(const std::string& text) const;
    // Draws text with its baseline at y, starting at x; returns the advance.
    float draw(Canvas& canvas, const std::string& text, float x, float baseline, Color color, float opacity = 1.0f) const;
    // Draws text centred on x.
    void drawCentred(Canvas& canvas, const std::string& text, float centreX, float baseline, Color color,
        float opacity = 1.0f) const;

    float ascender() const;
    float lineHeight() const;

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

// The code points of a UTF-8 string; malformed bytes are refused.
std::u32string decodeUtf8(const std::string& text);

} // namespace assetgen::pictures
