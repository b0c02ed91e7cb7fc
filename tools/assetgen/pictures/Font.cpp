#include "pictures/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

namespace assetgen::pictures {

std::u32string decodeUtf8(const std::string& text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xe ? 2 : (c >> 3) == 0x1e ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size() + (extra == 0 ? 1 : 0))
            throw std::runtime_error("text is not UTF-8: " + text);
        char32_t code = extra == 0 ? c : c & (0x3f >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next >> 6) != 0x2)
                throw std::runtime_error("text is not UTF-8: " + text);
            code = (code << 6) | (next & 0x3f);
        }
        out.push_back(code);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

Font::Font(const std::string& file, int pixelHeight)
{
    std::string path = std::string(directory) + file;
    if (FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("FreeType: cannot initialise");
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        throw std::runtime_error("FreeType: cannot open the font " + path);
    }
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        throw std::runtime_error("FreeType: cannot size the font " + path);
    }
}

Font::~Font()
{
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

float Font::ascender() const
{
    return face->size->metrics.ascender / 64.0f;
}

float Font::lineHeight() const
{
    return face->size->metrics.height / 64.0f;
}

float Font::measure(const std::string& text) const
{
    float advance = 0.0f;
    FT_UInt previous = 0;
    for (char32_t code : decodeUtf8(text)) {
        FT_UInt glyph = FT_Get_Char_Index(face, code);
        if (previous && glyph) {
            FT_Vector kerning;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kerning);
            advance += kerning.x / 64.0f;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0)
            throw std::runtime_error("FreeType: cannot load a glyph of \"" + text + "\"");
        advance += face->glyph->advance.x / 64.0f;
        previous = glyph;
    }
    return advance;
}

float Font::draw(Canvas& canvas, const std::string& text, float x, float baseline, Color color, float opacity) const
{
    float pen = x;
    FT_UInt previous = 0;
    for (char32_t code : decodeUtf8(text)) {
        FT_UInt glyph = FT_Get_Char_Index(face, code);
        if (glyph == 0 && code != ' ')
            throw std::runtime_error("the font has no glyph for a character of \"" + text + "\"");
        if (previous && glyph) {
            FT_Vector kerning;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kerning);
            pen += kerning.x / 64.0f;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0)
            throw std::runtime_error("FreeType: cannot render a glyph of \"" + text + "\"");
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        int left = static_cast<int>(std::lround(pen)) + slot->bitmap_left;
        int top = static_cast<int>(std::lround(baseline)) - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column) {
                unsigned char coverage = bitmap.buffer[row * bitmap.pitch + column];
                if (coverage)
                    canvas.blend(left + static_cast<int>(column), top + static_cast<int>(row), color,
                        coverage / 255.0f * opacity);
            }
        pen += slot->advance.x / 64.0f;
        previous = glyph;
    }
    return pen - x;
}

void Font::drawCentred(Canvas& canvas, const std::string& text, float centreX, float baseline, Color color,
    float opacity) const
{
    draw(canvas, text, centreX - measure(text) / 2.0f, baseline, color, opacity);
}

} // namespace assetgen::pictures
