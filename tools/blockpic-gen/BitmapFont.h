#pragma once

#include <cstdint>
#include <string>

class CIndexedBitmap;

// A small fixed-width bitmap font drawn into indexed pictures, so that the
// pictures come out the same on every machine, whatever fonts it has. Glyphs
// are 5 pixels wide on a 6-pixel advance; capitals and digits are 7 pixels
// high, descenders take 2 more. It knows A-Z, a-z, 0-9 and " -./:()"; any
// other character is drawn as an empty box.
class CBitmapFont {
public:
    static constexpr int kGlyphWidth = 5;
    static constexpr int kAdvance = 6;
    static constexpr int kCapHeight = 7;
    static constexpr int kCellHeight = 9;

    // Width in pixels of the text drawn at the scale (no trailing gap).
    static int TextWidth(const std::string& text, int scale = 1);
    // Draws the text with the top of its capitals at y.
    static void DrawText(CIndexedBitmap& bitmap, int x, int y, const std::string& text,
                         uint8_t color, int scale = 1);
    static bool HasGlyph(char c);
};
